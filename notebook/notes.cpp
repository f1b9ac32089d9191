// The notes of the current book: listing, loading, saving, renaming, new and
// deleted notes.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/settingkeys.h"
#include "dialogs/lrichedit.h"
#include "features/diarypropertiesdialog.h"
#include "mainwindow/maindialog.h"
#include "notebook/bookentry.h"
#include "notebook/notefolder.h"
#include "notebook/scanrules.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

// The notes a message names: 'the note "A"', 'the notes "A", "B"'.
struct NoteNames {
    std::string quoted;
    int count = 0;
    void Add(const std::string& name) { quoted += (count++ ? ", \"" : "\"") + name + "\""; }
    std::string Text() const { return (count > 1 ? "notes " : "note ") + quoted; }
    const char* Pronoun() const { return count > 1 ? "them" : "it"; }
    const char* Stays() const { return count > 1 ? "They stay in the book." : "It stays in the book."; }
};

}  // namespace

void MainDialog::InsertNotesSorted(std::vector<std::string>& names) {
    HWND list = NotesList();
    // Inserted in descending order, every item lands at the front of the
    // sorted list, which costs the list one comparison to find. The list
    // keeps its own order whatever ours is; a cheap order close to it only
    // saves the list from walking, while the system's comparison costs as
    // much per pair as an insertion.
    std::sort(names.begin(), names.end(), NoteNameLess());
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (size_t i = names.size(); i-- > 0;)
        InsertNoteItem(list, names[i].c_str(), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    FitNotesColumn();
    InvalidateRect(list, NULL, TRUE);
}

void MainDialog::InitItemsList() {
    HWND list = NotesList();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    NoteListing listing = ListNoteNames(folder);
    folderWatch.Start(folder, hwnd, WM_FOLDERCHANGED);
    InsertNotesSorted(listing.names);

    char book[LFILE_PATH] = "";
    GetDlgItemTextU(hwnd, IDC_BOOKS, book, LFILE_PATH);
    SetCurrentBook(book);

    char current[SETTINGS_VALUE];
    GetCurrentNote(current);
    int item = FindNoteItem(current);
    LVSelectItem(IDC_NOTES, item >= 0 ? item : 0);
    ItemSelectionChanged();
}

int MainDialog::FindNoteItem(const char* name) {
    return FindNoteItemIn(NotesList(), name);
}

void MainDialog::ItemSelectionChanged() {
    HWND list = NotesList();
    char path[LFILE_PATH] = "";
    char name[LFILE_PATH] = "";
    bool fits = true;
    int selected = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (selected >= 0) {
        char folder[LFILE_PATH];
        GetCurrentBookFolder(folder);
        fits = NoteItemPath(list, selected, folder, name, path);
        SetCurrentNote(name);
    }
    if (fits && LSameName(path, szNoteName))
        return;

    if (!ConfirmLeaveNote()) {
        // Stay on the note whose text could not be saved.
        char title[LFILE_PATH];
        LFile::_GetFileTitleFromPath(title, szNoteName);
        int item = FindNoteItem(title);
        if (item >= 0)
            LVSelectItem(IDC_NOTES, item);
        return;
    }

    bSaveFailureShown = false;
    bSaveFailing = false;
    if (!fits) {
        // A file name cut to fit would be another file: nothing of this
        // note is loaded or written.
        strcpy(szNoteName, NOTE_NONE);
        SetDlgItemTextU(hwnd, IDC_NOTE_NAME, name);
        bNoteNameChanged = false;
        LoadNoteText();
        ShowNameTooLong(name);
        return;
    }
    strcpy(szNoteName, path);
    SetDlgItemTextU(hwnd, IDC_NOTE_NAME, path[0] ? name : "");
    bNoteNameChanged = false;
    LoadNoteText();
    if (bNoteUnreadable)
        ShowNoteUnreadable();
}

void MainDialog::LoadNoteText() {
    NoteVersion version = {false, 0};
    bool loaded = LoadRichEditText(NoteLoaded() ? szNoteName : "", &version);
    SetKnownVersion(version);
    // An empty book has nothing to load, which is no failure. A note whose
    // file is there but could not be read whole, or whose path does not fit
    // (NOTE_NONE), is shown read only and never saved: its file keeps what
    // the editor never got.
    bNoteUnreadable = szNoteName[0] && (!NoteLoaded() || !loaded);
    bNoteTextChanged = false;
    UpdateControls();
}

bool MainDialog::IsKnownNoteTime(LTime onDisk) const {
    return knownVersion.known && onDisk == knownVersion.time;
}

NoteVersion MainDialog::KnownVersion() const {
    return knownVersion;
}

void MainDialog::SetKnownVersion(const NoteVersion& version) {
    knownVersion.known = version.known;
    knownVersion.time = version.known ? version.time : 0;
}

bool MainDialog::LoadRichEditText(const char* path, NoteVersion* version) {
    HWND text = NoteText();
    if (!text)
        return false;
    LRichEdit::EnableNotifications(text);
    NoteFileText file;
    bool whole = path[0] && ReadNoteFile(path, &file);
    // What could be read is shown even when it is not all of the file.
    bStreamingIn = true;
    whole = LRichEdit::StreamInFileBytes(text, file.data ? file.data : "", file.size,
                                         &iNoteEncoding) && whole;
    bStreamingIn = false;
    bNoteBareLineFeeds = TextHasBareLineFeeds(file.data, file.size, iNoteEncoding);
    if (version) {
        version->known = whole && file.exists;
        version->time = file.time;
        // The bytes of that version: a save that replaces it keeps them.
        bNoteBytesKnown = version->known;
        ullNoteBytesTime = file.time;
        strNoteBytes.assign(file.data && version->known ? file.data : "",
                            version->known ? file.size : 0);
    }
    return whole;
}

bool MainDialog::SaveData() {
    iLastSave = NOTE_SAVE_FAILED;
    if (!NoteLoaded())
        return true;
    if (bNoteUnreadable) {
        // The editor holds less than the file: nothing of it is written.
        bNoteTextChanged = false;
        bNoteNameChanged = false;
        return true;
    }
    bool renamed = true;
    if (bNoteNameChanged) {
        bNoteNameChanged = false;
        // A file another program holds keeps its name for now: the rename
        // stays pending, is tried again with the next save and is reported
        // as a failed save is.
        renamed = RenameNote();
        if (!renamed)
            bNoteNameChanged = true;
    }
    if (bNoteTextChanged) {
        bNoteTextChanged = false;
        if (!SaveRichEditText()) {
            // Kept set: the next save tries again, and nothing is dropped.
            bNoteTextChanged = true;
            return false;
        }
    }
    return renamed;
}

bool MainDialog::RenameNote() {
    char typed[LFILE_PATH], name[LFILE_PATH];
    GetControlText(IDC_NOTE_NAME, typed);
    if (!LFile::MakeValidFileName(typed, name))
        return true;
    bNoteTextChanged = true;

    char folder[LFILE_PATH], oldTitle[LFILE_PATH], path[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, szNoteName);
    LFile::_GetFileTitleFromPath(oldTitle, szNoteName);
    if (!NotePath(folder, name, path)) {
        ShowNameTooLong(name);
        return true;
    }

    // A change of letter case only is the same file and always allowed.
    bool sameFile = LSameName(path, szNoteName);
    if (!sameFile && LFile::Exists(path)) {
        MessageBoxU(hwnd,
                    "The item cannot be renamed because another item with the same name "
                    "already exists. To replace the other item, delete it first then rename "
                    "this file.",
                    "File Exists", MB_ICONINFORMATION | MB_OK);
        return true;
    }
    // Checked before anything is touched; the text is then written under the
    // new name. A note not yet on disk has nothing to move.
    if (LFile::Exists(szNoteName) && !LFile::RenameFile(szNoteName, path))
        return false;

    char bookFolder[LFILE_PATH];
    GetCurrentBookFolder(bookFolder);
    if (LSameName(bookFolder, folder)) {
        int item = FindNoteItem(oldTitle);
        if (item >= 0)
            SetNoteItemText(NotesList(), item, name);
    }
    strcpy(szNoteName, path);
    return true;
}

bool MainDialog::SaveRichEditText() {
    HWND editor = NoteText();
    if (!editor)
        return false;
    size_t size = 0;
    TextEncoding encoding = iNoteEncoding;
    LBuffer owned = LRichEdit::StreamOutFileText(editor, iNoteEncoding, &size, &encoding);
    char* text = owned.get();
    if (!text)
        return false;
    if (bNoteBareLineFeeds)
        size = TextToBareLineFeeds(text, size, encoding);
    NoteVersion version = KnownVersion();
    NoteVersion standsOn = version;
    std::string merged;
    bool merging = MergeOutsideChanges(text, size, &version, &merged);
    if (merging) {
        text = &merged[0];
        size = merged.size();
    }
    NoteVersion replaced = {false, 0};
    char kept[LFILE_PATH];
    iLastSave = SaveNoteFile(szNoteName, text, size, &version, savingTurn, GetTickCount(), kept,
                             &replaced);
    // A merge that was not saved is made again by the next try, on the
    // version the editor's text stands on.
    if (merging && iLastSave != NOTE_SAVED && !kept[0])
        version = standsOn;
    // Also after a failure: another user's version kept beside is known now,
    // and the next try does not keep it again.
    SetKnownVersion(version);
    if (kept[0])
        ListKeptVersion(kept);
    KeepReplacedVersion(replaced, kept);
    if (iLastSave == NOTE_SAVED) {
        bNoteBytesKnown = true;
        ullNoteBytesTime = version.time;
        strNoteBytes.assign(text, size);
    }
    if (iLastSave != NOTE_SAVED)
        return false;
    iNoteEncoding = encoding;
    if (merging)
        ShowMergedText(merged);
    return true;
}

void MainDialog::ListKeptVersion(const char* name) {
    char folder[LFILE_PATH], current[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, szNoteName);
    GetCurrentBookFolder(current);
    if (LSameName(current, folder) && FindNoteItem(name) < 0) {
        InsertNoteItem(NotesList(), name, ListView_GetItemCount(NotesList()));
        FitNotesColumn();
    }
}

bool MainDialog::ConfirmLeaveNote() {
    if (SaveData())
        return true;
    if (NoteMessageBox("Jotwell cannot save the note \"%s\". If you go on, the changes you made "
                       "to it are lost.\r\n\r\nDo you want to go on and lose the changes?",
                       MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return false;
    bNoteTextChanged = false;
    bNoteNameChanged = false;
    return true;
}

void MainDialog::SaveOnTimer() {
    if (SaveData()) {
        bSaveFailing = false;
        return;
    }
    if (iLastSave == NOTE_TURN_BUSY) {
        // Another computer is saving in this book: again in a moment, and
        // nothing to tell.
        SetTimer(hwnd, TIMER_SAVE, SAVE_TURN_DELAY, NULL);
        return;
    }
    // A failure is often short-lived (another program reading the note at
    // that moment, a shared folder out of reach, another computer saving the
    // same note): tried again at once for a moment, then every few seconds.
    DWORD now = GetTickCount();
    if (!bSaveFailing) {
        bSaveFailing = true;
        dwSaveFailingSince = now;
    }
    if (iLastSave == NOTE_SAVE_FAILED && now - dwSaveFailingSince < SAVE_QUIET_SPAN) {
        SetTimer(hwnd, TIMER_SAVE, SAVE_QUICK_RETRY, NULL);
        return;
    }
    SetTimer(hwnd, TIMER_SAVE, SAVE_RETRY_DELAY, NULL);
    if (bSaveFailureShown)
        return;
    bSaveFailureShown = true;
    if (iLastSave == NOTE_TURN_BLOCKED)
        ShowTurnBlocked();
    else
        ShowSaveFailure();
}

void MainDialog::CmNoteNew() {
    if (bReadOnlyBook)
        return;
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    if (CurrentBookIsDiary()) {
        DiaryPropertiesDialog diary;
        if (diary.RunModal(hwnd, MAKEINTRESOURCEA(IDD_DIARY_PROPERTIES)))
            CmDiaryNewEntries(folder);  // lists the book again
        return;
    }
    // A name is free only when its file is absent too: another computer may
    // have made it since the last scan, and taking it would save over that
    // person's note.
    char name[32] = "";
    for (int n = 1; n <= 9999 && !name[0]; ++n) {
        char candidate[32], path[LFILE_PATH];
        sprintf(candidate, "New %d", n);
        NotePath(folder, candidate, path);
        if (FindNoteItem(candidate) < 0 && !LFile::Exists(path))
            strcpy(name, candidate);
    }
    if (!name[0])
        return;
    HWND list = NotesList();
    InsertNoteItem(list, name, ListView_GetItemCount(list));
    FitNotesColumn();
    int item = FindNoteItem(name);
    LVSelectItem(IDC_NOTES, item);
    char loaded[LFILE_PATH];
    LFile::_GetFileTitleFromPath(loaded, szNoteName);
    if (!LSameName(loaded, name))
        return;  // still on the old note, whose text could not be saved
    HWND nameBox = GetDlgItem(hwnd, IDC_NOTE_NAME);
    SetFocus(nameBox);
    SendMessageA(nameBox, EM_SETSEL, 0, -1);
    char templ[LFILE_PATH];
    strcpy(templ, folder);
    LFile::FilePathCat(templ, "template._txt");
    LoadRichEditText(templ, NULL);
    bNoteTextChanged = true;
}

void MainDialog::CmNoteDelete() {
    if (bReadOnlyBook) {
        MessageBoxU(hwnd, "You cannot delete this note because this book is read only!",
                    "Read Only", MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (MessageBoxU(hwnd, "Are you sure you want to delete the selected note(s)?",
                    "Confirm Delete", MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
        return;
    HWND list = NotesList();
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    std::vector<std::string> paths, names;
    bool loadedGoes = false;
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
        char name[LFILE_PATH], path[LFILE_PATH];
        NoteItemPath(list, i, folder, name, path);
        paths.push_back(path);
        names.push_back(name);
        loadedGoes = loadedGoes || LSameName(path, szNoteName);
    }
    // The loaded note may not be among those deleted (the list can show no
    // selection while a note stays loaded): its edits are kept.
    if (!loadedGoes && !ConfirmLeaveNote())
        return;
    NoteNames held, uncopied;
    for (size_t i = 0; i < paths.size(); ++i) {
        const char* path = paths[i].c_str();
        // A note goes only once a copy of it is kept among deleted notes.
        HistoryEntry copy;
        if (!KeepDeletedNote(path, &copy)) {
            uncopied.Add(names[i]);
            continue;
        }
        if (DeleteFileU(path) || !LFile::Exists(path))
            continue;
        if (!copy.indexPath.empty())
            history.store.Remove(copy);  // not deleted after all
        held.Add(names[i]);
    }
    if (uncopied.count) {
        std::string message = "Jotwell cannot delete the " + uncopied.Text() +
                              ": a copy of " + uncopied.Pronoun() +
                              " could not be kept among the deleted notes, in the folder\r\n\r\n" +
                              history.store.szRoot + "\r\n\r\n" + uncopied.Stays();
        MessageBoxU(hwnd, message.c_str(), "Jotwell", MB_ICONWARNING | MB_OK);
    }
    if (held.count) {
        std::string message = "Jotwell cannot delete the " + held.Text() +
                              ". Another program may be using " + held.Pronoun() +
                              ", or the folder may be read only.\r\n\r\n" + held.Stays();
        MessageBoxU(hwnd, message.c_str(), "Jotwell", MB_ICONWARNING | MB_OK);
    }
    bNoteNameChanged = false;
    bNoteTextChanged = false;
    strcpy(szNoteName, NOTE_NONE);
    InitItemsList();
}

void MainDialog::PastePlainText() {
    if (NoteText())
        LRichEdit::PastePlainText(NoteText());
}
