#include "mainwindow/layoutrules.h"

MainLayout ComputeMainLayout(int W, int H, int e, int s, int t) {
    MainLayout m;
    m.status = ControlPlace{0, H - s, W, s};
    int B = H - s;
    // The left column takes 38 percent of the width, truncated toward zero.
    int L = (int)((W - 2) * 0.38);
    m.books = ControlPlace{0, t, L, B - 2};
    m.noteName = ControlPlace{L + 2, t, W - 2 - L, e + 5};
    int T = t + e + 7;
    m.notes = ControlPlace{0, T, L, B - T};
    m.noteText = ControlPlace{L + 2, T, W - 2 - L, B - T};
    return m;
}
