#include "dialogs/ltexteditdlg.h"

#include "resources/resource.h"

LTextEditDlg::LTextEditDlg(char* text, const char* prompt) : pszText(text), pszPrompt(prompt) {}

void LTextEditDlg::InitDialog() {
    SetWindowTextA(hwnd, pszPrompt);
    SetDlgItemTextA(hwnd, IDC_PROMPT_TEXT, pszPrompt);
    SetDlgItemTextA(hwnd, IDC_PROMPT_EDIT, pszText);
    SendDlgItemMessageA(hwnd, IDC_PROMPT_EDIT, EM_SETSEL, 0, -1);
}

bool LTextEditDlg::CmOk() {
    GetControlText(IDC_PROMPT_EDIT, pszText);
    return true;
}
