#include "dialogs/placement.h"

#include "dialogs/dpiscale.h"

LRect DefaultPlacement(int dpi) {
    int x = ScalePixels(PLACEMENT_DEFAULT_X, dpi);
    int y = ScalePixels(PLACEMENT_DEFAULT_Y, dpi);
    LRect r = {x, y, x + ScalePixels(PLACEMENT_DEFAULT_WIDTH, dpi),
               y + ScalePixels(PLACEMENT_DEFAULT_HEIGHT, dpi)};
    return r;
}

LRect ClampToDesktop(int x, int y, int width, int height, const LRect& desktop) {
    int dw = desktop.right - desktop.left;
    int dh = desktop.bottom - desktop.top;
    if (width > dw)
        width = dw;
    if (height > dh)
        height = dh;
    if (x < desktop.left)
        x = desktop.left;
    if (y < desktop.top)
        y = desktop.top;
    if (x + width > desktop.right)
        x = desktop.right - width;
    if (y + height > desktop.bottom)
        y = desktop.bottom - height;
    LRect r = {x, y, x + width, y + height};
    return r;
}

LRect PlacementToStore(const LRect& window, const LRect& desktop) {
    LRect r = window;
    if (r.right > desktop.right)
        r.right = desktop.right;
    return r;
}
