// Pixel figures at the display's scale: at 96 DPI every figure is the one
// the program always had; at other DPIs the figures and pictures grow with it.
#include "dialogs/dpiscale.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(ScalePixels, KeepsFiguresAt96AndRoundsHalvesAwayFromZero) {
    EXPECT_EQ(ScalePixels(307, 96), 307);
    EXPECT_EQ(ScalePixels(5, 144), 8);      // 7.5
    EXPECT_EQ(ScalePixels(198, 120), 248);  // 247.5
    EXPECT_EQ(ScalePixels(-5, 144), -8);
}

TEST(ImageScale, TakesTheLargestDrawnScaleNotAboveTheDisplays) {
    EXPECT_EQ(ImageScaleForDpi(72), IMAGE_SCALE_100);
    EXPECT_EQ(ImageScaleForDpi(119), IMAGE_SCALE_100);
    EXPECT_EQ(ImageScaleForDpi(120), IMAGE_SCALE_125);
    EXPECT_EQ(ImageScaleForDpi(168), IMAGE_SCALE_150);
    EXPECT_EQ(ImageScaleForDpi(288), IMAGE_SCALE_200);
    EXPECT_EQ(ImagePixels(16, IMAGE_SCALE_125), 20);
    EXPECT_EQ(ScaledImageId(IDB_FIND, IMAGE_SCALE_200), IDB_FIND + 3 * ID_SCALE_STEP);
}

}  // namespace
