// What the main window keeps in the user's history store, and the two
// windows that bring it back: earlier versions of the loaded note, and the
// book's deleted notes.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "dialogs/lrichedit.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "notebook/notehistorydialog.h"
#include "notebook/restoredeleteddialog.h"
#include "notebook/restoredname.h"
#include "resources/resource.h"
#include "util/ltextfile.h"
#include "util/lwide.h"

bool MainDialog::KeepDeletedNote(const char* path, HistoryEntry* copy) {
    copy->indexPath.clear();
    NoteFileText file;
    if (!ReadNoteFile(path, &file))
        return false;
    if (!file.exists)
        return true;  // gone already: nothing to keep, nothing to delete
    return history.store.Keep(HISTORY_DELETED, path, file.data ? file.data : "", file.size,
                              history.store.Now(), file.time, copy);
}

void MainDialog::KeepReplacedVersion(const NoteVersion& replaced, const char* keptName) {
    if (keptName[0]) {
        // Another computer's version, kept beside the note: read from there.
        char folder[LFILE_PATH], copy[LFILE_PATH];
        LFile::_GetFolderFromPath(folder, szNoteName);
        if (NotePath(folder, keptName, copy))
            history.KeepVersionFrom(szNoteName, copy, 0);
        return;
    }
    // The version the editor stood on: its bytes are at hand, and the save
    // does not wait for them to be written.
    if (replaced.known && bNoteBytesKnown && replaced.time == ullNoteBytesTime)
        history.KeepVersion(szNoteName, &strNoteBytes, replaced.time, false);
}

void MainDialog::KeepScreenText() {
    // With nothing unsaved, the editor shows the version last loaded or saved.
    if (!bNoteBytesKnown || !NoteLoaded())
        return;
    std::string copy = strNoteBytes;
    history.KeepVersion(szNoteName, &copy, ullNoteBytesTime, true);
}

void MainDialog::ShowHistoryFailure() {
    if (bHistoryFailureShown)
        return;
    bHistoryFailureShown = true;
    std::string text = std::string("Jotwell could not keep an earlier version of a note in ") +
                       (history.store.szRoot[0] ? history.store.szRoot : "the history store") +
                       ". Your notes are saved as usual.";
    SendDlgItemMessageW(hwnd, IDC_STATUS, SB_SETTEXTW, 0, (LPARAM)(WCHAR*)LWide(text.c_str()));
}

void MainDialog::CmNoteHistory() {
    if (!NoteLoaded())
        return;
    // A version handed over by the last save is listed too; a prune under
    // way is not waited for.
    history.WaitIdle(2000, true);
    NoteHistoryDialog dialog(history.store, szNoteName, !bReadOnlyBook && !bNoteUnreadable);
    if (dialog.RunModal(hwnd, MAKEINTRESOURCEA(IDD_NOTE_HISTORY)))
        RestoreNoteText(dialog.strRestore);
}

// As an edit of the user's: Undo takes it back, and the next save writes it.
void MainDialog::RestoreNoteText(const std::string& bytes) {
    HWND editor = NoteText();
    if (!editor || !hwnd)
        return;
    std::u16string text;
    TextEncoding encoding;
    TextFileToWide(bytes.data(), bytes.size(), &text, &encoding);
    SendMessageW(editor, EM_SETSEL, 0, -1);
    SendMessageW(editor, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
    SendMessageW(editor, EM_SETSEL, 0, 0);
    SetFocus(editor);
}

void MainDialog::CmRestoreDeleted() {
    if (bReadOnlyBook) {
        MessageBoxU(hwnd, "You cannot restore notes into this book because it is read only!",
                    "Read Only", MB_ICONINFORMATION | MB_OK);
        return;
    }
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    RestoreDeletedDialog dialog(history.store, folder);
    if (!dialog.RunModal(hwnd, MAKEINTRESOURCEA(IDD_RESTORE_DELETED)))
        return;
    std::string first, failed;
    for (HistoryEntry& entry : dialog.chosen) {
        char name[LFILE_PATH];
        if (!history.store.LoadIndex(entry) || !RestoreDeletedNote(folder, entry, name)) {
            char title[LFILE_PATH];
            LFile::_GetFileTitleFromPath(title, entry.indexed ? entry.index.path.c_str()
                                                              : entry.dataPath.c_str());
            failed += (failed.empty() ? "\"" : ", \"") + std::string(title) + "\"";
            continue;
        }
        history.store.Remove(entry);
        InsertNoteItem(NotesList(), name, ListView_GetItemCount(NotesList()));
        if (first.empty())
            first = name;
    }
    if (!first.empty()) {
        FitNotesColumn();
        LVSelectItem(IDC_NOTES, FindNoteItem(first.c_str()));
    }
    if (!failed.empty()) {
        std::string message = "Jotwell cannot restore " + failed +
                              ". The book's folder may be read only or out of reach.\r\n\r\n"
                              "What could not be restored stays among the deleted notes.";
        MessageBoxU(hwnd, message.c_str(), "Jotwell", MB_ICONWARNING | MB_OK);
    }
}

// Under its own name when that is free, else "Name (restored)", "Name
// (restored 2)"...: a name is taken by a listed note or any file. The rename
// that puts it in place replaces nothing, so a note another computer made
// meanwhile under that name stays too.
bool MainDialog::RestoreDeletedNote(const char* folder, const HistoryEntry& entry, char* name) {
    NoteFileText file;
    if (!history.store.Read(entry, &file))
        return false;
    char title[LFILE_PATH];
    LFile::_GetFileTitleFromPath(title, entry.index.path.c_str());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char path[LFILE_PATH], tmp[LFILE_PATH];
        if (!RestoredNoteName(folder, title, attempt, name) || !NotePath(folder, name, path))
            return false;
        if (FindNoteItem(name) >= 0 || LFile::Exists(path))
            continue;
        if (!LFile::WriteTempBeside(path, file.data ? file.data : "", file.size, tmp))
            return false;
        if (MoveFileExU(tmp, path, MOVEFILE_WRITE_THROUGH))
            return true;
        DeleteFileU(tmp);
        if (!LFile::Exists(path))
            return false;
    }
    return false;
}
