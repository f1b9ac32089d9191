// Keyboard shortcuts of the main window, moving between notes, and Tab
// moving between the controls and the fields of a note.

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <vector>

#include "dialogs/lrichedit.h"
#include "mainwindow/fieldsearch.h"
#include "mainwindow/maindialog.h"
#include "resources/resource.h"

namespace {
// Beyond any note's end: puts the caret at the end of the text.
const LONG kPastTheEnd = 0xFFFFF;
}

bool MainDialog::PreTranslateMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    RelayToolTipEvent(hwndToolTip, window, msg, wParam, lParam);
    if (msg != WM_KEYDOWN)
        return false;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    if (ctrl) {
        switch (wParam) {
        case 'N': CmNoteNew(); break;
        case VK_DELETE: CmNoteDelete(); break;
        case 'F':
            if (shift)
                CmSearchAll();
            else
                CmFind();
            break;
        case 'V': PastePlainText(); break;
        case 'P':
            if (shift)
                CmBookPrint();
            else
                CmNotePrint();
            break;
        default:
            goto plainKeys;
        }
        if (hwnd)
            UpdateControls();
        return true;
    }
plainKeys:
    switch (wParam) {
    case VK_NEXT: CmNextNote(); return true;
    case VK_PRIOR: CmPreviousNote(); return true;
    case VK_TAB: MoveFocus(shift); return true;
    case VK_ESCAPE: return true;
    case VK_F1: CmHelp(); return true;
    case VK_F3: CmFindNext(); return true;
    }
    return false;
}

void MainDialog::CmNextNote() {
    HWND list = NotesList();
    int current = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    int count = ListView_GetItemCount(list);
    LVSelectItem(IDC_NOTES, current == count - 1 ? current : current + 1);
}

void MainDialog::CmPreviousNote() {
    int current = ListView_GetNextItem(NotesList(), -1, LVNI_SELECTED);
    LVSelectItem(IDC_NOTES, current == 0 ? 0 : current - 1);
}

void MainDialog::MoveFocus(bool backwards) {
    HWND focus = GetFocus();
    int id = focus && GetParent(focus) == hwnd ? GetDlgCtrlID(focus) : 0;
    switch (id) {
    case IDC_BOOKS:
        if (backwards)
            EnterNoteText(true);
        else
            SetFocus(NotesList());
        break;
    case IDC_NOTES:
        SetFocus(GetDlgItem(hwnd, backwards ? IDC_BOOKS : IDC_NOTE_NAME));
        break;
    case IDC_NOTE_NAME:
        if (backwards)
            SetFocus(NotesList());
        else
            EnterNoteText(false);
        break;
    case IDC_NOTE_TEXT:
        if (!SelectNextField(backwards)) {
            LRichEdit::HideSelection(NoteText(), true);
            SetFocus(GetDlgItem(hwnd, backwards ? IDC_NOTE_NAME : IDC_BOOKS));
        }
        break;
    }
}

void MainDialog::EnterNoteText(bool fromEnd) {
    HWND text = NoteText();
    if (!text)
        return;
    SetFocus(text);
    LONG caret = fromEnd ? kPastTheEnd : 0;
    LRichEdit::SetSelection(text, caret, caret);
    if (fromEnd) {
        SelectNextField(true);
        return;
    }
    LONG colon = LRichEdit::FindText(text, 0, ":", false);
    if (colon >= 0)
        SelectFieldAfter(colon);
}

bool MainDialog::SelectNextField(bool backwards) {
    HWND text = NoteText();
    LONG start = 0, end = 0;
    LRichEdit::GetSelection(text, &start, &end);
    LONG colon;
    if (backwards) {
        colon = FindColonBefore(start - 2);
    } else {
        colon = LRichEdit::FindText(text, end < 0 ? start : end, ":", false);
    }
    if (colon < 0)
        return false;
    SelectFieldAfter(colon);
    return true;
}

LONG MainDialog::FindColonBefore(LONG before) {
    if (before <= 0)
        return -1;
    std::vector<char> buffer(before + 1);
    LONG got = LRichEdit::GetTextRange(NoteText(), 0, before, buffer.data());
    return FindColonBackward(buffer.data(), got, before);
}

void MainDialog::SelectFieldAfter(LONG colon) {
    HWND text = NoteText();
    // One character past the colon, and a blank: read them to find the start.
    char after[3] = "";
    LONG got = LRichEdit::GetTextRange(text, colon, colon + 2, after);
    LONG start = colon + (FieldStart(after, got, 0));
    LONG line = (LONG)SendMessageA(text, EM_LINEFROMCHAR, start, 0);
    LONG lineStart = (LONG)SendMessageA(text, EM_LINEINDEX, line, 0);
    LONG lineLength = (LONG)SendMessageA(text, EM_LINELENGTH, lineStart, 0);
    LRichEdit::SetSelection(text, start, lineStart + lineLength);
    LRichEdit::HideSelection(text, false);
    SendMessageA(text, EM_SCROLLCARET, 0, 0);
}
