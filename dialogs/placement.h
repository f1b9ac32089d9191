// Window placement arithmetic for the main window. Window-free.
#ifndef JOTWELL_DIALOGS_PLACEMENT_H
#define JOTWELL_DIALOGS_PLACEMENT_H

struct LRect {
    int left, top, right, bottom;
};

// Defaults of the stored main window placement.
const int PLACEMENT_DEFAULT_X = 160;
const int PLACEMENT_DEFAULT_Y = 80;
const int PLACEMENT_DEFAULT_WIDTH = 532;
const int PLACEMENT_DEFAULT_HEIGHT = 307;

// The default window rectangle at dpi: the figures above, scaled.
LRect DefaultPlacement(int dpi);

// Pulls a stored window rectangle inside the desktop: the size is cut to the
// desktop's, then the position moved so the window lies wholly inside.
LRect ClampToDesktop(int x, int y, int width, int height, const LRect& desktop);

// The rectangle to store for a normal window: its right edge limited to the
// desktop's right edge.
LRect PlacementToStore(const LRect& window, const LRect& desktop);

#endif
