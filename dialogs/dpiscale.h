// Pixel figures at the display's scale, and which drawn picture fits it.
// Window-free.
#ifndef JOTWELL_DIALOGS_DPISCALE_H
#define JOTWELL_DIALOGS_DPISCALE_H

// Every pixel figure of the program is given for this many dots per inch
// (100 percent).
const int DPI_STANDARD = 96;

// A figure given at DPI_STANDARD, at dpi: to the nearest pixel, halves away
// from zero, as MulDiv rounds.
int ScalePixels(int pixels, int dpi);

// The scales the artwork is drawn at.
enum ImageScale {
    IMAGE_SCALE_100,
    IMAGE_SCALE_125,
    IMAGE_SCALE_150,
    IMAGE_SCALE_200,
};
const int IMAGE_SCALE_COUNT = 4;

// The DPI a scale is drawn for: 96, 120, 144 or 192.
int ImageScaleDpi(ImageScale scale);

// The largest drawn scale not above the display's: a picture is never
// stretched, and between two scales the smaller one stays inside the room
// the layout gives it.
ImageScale ImageScaleForDpi(int dpi);

// The side of a picture drawn size pixels at 100 percent, at that scale.
int ImagePixels(int size, ImageScale scale);

// The resource id of picture id at that scale.
int ScaledImageId(int id, ImageScale scale);

#endif
