// The dialog base, the modeless loop and the property-sheet page.
#include "dialogs/ldialog.h"

#include <commctrl.h>
#include <prsht.h>
#include "util/lwide.h"

namespace {
HINSTANCE g_hInstance = NULL;
}

HINSTANCE LGetInstance() {
    return g_hInstance ? g_hInstance : GetModuleHandleA(NULL);
}

void LSetInstance(HINSTANCE hInstance) {
    g_hInstance = hInstance;
}

// LDialog

LDialog::LDialog() : hwnd(NULL) {}
LDialog::~LDialog() {}
void LDialog::InitDialog() {}
bool LDialog::CmOk() { return true; }
bool LDialog::CmCancel() { return true; }
void LDialog::CmHelp() {}
void LDialog::UpdateControls() {}
void LDialog::Command(WORD, WORD) {}
void LDialog::DestroyDialog() {}

void LDialog::Close(INT_PTR result) {
    DestroyDialog();
    HWND h = hwnd;
    hwnd = NULL;
    EndDialog(h, result);
}

INT_PTR LDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_DESTROY:
        DestroyDialog();
        hwnd = NULL;
        return FALSE;
    case WM_ENDSESSION:
        if (wParam) {
            DestroyDialog();
            hwnd = NULL;
        }
        return TRUE;
    case WM_HELP:
        CmHelp();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (CmOk())
                Close(IDOK);
            return TRUE;
        case IDCANCEL:
            if (CmCancel())
                Close(IDCANCEL);
            return TRUE;
        case 9:
            CmHelp();
            return TRUE;
        default:
            Command(LOWORD(wParam), HIWORD(wParam));
            // The command may have closed the dialog.
            if (hwnd)
                UpdateControls();
            return TRUE;
        }
    }
    return FALSE;
}

namespace {
// Dialogs are made by the W functions, so that their edit boxes hold text
// in any language; the A messages the program sends them are translated.
class TemplateName {
public:
    explicit TemplateName(LPCSTR name) : wide(IS_INTRESOURCE(name) ? NULL : name) {
        pszName = IS_INTRESOURCE(name) ? (LPCWSTR)name : (LPCWSTR)wide;
    }
    operator LPCWSTR() const { return pszName; }

private:
    LWide wide;
    LPCWSTR pszName;
};
}  // namespace

bool LDialog::RunModal(HWND owner, LPCSTR templateName) {
    if (hwnd)
        return false;
    INT_PTR result = DialogBoxParamW(LGetInstance(), TemplateName(templateName), owner,
                                     SharedDialogProc, (LPARAM)this);
    return result == IDOK;
}

INT_PTR CALLBACK LDialog::SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        LDialog* dlg = (LDialog*)lParam;
        SetWindowLongPtrA(hwnd, DWLP_USER, (LONG_PTR)dlg);
        if (dlg) {
            dlg->hwnd = hwnd;
            dlg->InitDialog();
            if (dlg->hwnd == hwnd)
                dlg->UpdateControls();
        }
        return TRUE;
    }
    LDialog* dlg = (LDialog*)GetWindowLongPtrA(hwnd, DWLP_USER);
    if (msg == WM_NCDESTROY)
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    if (!dlg || dlg->hwnd != hwnd)
        return FALSE;
    return dlg->DialogProc(msg, wParam, lParam);
}

// LKeyDialog

void LKeyDialog::Close(INT_PTR) {
    HWND parent = GetParent(hwnd);
    if (parent)
        EnableWindow(parent, TRUE);
    DestroyWindow(hwnd);
}

bool LKeyDialog::OnKeyDown(DWORD) { return false; }
bool LKeyDialog::OnKeyUp(WPARAM) { return false; }

bool LKeyDialog::PreTranslateMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (lParam & (1 << 30))
            return false;  // auto-repeat of a key already down
        return OnKeyDown(PackKey((unsigned)wParam, GetKeyState(VK_CONTROL) < 0,
                                 GetKeyState(VK_MENU) < 0, GetKeyState(VK_SHIFT) < 0));
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return OnKeyUp(wParam);
    }
    return false;
}

bool LKeyDialog::Create(HWND owner, LPCSTR templateName) {
    if (hwnd)
        return false;
    HWND created = CreateDialogParamW(LGetInstance(), TemplateName(templateName), owner,
                                      SharedDialogProc, (LPARAM)this);
    if (!created)
        return false;
    if (owner)
        EnableWindow(owner, FALSE);
    return true;
}

void LKeyDialog::ProcessMessage(MSG& msg) {
    if (PreTranslateMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam))
        return;
    // The W functions: a character typed into the Unicode note editor then
    // reaches it whole, even where the system code page has no such
    // character. Windows of the A functions get their messages translated.
    if (!hwnd || !IsDialogMessageW(hwnd, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool LKeyDialog::Open(HWND owner, LPCSTR templateName) {
    if (!Create(owner, templateName))
        return false;
    MSG msg;
    bool quit = false;
    while (hwnd && IsWindow(hwnd)) {
        BOOL got = GetMessageW(&msg, NULL, 0, 0);
        if (got == 0 || got == -1) {
            quit = got == 0;
            break;
        }
        ProcessMessage(msg);
    }
    // Ended by WM_QUIT: tear the window down properly (its DestroyDialog
    // saves what needs saving) and let an outer loop see the quit too.
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
    if (quit)
        PostQuitMessage((int)msg.wParam);
    if (owner)
        EnableWindow(owner, TRUE);
    return true;
}

// LToolBarDialog

LToolBarDialog::LToolBarDialog() : hwndToolBar(NULL) {}

bool LToolBarDialog::CmOk() { return false; }

void LToolBarDialog::AddTool(HWND& hwndTip, int id, const char* text) {
    if (!hwndTip) {
        InitCommonControls();
        hwndTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, NULL,
                                  LGetInstance(), NULL);
        if (!hwndTip)
            return;
        SetWindowPos(hwndTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    // The dialog relays the control's mouse messages itself (RelayToolTipEvent)
    // instead of letting the tooltip subclass the control: a subclassed
    // control pays a window-property lookup on every message, which under
    // Wine is a server round trip and made a long note list many times
    // slower to fill and to scan.
    TOOLINFOA ti;
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hwnd;
    ti.uId = (UINT_PTR)GetDlgItem(hwnd, id);
    ti.lpszText = (LPSTR)text;
    SendMessageA(hwndTip, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void LToolBarDialog::RelayToolTipEvent(HWND hwndTip, HWND window, UINT msg, WPARAM wParam,
                                       LPARAM lParam) {
    if (!hwndTip || msg < WM_MOUSEFIRST || msg > WM_MOUSELAST)
        return;
    MSG relayed = {window, msg, wParam, lParam, (DWORD)GetMessageTime(), {0, 0}};
    SendMessageA(hwndTip, TTM_RELAYEVENT, 0, (LPARAM)&relayed);
}

// LPropertyPage

INT_PTR CALLBACK LPropertyPage::PageDialogProc(HWND hwnd, UINT msg, WPARAM wParam,
                                               LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        const PROPSHEETPAGEA* page = (const PROPSHEETPAGEA*)lParam;
        return SharedDialogProc(hwnd, msg, wParam, page ? page->lParam : 0);
    }
    return SharedDialogProc(hwnd, msg, wParam, lParam);
}

INT_PTR LPropertyPage::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const NMHDR* hdr = (const NMHDR*)lParam;
        if (hdr->hwndFrom == GetParent(hwnd)) {
            if (hdr->code == (UINT)PSN_HELP) {
                CmHelp();
                return TRUE;
            }
            if (hdr->code == (UINT)PSN_APPLY) {
                SetWindowLongPtrA(hwnd, DWLP_MSGRESULT,
                                  CmOk() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
                return TRUE;
            }
        }
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return TRUE;  // the sheet owns these buttons
    return LDialog::DialogProc(msg, wParam, lParam);
}
