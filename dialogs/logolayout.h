// Where the logo panel's parts go, in the splash window and in the About
// box, for a logo of w by h pixels at a window's DPI. Window-free.
#ifndef JOTWELL_DIALOGS_LOGOLAYOUT_H
#define JOTWELL_DIALOGS_LOGOLAYOUT_H

#include "dialogs/placement.h"

struct LogoLayout {
    int splashWidth, splashHeight;  // the splash window
    LRect text;                     // the product name and notice under the logo
    int panelHeight;                // the panel: the logo with its text (w wide)
    LRect okButton;                 // the About box's OK button
    int aboutClientHeight;          // the About box's client area (w wide)
};

// dlu10: the pixel height of 10 vertical dialog units of the About box.
LogoLayout ComputeLogoLayout(int w, int h, int dlu10, int dpi);

// The panel's text font height in pixels.
int LogoFontHeight(int dpi);

#endif
