// Restoring and storing the main window's placement.
#include "app/settingkeys.h"
#include "dialogs/ldialog.h"
#include "dialogs/ldpi.h"
#include "dialogs/placement.h"

namespace {
LRect DesktopRect() {
    RECT d;
    GetWindowRect(GetDesktopWindow(), &d);
    LRect r = {d.left, d.top, d.right, d.bottom};
    return r;
}
}  // namespace

// The values are the window's pixels on the screen, as stored; only the
// defaults follow the DPI.
void LDialog::WindowSizeSettingsRestore() {
    LRect defaults = DefaultPlacement(LDpi::ForWindow(hwnd));
    LRect stored = MainWindowRect(defaults);
    int x = stored.left, y = stored.top;
    int width = stored.right - stored.left, height = stored.bottom - stored.top;
    if (MainWindowMaximized()) {
        WINDOWPLACEMENT wp;
        wp.length = sizeof wp;
        GetWindowPlacement(hwnd, &wp);
        wp.flags |= WPF_RESTORETOMAXIMIZED;
        wp.showCmd = SW_MAXIMIZE;
        SetRect(&wp.rcNormalPosition, x, y, x + width, y + height);
        SetWindowPlacement(hwnd, &wp);
        return;
    }
    LRect r = ClampToDesktop(x, y, width, height, DesktopRect());
    MoveWindow(hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void LDialog::WindowSizeSettingsStore() {
    if (IsZoomed(hwnd)) {
        SetMainWindowMaximized(true);
        return;
    }
    if (IsIconic(hwnd))
        return;
    SetMainWindowMaximized(false);
    RECT w;
    GetWindowRect(hwnd, &w);
    LRect window = {w.left, w.top, w.right, w.bottom};
    LRect r = PlacementToStore(window, DesktopRect());
    SetMainWindowRect(r);
}
