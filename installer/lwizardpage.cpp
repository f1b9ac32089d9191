#include "installer/lwizardpage.h"

#include <commctrl.h>
#include <prsht.h>

LWizardPage::LWizardPage() : dwWizButtons(PSWIZB_BACK | PSWIZB_NEXT) {}

INT_PTR LWizardPage::SetNotifyResult(LONG_PTR result) {
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR LWizardPage::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const NMHDR* hdr = (const NMHDR*)lParam;
        HWND sheet = GetParent(hwnd);
        if (hdr->hwndFrom == sheet) {
            switch (hdr->code) {
            case PSN_SETACTIVE:
                // Posted, like the page's own updates, so the latter arrive
                // after it and win.
                PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, dwWizButtons);
                UpdateControls();
                return SetNotifyResult(0);
            case PSN_WIZNEXT:
                return SetNotifyResult(CmOk() ? 0 : -1);
            case PSN_WIZFINISH:
                return SetNotifyResult(CmOk() ? 0 : TRUE);
            }
        }
    }
    return LPropertyPage::DialogProc(msg, wParam, lParam);
}
