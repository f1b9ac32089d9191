#include "dialogs/ldpi.h"

#include "dialogs/dpiscale.h"
#include "dialogs/ldialog.h"

namespace {

typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
typedef UINT(WINAPI* DpiForSystemFunction)(void);
typedef BOOL(WINAPI* DpiBehaviorFunction)(HWND, int, int);

// DDC_DISABLE_RESIZE and DDC_DISABLE_CONTROL_RELAYOUT; DCDC_DISABLE_FONT_UPDATE
// (Windows 10, 1703), whichever headers the build has.
const int kNoResizeNoRelayout = 0x0002 | 0x0004;
const int kNoFontUpdate = 0x0001;

// Through void (*)(void), the type that converts to any function type.
void (*User32Function(const char* name))(void) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return (void (*)(void))(user32 ? GetProcAddress(user32, name) : NULL);
}

int ScreenDpi() {
    HDC screen = GetDC(NULL);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(NULL, screen);
    return dpi > 0 ? dpi : DPI_STANDARD;
}

}  // namespace

int LDpi::ForWindow(HWND window) {
    static DpiForWindowFunction forWindow =
        (DpiForWindowFunction)User32Function("GetDpiForWindow");
    int dpi = window && forWindow ? (int)forWindow(window) : 0;
    return dpi > 0 ? dpi : OfSystem();
}

int LDpi::OfSystem() {
    static DpiForSystemFunction forSystem =
        (DpiForSystemFunction)User32Function("GetDpiForSystem");
    int dpi = forSystem ? (int)forSystem() : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

HICON LDpi::LoadScaledIcon(int id, int size, int dpi) {
    ImageScale scale = ImageScaleForDpi(dpi);
    int side = ImagePixels(size, scale);
    // Not shared: the system's cache of shared icons finds an icon by its
    // name whatever the size asked for.
    return (HICON)LoadImageA(LGetInstance(), MAKEINTRESOURCEA(ScaledImageId(id, scale)),
                             IMAGE_ICON, side, side, 0);
}

HBITMAP LDpi::LoadScaledBitmap(int id, int dpi) {
    int scaled = ScaledImageId(id, ImageScaleForDpi(dpi));
    return (HBITMAP)LoadImageA(LGetInstance(), MAKEINTRESOURCEA(scaled), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION);
}

void LDpi::KeepOwnLayout(HWND dialog) {
    static DpiBehaviorFunction setBehavior =
        (DpiBehaviorFunction)User32Function("SetDialogDpiChangeBehavior");
    if (setBehavior && dialog)
        setBehavior(dialog, kNoResizeNoRelayout, kNoResizeNoRelayout);
}

void LDpi::KeepOwnFont(HWND control) {
    static DpiBehaviorFunction setBehavior =
        (DpiBehaviorFunction)User32Function("SetDialogControlDpiChangeBehavior");
    if (setBehavior && control)
        setBehavior(control, kNoFontUpdate, kNoFontUpdate);
}
