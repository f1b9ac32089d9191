// The program's pictures, each drawn on its own canvas. Window-free.
#ifndef JOTWELL_TOOLS_ARTWORK_DESIGNS_H
#define JOTWELL_TOOLS_ARTWORK_DESIGNS_H

#include "dialogs/dpiscale.h"
#include "tools/artwork/canvas.h"

// The program icon, size pixels square, on a clear background: 16 or 32 at
// 100 percent, the small one up to 32 and the large one up to 64 at 200.
// Each size is drawn on its own grid so its edges fall on whole pixels.
Canvas DrawIcon(int size);

// The splash and About logo, opaque, LOGO_WIDTH by LOGO_HEIGHT at 100
// percent and as many pixels more as the scale asks.
const int LOGO_WIDTH = 340;
const int LOGO_HEIGHT = 198;
Canvas DrawLogo(ImageScale scale);

// Toolbar buttons, TOOL_SIZE square at 100 percent, on a clear background.
const int TOOL_SIZE = 24;
Canvas DrawNoteNew(ImageScale scale);
Canvas DrawNoteDelete(ImageScale scale);
Canvas DrawBookNew(ImageScale scale);
Canvas DrawFind(ImageScale scale);

// The factor a scale draws the 100 percent design at.
inline float DesignScale(ImageScale scale) {
    return (float)ImageScaleDpi(scale) / DPI_STANDARD;
}

#endif
