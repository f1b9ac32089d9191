// Pixel figures at the display's scale: at 96 DPI every figure is the one
// the program always had; at other DPIs the gaps and pictures grow with it.
#include "dialogs/dpiscale.h"
#include "dialogs/logolayout.h"
#include "mainwindow/layoutrules.h"
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

TEST(MainLayout, GapsAreTheOriginalPixelsAt96AndScaleWithTheDpi) {
    // Client 524 by 261, 10 dialog units 16, status bar 20, toolbar 40.
    MainLayout m = ComputeMainLayout(524, 261, 16, 20, 40, 96);
    EXPECT_EQ(m.noteName.x - m.books.width, 2);
    EXPECT_EQ(m.noteName.height, 16 + 5);
    EXPECT_EQ(m.notes.y, 40 + 16 + 7);
    m = ComputeMainLayout(786, 392, 24, 30, 60, 144);
    EXPECT_EQ(m.noteName.x - m.books.width, 3);
    EXPECT_EQ(m.noteName.height, 24 + 8);
    EXPECT_EQ(m.notes.y, 60 + 24 + 8 + 3);
}

TEST(LogoLayout, SplashAndAboutFiguresAt96AndScaledElsewhere) {
    LogoLayout l = ComputeLogoLayout(340, 198, 16, 96);
    EXPECT_EQ(l.splashHeight, 286);
    EXPECT_EQ(l.okButton.left, 234);
    EXPECT_EQ(l.aboutClientHeight, 286 + 15 + 16 + 9);
    l = ComputeLogoLayout(510, 297, 24, 144);
    EXPECT_EQ(l.splashHeight, 297 + 132);
    EXPECT_EQ(l.okButton.top, 297 + 144);
}

}  // namespace
