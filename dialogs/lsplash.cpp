#include "dialogs/lsplash.h"

#include "dialogs/ldpi.h"
#include "dialogs/logolayout.h"
#include "resources/resource.h"

const char* const LOGO_PRODUCT_NAME = "Jotwell";
const char* const LOGO_VERSION_LINE = "Jotwell v 1.02";
const char* const LOGO_NOTICE_LINE = "Distributed by Korvane - www.korvane.com";

namespace {
const char kClassName[] = "LAW";
const UINT kDrawFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

HFONT MakePanelFont(int weight, int dpi) {
    return CreateFontA(LogoFontHeight(dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, NULL);
}

// Draws one text line and moves the top of r below it.
void DrawLine(HDC dc, RECT& r, const char* text) {
    RECT line = r;
    int height = DrawTextA(dc, text, -1, &line, kDrawFlags);
    r.top += height;
}
}  // namespace

LSplashAboutBase::LSplashAboutBase() : bInAboutBox(false), hwnd(NULL) {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = 4;
    wc.hInstance = LGetInstance();
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

SIZE LSplashAboutBase::LogoSize(int dpi) {
    SIZE size = {0, 0};
    HBITMAP logo = LDpi::LoadScaledBitmap(IDB_LOGO, dpi);
    if (logo) {
        BITMAP bm;
        if (GetObjectA(logo, sizeof bm, &bm)) {
            size.cx = bm.bmWidth;
            size.cy = bm.bmHeight;
        }
        DeleteObject(logo);
    }
    return size;
}

void LSplashAboutBase::Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);

    int dpi = LDpi::ForWindow(window);
    HBITMAP logo = LDpi::LoadScaledBitmap(IDB_LOGO, dpi);
    SIZE size = {0, 0};
    if (logo) {
        BITMAP bm;
        GetObjectA(logo, sizeof bm, &bm);
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, logo);
        BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(logo);
    }

    LRect text = ComputeLogoLayout(size.cx, size.cy, 0, dpi).text;
    RECT r = {text.left, text.top, text.right, text.bottom};
    HFONT bold = MakePanelFont(FW_BOLD, dpi);
    HGDIOBJ previous = SelectObject(dc, bold);
    DrawLine(dc, r, LOGO_PRODUCT_NAME);

    HFONT normal = MakePanelFont(FW_NORMAL, dpi);
    SelectObject(dc, normal);
    DeleteObject(bold);
    DrawLine(dc, r, LOGO_VERSION_LINE);
    DrawLine(dc, r, LOGO_NOTICE_LINE);

    SelectObject(dc, previous);
    DeleteObject(normal);

    if (bInAboutBox) {
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, 0, client.bottom - 1, NULL);
        LineTo(dc, client.right, client.bottom - 1);
        SelectObject(dc, oldPen);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK LSplashAboutBase::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LSplashAboutBase* panel = (LSplashAboutBase*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (!panel)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        panel->Paint(hwnd);
        return 0;
    case WM_TIMER:
    case WM_LBUTTONDOWN:
        if (!panel->bInAboutBox)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        // The object must not refer to a splash window that is gone.
        if (panel->hwnd == hwnd)
            panel->hwnd = NULL;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void LSplashScreen::Display(HWND owner) {
    Destroy();
    int dpi = LDpi::ForWindow(owner);
    SIZE logo = LogoSize(dpi);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    LogoLayout layout = ComputeLogoLayout(logo.cx, logo.cy, 0, dpi);
    int width = layout.splashWidth;
    int height = layout.splashHeight;
    hwnd = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_BORDER,
                           (desktop.right - width) / 2, (desktop.bottom - height) / 2, width,
                           height, owner, NULL, LGetInstance(), NULL);
    if (!hwnd)
        return;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)this);
    bInAboutBox = false;
    // Shown without taking activation, which belongs to the main window. An
    // activated window is one the X11 driver hands to the window manager,
    // and on closing it waits up to 2 s for that manager to confirm: with
    // none running, the whole program stood still for those 2 s.
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    InvalidateRect(hwnd, NULL, TRUE);
    UpdateWindow(hwnd);
    SetTimer(hwnd, 1, 7000, NULL);
}

void LSplashScreen::Destroy() {
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
    hwnd = NULL;
}

LAboutBox::~LAboutBox() {}

void LAboutBox::InitDialog() {
    HWND panel = GetDlgItem(hwnd, IDC_ABOUT_LOGO);
    SetWindowLongPtrA(panel, GWLP_USERDATA, (LONG_PTR)&painter);
    painter.bInAboutBox = true;

    int dpi = LDpi::ForWindow(hwnd);
    SIZE logo = LSplashAboutBase::LogoSize(dpi);
    LogoLayout layout = ComputeLogoLayout(logo.cx, logo.cy, DialogUnitsToPixels(10), dpi);
    const LRect& ok = layout.okButton;
    MoveControl(IDOK, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top);
    MoveControl(IDC_ABOUT_LOGO, 0, 0, logo.cx, layout.panelHeight);

    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    int neededHeight = layout.aboutClientHeight;
    int width = (window.right - window.left) + (logo.cx - client.right);
    int height = (window.bottom - window.top) + (neededHeight - client.bottom);
    MoveWindow(hwnd, window.left, window.top, width, height, TRUE);
}
