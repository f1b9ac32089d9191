// Find and Find Next: the editor finds the text in the loaded note; for a
// search through all notes the find job picks the next note that holds it.
#include <windows.h>
#include <commctrl.h>
#include <string.h>

#include "dialogs/lrichedit.h"
#include "features/finddialog.h"
#include "features/findjob.h"
#include "features/findpattern.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

void ShowFindError(HWND owner, const char* message) {
    MessageBoxU(owner, message, "Error", MB_ICONERROR | MB_OK);
}

}  // namespace

void MainDialog::CmFind() {
    FindDialog find(szFindText, &bFindMatchCase, &iFindNoteIndex, &iFindCharPos);
    if (!find.RunModal(hwnd, MAKEINTRESOURCEA(IDD_FIND)))
        return;
    if (!szFindText[0]) {
        ShowFindError(hwnd, "Enter search item.");
        return;
    }
    if (iFindNoteIndex != -1) {
        // The job reads the notes from disk: the loaded one must be there as
        // it shows on screen.
        SaveData();
        // Cancelled, or no note holds the text: nothing to say.
        FindJob job(*this);
        if (job.Run(hwnd) != FIND_FOUND || !OpenFoundNote())
            return;
    }
    CmFindNext();
}

void MainDialog::CmFindNext() {
    // Before any Find there is nothing to look for.
    if (!szFindText[0]) {
        ShowFindError(hwnd, "No item found");
        return;
    }
    while (!SelectNextOccurrence()) {
        if (iFindNoteIndex == -1) {
            ShowFindError(hwnd, "No item found");
            return;
        }
        iFindNoteIndex = ListView_GetNextItem(NotesList(), -1, LVNI_SELECTED) + 1;
        FindJob job(*this);
        if (job.Run(hwnd) != FIND_FOUND) {
            ShowFindError(hwnd, "No item found");
            return;
        }
        if (!OpenFoundNote())
            return;
        iFindCharPos = 0;
    }
}

// Selects the next occurrence in the loaded note from iFindCharPos on. The
// search then goes on from one character further, so overlapping
// occurrences are found too.
bool MainDialog::SelectNextOccurrence() {
    HWND edit = NoteText();
    // The same comparison as the find through all notes, so that the note
    // it picks shows the place.
    FindPattern text(szFindText, bFindMatchCase);
    LONG count = 0;
    std::unique_ptr<WCHAR[]> rest = LRichEdit::GetTextFrom(edit, iFindCharPos, &count);
    ptrdiff_t found = rest ? text.FindIn((const char16_t*)rest.get(), (size_t)count) : -1;
    if (found < 0)
        return false;
    LONG at = iFindCharPos + (LONG)found;
    LRichEdit::SetSelection(edit, at, at + (LONG)text.Forms().unitCount);
    LRichEdit::HideSelection(edit, false);
    iFindCharPos = at + 1;
    return true;
}

// Makes note iFindNoteIndex the current one. False when the note being left
// could not be saved and the user chose to stay on it.
bool MainDialog::OpenFoundNote() {
    LVSelectItem(IDC_NOTES, iFindNoteIndex);
    ItemSelectionChanged();
    return ListView_GetNextItem(NotesList(), -1, LVNI_SELECTED) == iFindNoteIndex;
}
