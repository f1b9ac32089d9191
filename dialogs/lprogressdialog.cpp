#include "dialogs/lprogressdialog.h"

#include <commctrl.h>

#include "dialogs/dpiscale.h"
#include "dialogs/ldialog.h"
#include "dialogs/ldpi.h"
#include "resources/resource.h"
#include "util/lwide.h"

LProgressDialog::LProgressDialog(const char* title)
    : hwnd(NULL), szTitle(title), iShownPercent(0), hiconScaled(NULL) {
    InitCommonControls();
}

INT_PTR LProgressDialog::JobDialogProc(UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool LProgressDialog::Open(HWND owner) {
    if (hwnd)
        return false;
    return CreateDialogParamA(LGetInstance(), "LProgressDialog", owner, ProgressDialogProc,
                              (LPARAM)this) != NULL;
}

int LProgressDialog::Run(HWND owner) {
    if (!Open(owner))
        return 0;
    if (owner)
        EnableWindow(owner, FALSE);
    int result = MainFunction();
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
        SetFocus(owner);
    }
    if (hwnd && IsWindow(hwnd)) {
        DestroyWindow(hwnd);
        hwnd = NULL;
    }
    return result;
}

bool LProgressDialog::PumpMessages() {
    MSG msg;
    for (;;) {
        if (!hwnd || !IsWindow(hwnd))
            return true;
        if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            return false;
        if (msg.message == WM_QUIT) {
            // Leave the quit for the program's own loop.
            PostQuitMessage((int)msg.wParam);
            return false;
        }
        if (!IsDialogMessageA(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void LProgressDialog::SetText(const char* text, int line) {
    if (!hwnd || line < 0 || line > 1)
        return;
    SetDlgItemTextU(hwnd, line == 0 ? IDC_PROGRESS_TEXT0 : IDC_PROGRESS_TEXT1, text);
}

void LProgressDialog::SetProgress(double fraction) {
    // Each call into the window system is slow under Wine, and most steps of
    // a long job do not move the bar by a whole percent.
    int percent = ProgressPercent(fraction);
    if (!hwnd || percent == iShownPercent)
        return;
    iShownPercent = percent;
    SendDlgItemMessageA(hwnd, IDC_PROGRESS_BAR, PBM_SETPOS, percent, 0);
}

INT_PTR CALLBACK LProgressDialog::ProgressDialogProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                     LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        LProgressDialog* job = (LProgressDialog*)lParam;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)job);
        job->hwnd = hwnd;
        SetWindowTextU(hwnd, job->szTitle);
        SendDlgItemMessageA(hwnd, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendDlgItemMessageA(hwnd, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
        job->iShownPercent = 0;
        // The template's icon is the 32-pixel one, which the system would
        // stretch for a larger DPI.
        int dpi = LDpi::ForWindow(hwnd);
        if (ImageScaleForDpi(dpi) != IMAGE_SCALE_100 && !job->hiconScaled) {
            job->hiconScaled = LDpi::LoadScaledIcon(IDI_JOTWELL, 32, dpi);
            if (job->hiconScaled)
                SendDlgItemMessageA(hwnd, IDC_PROGRESS_ICON, STM_SETICON,
                                    (WPARAM)job->hiconScaled, 0);
        }
        return TRUE;
    }
    LProgressDialog* job = (LProgressDialog*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    bool claimed = job && job->hwnd == hwnd;
    if (msg == WM_NCDESTROY)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        if (claimed)
            job->hwnd = NULL;
        DestroyWindow(hwnd);
        return TRUE;
    }
    return claimed ? job->JobDialogProc(msg, wParam, lParam) : FALSE;
}
