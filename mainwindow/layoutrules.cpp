#include "mainwindow/layoutrules.h"

#include "dialogs/dpiscale.h"

MainLayout ComputeMainLayout(int W, int H, int e, int s, int t, int dpi) {
    // At 96 DPI: 2 pixels between the columns and under the book list, 5
    // around the note name's text.
    int gap = ScalePixels(2, dpi);
    int namePadding = ScalePixels(5, dpi);
    MainLayout m;
    m.status = ControlPlace{0, H - s, W, s};
    int B = H - s;
    // The left column takes 38 percent of the width, truncated toward zero.
    int L = (int)((W - gap) * 0.38);
    m.books = ControlPlace{0, t, L, B - gap};
    m.noteName = ControlPlace{L + gap, t, W - gap - L, e + namePadding};
    int T = t + e + namePadding + gap;
    m.notes = ControlPlace{0, T, L, B - T};
    m.noteText = ControlPlace{L + gap, T, W - gap - L, B - T};
    return m;
}
