// The program's pictures, each drawn on its own canvas. Window-free.
#ifndef JOTWELL_TOOLS_ARTWORK_DESIGNS_H
#define JOTWELL_TOOLS_ARTWORK_DESIGNS_H

#include "tools/artwork/canvas.h"

// The program icon, 32 or 16 pixels square, on a clear background. Each size
// is drawn on its own grid so its edges fall on whole pixels.
Canvas DrawIcon(int size);

// The splash and About logo, opaque, LOGO_WIDTH by LOGO_HEIGHT.
const int LOGO_WIDTH = 340;
const int LOGO_HEIGHT = 198;
Canvas DrawLogo();

// Toolbar buttons, TOOL_SIZE square, on a clear background.
const int TOOL_SIZE = 24;
Canvas DrawNoteNew();
Canvas DrawNoteDelete();
Canvas DrawBookNew();
Canvas DrawFind();

#endif
