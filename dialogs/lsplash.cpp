#include "dialogs/lsplash.h"

#include "resources/resource.h"

const char* const LOGO_PRODUCT_NAME = "Jotwell";
const char* const LOGO_VERSION_LINE = "Jotwell v 1.02";
const char* const LOGO_NOTICE_LINE = "Distributed by Korvane - www.korvane.com";

namespace {
const char kClassName[] = "LAW";
const UINT kDrawFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

HFONT MakePanelFont(int weight) {
    return CreateFontA(16, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
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

SIZE LSplashAboutBase::LogoSize() {
    SIZE size = {0, 0};
    HBITMAP logo = (HBITMAP)LoadImageA(LGetInstance(), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP,
                                       0, 0, LR_CREATEDIBSECTION);
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

    HBITMAP logo = (HBITMAP)LoadImageA(LGetInstance(), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP,
                                       0, 0, LR_CREATEDIBSECTION);
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

    RECT r = {2, size.cy + 1, size.cx - 4, size.cy + 1 + 82};
    HFONT bold = MakePanelFont(FW_BOLD);
    HGDIOBJ previous = SelectObject(dc, bold);
    DrawLine(dc, r, LOGO_PRODUCT_NAME);

    HFONT normal = MakePanelFont(FW_NORMAL);
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
    SIZE logo = LogoSize();
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    int width = logo.cx + 4;
    int height = logo.cy + 88;
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

    SIZE logo = LSplashAboutBase::LogoSize();
    int b = DialogUnitsToPixels(10) + 9;
    MoveControl(IDOK, logo.cx - 106, logo.cy + 96, 100, b);
    MoveControl(IDC_ABOUT_LOGO, 0, 0, logo.cx, logo.cy + 88);

    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    int neededHeight = logo.cy + 88 + 15 + b;
    int width = (window.right - window.left) + (logo.cx - client.right);
    int height = (window.bottom - window.top) + (neededHeight - client.bottom);
    MoveWindow(hwnd, window.left, window.top, width, height, TRUE);
}
