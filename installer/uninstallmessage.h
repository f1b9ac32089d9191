// What the uninstaller says when it has finished: where the notes it kept
// are, and where the history store it keeps is. Window-free.
#ifndef JOTWELL_INSTALLER_UNINSTALLMESSAGE_H
#define JOTWELL_INSTALLER_UNINSTALLMESSAGE_H

#include <string>

// notesKept: book folders with the user's notes stayed in programFolder.
// historyStore: the store's folder when there is one, else empty. Empty
// when there is nothing to say.
std::string UninstallClosingMessage(const char* programFolder, bool notesKept,
                                    const char* historyStore);

#endif
