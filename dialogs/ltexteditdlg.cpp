#include "dialogs/ltexteditdlg.h"

#include "resources/resource.h"
#include "util/lwide.h"

LTextEditDlg::LTextEditDlg(char* text, const char* prompt) : pszText(text), pszPrompt(prompt) {}

void LTextEditDlg::InitDialog() {
    SetWindowTextU(hwnd, pszPrompt);
    SetDlgItemTextU(hwnd, IDC_PROMPT_TEXT, pszPrompt);
    SetDlgItemTextU(hwnd, IDC_PROMPT_EDIT, pszText);
    SendDlgItemMessageA(hwnd, IDC_PROMPT_EDIT, EM_SETSEL, 0, -1);
}

bool LTextEditDlg::CmOk() {
    GetControlText(IDC_PROMPT_EDIT, pszText);
    return true;
}
