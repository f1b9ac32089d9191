// Where the main window's controls go for a given client size. Window-free.
#ifndef JOTWELL_MAINWINDOW_LAYOUTRULES_H
#define JOTWELL_MAINWINDOW_LAYOUTRULES_H

#include "dialogs/placement.h"

// Rectangles as left, top, width, height.
struct ControlPlace {
    int x, y, width, height;
};

struct MainLayout {
    ControlPlace status;
    ControlPlace books;
    ControlPlace noteName;
    ControlPlace notes;
    ControlPlace noteText;
};

// W, H: client size; e: pixel height of 10 dialog units; s: status bar
// height; t: toolbar height; dpi: the window's, which scales the gaps.
MainLayout ComputeMainLayout(int W, int H, int e, int s, int t, int dpi);

#endif
