// The fixed 256-colour palette of the bitmaps and the quantiser that maps
// drawn colours onto it. Window-free.
#ifndef JOTWELL_TOOLS_ARTWORK_PALETTE_H
#define JOTWELL_TOOLS_ARTWORK_PALETTE_H

#include "tools/artwork/canvas.h"

#include <stddef.h>
#include <stdint.h>
#include <vector>

struct Rgb8 {
    uint8_t r, g, b;
};

inline bool operator==(Rgb8 a, Rgb8 b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

const int PALETTE_SIZE = 256;

// Index of RGB(192,192,192): toolbars show it as the button face.
const int PALETTE_KEY = 7;

// The twenty colours every 256-colour display reserves keep their usual
// places (0-9, 246-255); the rest are grays, a colour cube for edges and
// ramps of the artwork's colours.
const std::vector<Rgb8>& ArtPalette();

// Nearest palette entry by weighted distance; never returns skip (-1: any).
int NearestIndex(Rgb8 c, int skip = -1);

// Pixels as palette indices, rows top to bottom.
struct IndexedImage {
    int width, height;
    std::vector<uint8_t> pixels;
    uint8_t At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

// An opaque picture, error-diffused so gradients stay smooth.
IndexedImage QuantiseDithered(const Canvas& canvas);

// A picture on a clear background: clear pixels become PALETTE_KEY, the
// others are put over that grey and never become the key themselves, so
// no speck of the drawing turns transparent.
IndexedImage QuantiseKeyed(const Canvas& canvas);

#endif
