#include "features/finddialog.h"

#include "resources/resource.h"
#include "util/lfile.h"
#include "util/lwide.h"

FindDialog::FindDialog(char* text, bool* pMatchCase, int* pNoteIndex, int* pCharPos)
    : szText(text), pbMatchCase(pMatchCase), piNoteIndex(pNoteIndex), piCharPos(pCharPos) {}

void FindDialog::InitDialog() {
    // The text must fit the 260-byte find buffer; typing or pasting more is cut.
    SendDlgItemMessageA(hwnd, IDC_FIND_TEXT, EM_LIMITTEXT, LFILE_PATH_MAX_CHARS, 0);
    SetDlgItemTextU(hwnd, IDC_FIND_TEXT, szText);
    CheckDlgButton(hwnd, IDC_FIND_MATCH_CASE, *pbMatchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(hwnd, IDC_FIND_CURRENT_NOTE, IDC_FIND_ALL_NOTES,
                     *piNoteIndex == -1 ? IDC_FIND_CURRENT_NOTE : IDC_FIND_ALL_NOTES);
}

bool FindDialog::CmOk() {
    GetDlgItemTextU(hwnd, IDC_FIND_TEXT, szText, LFILE_PATH);
    *pbMatchCase = IsDlgButtonChecked(hwnd, IDC_FIND_MATCH_CASE) == BST_CHECKED;
    // An all-notes search always starts with the first note of the list.
    *piNoteIndex = IsDlgButtonChecked(hwnd, IDC_FIND_CURRENT_NOTE) == BST_CHECKED ? -1 : 0;
    *piCharPos = 0;
    return true;
}
