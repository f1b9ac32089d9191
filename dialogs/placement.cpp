#include "dialogs/placement.h"

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
