#include "dialogs/logolayout.h"

#include "dialogs/dpiscale.h"

LogoLayout ComputeLogoLayout(int w, int h, int dlu10, int dpi) {
    LogoLayout l;
    int below = ScalePixels(88, dpi);  // the text's room under the logo
    l.splashWidth = w + ScalePixels(4, dpi);
    l.splashHeight = h + below;
    int textTop = h + ScalePixels(1, dpi);
    l.text = LRect{ScalePixels(2, dpi), textTop, w - ScalePixels(4, dpi),
                   textTop + ScalePixels(82, dpi)};
    l.panelHeight = h + below;
    int buttonHeight = dlu10 + ScalePixels(9, dpi);
    int buttonLeft = w - ScalePixels(106, dpi);
    int buttonTop = h + ScalePixels(96, dpi);
    l.okButton = LRect{buttonLeft, buttonTop, buttonLeft + ScalePixels(100, dpi),
                       buttonTop + buttonHeight};
    l.aboutClientHeight = l.panelHeight + ScalePixels(15, dpi) + buttonHeight;
    return l;
}

int LogoFontHeight(int dpi) {
    return ScalePixels(16, dpi);
}
