// Building a toolbar from a table of button records.
#include "dialogs/ldialog.h"

#include <commctrl.h>

#include <vector>

#include "dialogs/dpiscale.h"
#include "resources/resource.h"

void LToolBar::SetToolBar(HWND* phwndToolBar, const LToolBarButton* buttons, HWND parent,
                          int count, int dpi) {
    // The program's button bitmaps are 24 by 24 at 100 percent and all its
    // own: no standard set is loaded, which would cost the start for images
    // never shown.
    ImageScale scale = ImageScaleForDpi(dpi);
    int side = ImagePixels(24, scale);
    HWND toolbar = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                                   IDC_TOOLBAR, 0, NULL, 0, NULL, 0, 0, 0, side, side,
                                   sizeof(TBBUTTON));
    *phwndToolBar = toolbar;
    if (!toolbar)
        return;
    SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // All buttons in one message: the toolbar lays itself out once, not once
    // per button.
    std::vector<TBBUTTON> added(count);
    for (int i = 0; i < count; ++i) {
        const LToolBarButton& b = buttons[i];
        TBBUTTON& button = added[i];
        ZeroMemory(&button, sizeof button);
        button.iBitmap = b.image;
        if (b.image < 0) {
            TBADDBITMAP bitmap = {LGetInstance(), (UINT_PTR)ScaledImageId(-b.image, scale)};
            button.iBitmap = (int)SendMessageA(toolbar, TB_ADDBITMAP, 1, (LPARAM)&bitmap);
        }
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = b.style;
        button.iString = b.label ? (INT_PTR)b.label : -1;
    }
    SendMessageA(toolbar, TB_ADDBUTTONSA, count, (LPARAM)added.data());
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

void LToolBar::SetToolTips(HWND toolbar, const LToolBarButton* buttons, int count) {
    HWND tips = toolbar ? (HWND)SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0) : NULL;
    if (!tips)
        return;
    for (int i = 0; i < count; ++i) {
        const LToolBarButton& b = buttons[i];
        if (!b.tooltip)
            continue;
        // The toolbar registered the button with its tooltip window; give
        // that tool its text.
        TOOLINFOA ti;
        ZeroMemory(&ti, sizeof ti);
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = toolbar;
        ti.uId = b.command;
        // Probe without a text buffer: the query would copy text into it.
        bool known = SendMessageA(tips, TTM_GETTOOLINFOA, 0, (LPARAM)&ti) != 0;
        ti.lpszText = (LPSTR)b.tooltip;
        if (known) {
            SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
        } else {
            SendMessageA(toolbar, TB_GETRECT, b.command, (LPARAM)&ti.rect);
            SendMessageA(tips, TTM_ADDTOOLA, 0, (LPARAM)&ti);
        }
    }
}
