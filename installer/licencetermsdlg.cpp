#include "installer/licencetermsdlg.h"

#include <commctrl.h>
#include <prsht.h>

#include "resources/resource.h"
#include "util/lwide.h"

LLicenceTermsDlg::LLicenceTermsDlg(bool* declined) : pbDeclined(declined) {}

void LLicenceTermsDlg::InitDialog() {
    SetDlgItemTextU(hwnd, IDC_LICENCE_TEXT, LICENCE_TEXT);
}

bool LLicenceTermsDlg::IsChecked(int id) {
    return IsDlgButtonChecked(hwnd, id) == BST_CHECKED;
}

bool LLicenceTermsDlg::CmOk() {
    *pbDeclined = !IsChecked(IDC_LICENCE_AGREE);
    return true;
}

// Finish stays disabled until the user has chosen; declining turns it into
// "Close".
void LLicenceTermsDlg::UpdateControls() {
    HWND sheet = GetParent(hwnd);
    bool agreed = IsChecked(IDC_LICENCE_AGREE);
    bool declined = IsChecked(IDC_LICENCE_DECLINE);
    SendMessageA(sheet, PSM_SETFINISHTEXT, 0, (LPARAM)(declined ? "Close" : "&Install"));
    PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, agreed || declined ? PSWIZB_FINISH : 0);
}

bool LLicenceTermsDlg::ConfirmExit() {
    return MessageBoxU(hwnd,
                       "Setup is not complete. If you quit now, the program will not be "
                       "installed.\r\n\r\nYou may run the setup program again at another time "
                       "to complete the installation.\r\n\r\nExit Setup?",
                       "Exit Setup", MB_ICONQUESTION | MB_OKCANCEL) == IDOK;
}

INT_PTR LLicenceTermsDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && ((const NMHDR*)lParam)->code == (UINT)PSN_QUERYCANCEL) {
        if (ConfirmExit())
            return FALSE;  // no result: the sheet closes
        return SetNotifyResult(TRUE);
    }
    return LWizardPage::DialogProc(msg, wParam, lParam);
}
