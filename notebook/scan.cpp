// Bringing the note list and the loaded note in line with changes made to
// the book folder from outside: other programs, other users of a shared
// folder.

#include <windows.h>
#include <commctrl.h>

#include "dialogs/lrichedit.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "notebook/scanrules.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {
std::vector<std::string> ListItemTexts(HWND list) {
    int count = ListView_GetItemCount(list);
    std::vector<std::string> texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i) {
        char text[LFILE_PATH];
        NoteItemText(list, i, text);
        texts.push_back(text);
    }
    return texts;
}
}  // namespace

void MainDialog::ScanFolders() {
    HWND list = NotesList();
    if (ListView_GetItemCount(list) == 0)
        return;
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);

    NoteListing listing = ListNoteNames(folder);
    std::vector<std::string> items = ListItemTexts(list);
    ScanDifference diff = CompareNotes(items, listing.names);

    // Nothing is removed while the folder cannot be listed completely: a
    // share out of reach must not empty the list.
    bool loadedVanished = false;
    if (!diff.vanished.empty() && listing.complete && LFile::Exists(folder))
        loadedVanished = RemoveVanishedNotes(diff.vanished, items);
    // Only after the removals, whose indexes were taken before: the sorted
    // list puts each insert in its place, which moves the items after it.
    for (const std::string& name : diff.added)
        InsertNoteItem(list, name.c_str(), ListView_GetItemCount(list));
    if (!diff.added.empty() || !diff.vanished.empty())
        FitNotesColumn();
    if (loadedVanished)
        KeepOrDropDeletedNote();

    CheckLoadedNoteTime();
}

bool MainDialog::RemoveVanishedNotes(const std::vector<int>& vanished,
                                     const std::vector<std::string>& items) {
    HWND list = NotesList();
    char loaded[LFILE_PATH] = "";
    int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (selected >= 0)
        NoteItemText(list, selected, loaded);

    // Highest index first, so the indexes below stay valid.
    bool loadedVanished = false;
    for (int index : vanished) {
        if (!LSameName(items[index].c_str(), loaded))
            ListView_DeleteItem(list, index);
        else
            loadedVanished = true;
    }
    return loadedVanished;
}

void MainDialog::KeepOrDropDeletedNote() {
    HWND list = NotesList();
    int loadedIndex = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    // A read-only book is never written to, so there is nothing to ask: the
    // note goes as it went on disk.
    if (!bReadOnlyBook) {
        // A save while the question waits would bring the file back before
        // the user has chosen.
        KillTimer(hwnd, TIMER_SAVE);
        int answer = MessageBoxU(hwnd,
                                 "Jotwell detected that the current note has been deleted. Do "
                                 "you want to keep it?",
                                 "Jotwell", MB_ICONQUESTION | MB_YESNOCANCEL);
        if (answer == IDYES) {
            bNoteTextChanged = true;  // the next save writes it back
            SetTimer(hwnd, TIMER_SAVE, SAVE_TEXT_DELAY, NULL);
            return;
        }
        // Cancel, Esc or the close box decide nothing: the editor may hold
        // the only copy left. The note stays listed and loaded, nothing is
        // written, and the next scan asks again; text typed meanwhile is
        // saved, which brings the file back.
        if (answer != IDNO)
            return;
    }
    if (loadedIndex >= 0) {
        // The user let it go: nothing of it is to be written back.
        bNoteTextChanged = false;
        bNoteNameChanged = false;
        ListView_DeleteItem(list, loadedIndex);
        FitNotesColumn();
        LVSelectItem(IDC_NOTES, 0);
        ItemSelectionChanged();
        UpdateControls();  // the list may be empty now
    }
}

void MainDialog::CheckLoadedNoteTime() {
    if (bNoteTextChanged || !NoteLoaded())
        return;
    unsigned long long onDisk;
    // A time that cannot be read (folder out of reach, file locked) says
    // nothing: the note is left alone until it can be read.
    if (!LFile::GetLastWriteTime(szNoteName, &onDisk))
        return;
    if (IsKnownNoteTime(onDisk))
        return;
    // In a read-only book the user has no version of their own to keep, and
    // nothing may be written there: the change is simply shown.
    bool reload = bReadOnlyBook;
    if (!reload &&
        MessageBoxU(hwnd,
                    "Jotwell detected that the current note has been changed. Do you want to "
                    "reload it?",
                    "Jotwell", MB_ICONQUESTION | MB_YESNOCANCEL) == IDYES) {
        // What the user had on screen goes into the history first.
        KeepScreenText();
        reload = true;
    }
    if (reload) {
        HWND text = NoteText();
        LONG start = 0, end = 0;
        LRichEdit::GetSelection(text, &start, &end);
        LoadNoteText();
        LRichEdit::SetSelection(text, start, end);
        if (bNoteUnreadable)
            ShowNoteUnreadable();
        // The editor now holds what the file holds. Writing it back would
        // only give the file a new time, and every other computer with the
        // note open would be asked about a change that changed nothing.
        bNoteTextChanged = false;
        return;
    }
    // The user keeps their version: it replaces the file at the next save,
    // and the other version is kept beside it then.
    bNoteTextChanged = true;
}
