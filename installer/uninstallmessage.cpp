#include "installer/uninstallmessage.h"

std::string UninstallClosingMessage(const char* programFolder, bool notesKept,
                                    const char* historyStore) {
    std::string text;
    if (notesKept)
        text = std::string("Jotwell has been removed. Your notes were kept, in the folder\n\n") +
               programFolder;
    if (historyStore[0]) {
        text += notesKept ? "\n\nDeleted notes and earlier versions of notes were kept too, in the "
                            "folder\n\n"
                          : "Jotwell has been removed. Deleted notes and earlier versions of notes "
                            "were kept, in the folder\n\n";
        text += historyStore;
    }
    return text;
}
