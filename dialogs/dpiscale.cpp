#include "dialogs/dpiscale.h"

#include "resources/resource.h"

namespace {
const int kScaleDpi[IMAGE_SCALE_COUNT] = {96, 120, 144, 192};
}

int ScalePixels(int pixels, int dpi) {
    long long n = (long long)pixels * dpi;
    long long half = DPI_STANDARD / 2;
    return (int)(n >= 0 ? (n + half) / DPI_STANDARD : -((-n + half) / DPI_STANDARD));
}

int ImageScaleDpi(ImageScale scale) {
    return kScaleDpi[scale];
}

ImageScale ImageScaleForDpi(int dpi) {
    int scale = IMAGE_SCALE_COUNT - 1;
    while (scale > IMAGE_SCALE_100 && kScaleDpi[scale] > dpi)
        --scale;
    return (ImageScale)scale;
}

int ImagePixels(int size, ImageScale scale) {
    return ScalePixels(size, kScaleDpi[scale]);
}

int ScaledImageId(int id, ImageScale scale) {
    return id + scale * ID_SCALE_STEP;
}
