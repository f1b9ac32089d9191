// Restoring and storing the main window's placement.
#include "app/settings.h"
#include "dialogs/ldialog.h"
#include "dialogs/ldpi.h"
#include "dialogs/placement.h"

namespace {
const char kSection[] = "MainWindow";

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
    int x = SettingsGetInt(kSection, "X", defaults.left);
    int y = SettingsGetInt(kSection, "Y", defaults.top);
    int width = SettingsGetInt(kSection, "Width", defaults.right - defaults.left);
    int height = SettingsGetInt(kSection, "Height", defaults.bottom - defaults.top);
    if (SettingsGetBool(kSection, "Maximized", false)) {
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
        SettingsSetBool(kSection, "Maximized", true);
        return;
    }
    if (IsIconic(hwnd))
        return;
    SettingsSetBool(kSection, "Maximized", false);
    RECT w;
    GetWindowRect(hwnd, &w);
    LRect window = {w.left, w.top, w.right, w.bottom};
    LRect r = PlacementToStore(window, DesktopRect());
    SettingsSetInt(kSection, "X", r.left);
    SettingsSetInt(kSection, "Y", r.top);
    SettingsSetInt(kSection, "Width", r.right - r.left);
    SettingsSetInt(kSection, "Height", r.bottom - r.top);
}
