// The artwork tool: drawing coverage, the palette and quantisers, the file
// encoders, and the six files read back as the resource compiler reads them.
#include "tools/artwork/artwork.h"
#include "tools/artwork/bmpwriter.h"
#include "tools/artwork/canvas.h"
#include "tools/artwork/palette.h"

#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const Color CLEAR = {0, 0, 0, 0};
const Color WHITE = {255, 255, 255, 1};
const Color BLACK = {0, 0, 0, 1};

uint32_t Get16(const Bytes& b, size_t at) {
    return b[at] | (uint32_t)b[at + 1] << 8;
}

uint32_t Get32(const Bytes& b, size_t at) {
    return Get16(b, at) | Get16(b, at + 2) << 16;
}

Bytes ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string TempFolder(const char* name) {
    return ::testing::TempDir() + "jw_artwork_test_" + name;
}

// An 8-bit bitmap file read back with every header field checked against
// the file's own length.
struct Bmp {
    int width = 0, height = 0;
    std::vector<Rgb8> palette;
    std::vector<uint8_t> rows;  // as stored: bottom row first, padded
    uint8_t At(int x, int y) const {
        size_t stride = (size_t)(width + 3) / 4 * 4;
        return rows[(height - 1 - y) * stride + x];
    }
};

::testing::AssertionResult ParseBmp8(const Bytes& b, Bmp& out) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return ::testing::AssertionFailure() << "no bitmap file header";
    if (Get32(b, 2) != b.size())
        return ::testing::AssertionFailure() << "file size field " << Get32(b, 2);
    if (Get32(b, 14) != 40 || Get16(b, 26) != 1 || Get16(b, 28) != 8 || Get32(b, 30) != 0)
        return ::testing::AssertionFailure() << "not a plain 8-bit info header";
    out.width = (int)Get32(b, 18);
    out.height = (int)Get32(b, 22);
    uint32_t colors = Get32(b, 46);
    uint32_t offset = Get32(b, 10);
    size_t stride = (size_t)(out.width + 3) / 4 * 4;
    if (colors != 256 || offset != 14 + 40 + 4 * colors)
        return ::testing::AssertionFailure() << "palette of " << colors << " at " << offset;
    if (out.height <= 0 || Get32(b, 34) != stride * out.height ||
        b.size() != offset + stride * out.height)
        return ::testing::AssertionFailure() << "pixel data does not fill the file";
    for (uint32_t i = 0; i < colors; ++i) {
        size_t at = 54 + 4 * i;
        out.palette.push_back({b[at + 2], b[at + 1], b[at]});
    }
    out.rows.assign(b.begin() + offset, b.end());
    return ::testing::AssertionSuccess();
}

struct IconEntry {
    int size;
    uint32_t length, offset;
};

// The icon directory, checked to describe 32-bit images that lie one after
// another inside the file.
::testing::AssertionResult ParseIco(const Bytes& b, std::vector<IconEntry>& out) {
    if (b.size() < 6 || Get16(b, 0) != 0 || Get16(b, 2) != 1)
        return ::testing::AssertionFailure() << "no icon directory";
    uint32_t count = Get16(b, 4);
    uint32_t next = 6 + 16 * count;
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = 6 + 16 * i;
        IconEntry e = {b[at], Get32(b, at + 8), Get32(b, at + 12)};
        if (b[at + 1] != b[at] || Get16(b, at + 4) != 1 || Get16(b, at + 6) != 32)
            return ::testing::AssertionFailure() << "entry " << i << " is not square 32-bit";
        if (e.offset != next || e.offset + e.length > b.size())
            return ::testing::AssertionFailure() << "entry " << i << " at " << e.offset;
        uint32_t maskRow = (uint32_t)(e.size + 31) / 32 * 4;
        if (e.length != 40 + e.size * e.size * 4 + maskRow * e.size ||
            Get32(b, e.offset) != 40 || (int)Get32(b, e.offset + 4) != e.size ||
            (int)Get32(b, e.offset + 8) != 2 * e.size || Get16(b, e.offset + 14) != 32)
            return ::testing::AssertionFailure() << "image " << i << " header or length";
        next = e.offset + e.length;
        out.push_back(e);
    }
    if (next != b.size())
        return ::testing::AssertionFailure() << "file has " << b.size() - next << " extra bytes";
    return ::testing::AssertionSuccess();
}

// Alpha of icon pixel (x, y) counted from the top, and its AND mask bit.
int IconAlpha(const Bytes& b, const IconEntry& e, int x, int y) {
    return b[e.offset + 40 + ((e.size - 1 - y) * e.size + x) * 4 + 3];
}

bool IconMasked(const Bytes& b, const IconEntry& e, int x, int y) {
    uint32_t maskRow = (uint32_t)(e.size + 31) / 32 * 4;
    size_t mask = e.offset + 40 + e.size * e.size * 4;
    return b[mask + (e.size - 1 - y) * maskRow + x / 8] & (0x80 >> (x % 8));
}

// --- Drawing

TEST(Canvas, WholePixelEdgesAreCrispAndHalfPixelsBlend) {
    Canvas c(8, 8, WHITE);
    c.FillRect({2, 2, 5, 5}, 0, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(2, 2).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(4, 4).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(1, 3).r, 255);
    EXPECT_FLOAT_EQ(c.Pixel(5, 3).r, 255);

    c.FillRect({6.5f, 0, 8, 8}, 0, Solid(BLACK));
    EXPECT_NEAR(c.Pixel(6, 4).r, 127.5f, 1);
    EXPECT_FLOAT_EQ(c.Pixel(7, 4).r, 0);
}

TEST(Canvas, BlendsOverClearPixelsWithoutDarkening) {
    Canvas c(4, 4, CLEAR);
    c.FillRect({0, 0, 4, 4}, 0, Solid(Rgb(200, 100, 50, 0.5f)));
    Color p = c.Pixel(1, 1);
    EXPECT_FLOAT_EQ(p.r, 200);
    EXPECT_FLOAT_EQ(p.b, 50);
    EXPECT_FLOAT_EQ(p.a, 0.5f);
    c.FillRect({0, 0, 4, 4}, 0, Solid(Rgb(0, 0, 0, 0.5f)));
    EXPECT_FLOAT_EQ(c.Pixel(1, 1).a, 0.75f);
    EXPECT_NEAR(c.Pixel(1, 1).r, 200.0f / 3, 0.01f);
}

TEST(Canvas, RotationTurnsShapesAboutTheGivenPoint) {
    Canvas c(10, 10, WHITE);
    c.Rotate(90, {5, 5});
    // A bar right of the centre ends up below it, as y points down.
    c.FillRect({6, 4, 9, 6}, 0, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(4, 7).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(7, 4).r, 255);

    c.ResetTransform();
    c.FillRect({0, 0, 1, 1}, 0, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(0, 0).r, 0);
}

TEST(Canvas, RotationsAddUp) {
    Canvas once(10, 10, WHITE), twice(10, 10, WHITE);
    once.Rotate(90, {4, 4});
    twice.Rotate(45, {4, 4});
    twice.Rotate(45, {4, 4});
    for (Canvas* c : {&once, &twice})
        c->FillRect({5, 3, 9, 4}, 0, Solid(BLACK));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_NEAR(once.Pixel(x, y).r, twice.Pixel(x, y).r, 0.5f) << x << "," << y;
}

TEST(Canvas, ScaleDrawsTheDesignLargerAndTurnsAboutScaledPoints) {
    Canvas c(12, 12, WHITE);
    c.SetScale(1.5f);
    c.FillRect({2, 2, 3, 3}, 0, Solid(BLACK));  // pixels 3 to 4.5
    EXPECT_NEAR(c.Pixel(3, 3).r, 0, 0.5f);
    EXPECT_NEAR(c.Pixel(4, 3).r, 127.5f, 1);
    EXPECT_FLOAT_EQ(c.Pixel(2, 3).r, 255);
    // A bar right of (4, 4), the device's (6, 6), turns to below it.
    c.Rotate(90, {4, 4});
    c.FillRect({5, 3, 7, 5}, 0, Solid(BLACK));
    EXPECT_NEAR(c.Pixel(6, 9).r, 0, 0.5f);
    EXPECT_FLOAT_EQ(c.Pixel(9, 6).r, 255);
}

TEST(Canvas, PolygonsCirclesAndLinesCoverTheirInsideOnly) {
    Canvas c(20, 20, WHITE);
    c.FillPolygon({{0, 0}, {10, 0}, {0, 10}}, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(2, 2).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(8, 8).r, 255);

    c.StrokeCircle({15.5f, 15.5f}, 3, 1, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(15, 15).r, 255);
    EXPECT_FLOAT_EQ(c.Pixel(18, 15).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(15, 12).r, 0);

    c.Line({10.5f, 2}, {10.5f, 8}, 1, Solid(BLACK));
    EXPECT_FLOAT_EQ(c.Pixel(10, 5).r, 0);
    EXPECT_FLOAT_EQ(c.Pixel(11, 5).r, 255);
}

TEST(Paint, GradientRunsBetweenItsPointsAndHoldsBeyond) {
    Paint p = Gradient({0, 0}, BLACK, {0, 10}, WHITE);
    EXPECT_FLOAT_EQ(p.At({3, 5}).g, 127.5f);
    EXPECT_FLOAT_EQ(p.At({0, -4}).g, 0);
    EXPECT_FLOAT_EQ(p.At({0, 40}).g, 255);
}

// --- Palette and quantisers

TEST(ArtPalette, HoldsDistinctColoursAndTheStandardOnes) {
    const std::vector<Rgb8>& pal = ArtPalette();
    ASSERT_EQ(pal.size(), (size_t)PALETTE_SIZE);
    EXPECT_EQ(pal[PALETTE_KEY], (Rgb8{192, 192, 192}));
    EXPECT_EQ(pal[0], (Rgb8{0, 0, 0}));
    EXPECT_EQ(pal[255], (Rgb8{255, 255, 255}));
    for (int i = 0; i < PALETTE_SIZE; ++i)
        for (int j = i + 1; j < PALETTE_SIZE; ++j)
            EXPECT_FALSE(pal[i] == pal[j]) << "entries " << i << " and " << j;
}

TEST(NearestIndex, MapsPaletteColoursToThemselvesAndHonoursSkip) {
    const std::vector<Rgb8>& pal = ArtPalette();
    for (int i = 0; i < PALETTE_SIZE; ++i)
        EXPECT_EQ(NearestIndex(pal[i]), i);

    EXPECT_EQ(NearestIndex({190, 193, 191}), PALETTE_KEY);
    int other = NearestIndex({192, 192, 192}, PALETTE_KEY);
    ASSERT_NE(other, PALETTE_KEY);
    EXPECT_LE(std::abs(pal[other].g - 192), 24);
}

TEST(QuantiseKeyed, ClearBecomesTheKeyAndDrawingNeverDoes) {
    Canvas c(6, 1, CLEAR);
    c.FillRect({1, 0, 2, 1}, 0, Solid(Rgb(192, 192, 192)));  // drawn in the key grey
    c.FillRect({2, 0, 3, 1}, 0, Solid(Rgb(0, 0, 0, 0.1f)));  // faint fringe
    c.FillRect({3, 0, 4, 1}, 0, Solid(Rgb(255, 0, 0)));
    c.FillRect({4, 0, 5, 1}, 0, Solid(Rgb(0, 0, 0, 0.5f)));
    IndexedImage img = QuantiseKeyed(c);
    const std::vector<Rgb8>& pal = ArtPalette();
    EXPECT_EQ(img.At(0, 0), PALETTE_KEY);
    EXPECT_NE(img.At(1, 0), PALETTE_KEY);
    EXPECT_EQ(img.At(2, 0), PALETTE_KEY);
    EXPECT_EQ(pal[img.At(3, 0)], (Rgb8{255, 0, 0}));
    // Half black over the key grey is a darker grey.
    EXPECT_NEAR(pal[img.At(4, 0)].g, 96, 20);
    EXPECT_EQ(img.At(5, 0), PALETTE_KEY);
}

TEST(QuantiseDithered, KeepsFlatColoursAndAverageShades) {
    const Rgb8 entry = ArtPalette()[40];
    Canvas flat(16, 16, Rgb(entry.r, entry.g, entry.b));
    for (uint8_t index : QuantiseDithered(flat).pixels)
        ASSERT_EQ(index, 40);

    // A grey between palette entries is made of neighbours averaging to it.
    Canvas grey(32, 32, Rgb(101, 101, 101));
    IndexedImage img = QuantiseDithered(grey);
    double sum = 0;
    for (uint8_t index : img.pixels)
        sum += ArtPalette()[index].g;
    EXPECT_NEAR(sum / img.pixels.size(), 101, 0.5);
}

// --- Encoders

TEST(EncodeBmp8, StoresRowsBottomUpPaddedToFourBytes) {
    IndexedImage img{5, 3, {}};
    for (int i = 0; i < 15; ++i)
        img.pixels.push_back((uint8_t)(i + 1));
    Bytes b = EncodeBmp8(img, ArtPalette());
    Bmp bmp;
    ASSERT_TRUE(ParseBmp8(b, bmp));
    EXPECT_EQ(bmp.width, 5);
    EXPECT_EQ(bmp.height, 3);
    const uint8_t expected[24] = {11, 12, 13, 14, 15, 0, 0, 0, 6, 7, 8, 9,
                                  10, 0,  0,  0,  1,  2, 3, 4, 5, 0, 0, 0};
    ASSERT_EQ(bmp.rows.size(), sizeof expected);
    for (size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(bmp.rows[i], expected[i]) << "byte " << i;
    EXPECT_TRUE(bmp.palette == ArtPalette());
}

TEST(EncodeIco, WritesADirectoryAndAMaskThatFollowsAlpha) {
    Canvas big(32, 32, CLEAR), small(16, 16, CLEAR);
    big.FillRect({0, 0, 1, 1}, 0, Solid(Rgb(10, 20, 30)));
    small.FillRect({9, 0, 16, 1}, 0, Solid(Rgb(10, 20, 30, 0.5f)));
    Bytes b = EncodeIco({&big, &small});
    std::vector<IconEntry> entries;
    ASSERT_TRUE(ParseIco(b, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size, 32);
    EXPECT_EQ(entries[1].size, 16);

    // Top-left pixel of the large image: stored last, as blue, green, red.
    size_t at = entries[0].offset + 40 + (31 * 32 + 0) * 4;
    EXPECT_EQ(b[at], 30);
    EXPECT_EQ(b[at + 1], 20);
    EXPECT_EQ(b[at + 2], 10);
    EXPECT_EQ(IconAlpha(b, entries[0], 0, 0), 255);
    EXPECT_FALSE(IconMasked(b, entries[0], 0, 0));
    EXPECT_TRUE(IconMasked(b, entries[0], 1, 0));
    EXPECT_TRUE(IconMasked(b, entries[0], 0, 1));

    // The small one's mask row is padded: bits past column 16 stay clear.
    EXPECT_TRUE(IconMasked(b, entries[1], 8, 0));
    EXPECT_FALSE(IconMasked(b, entries[1], 9, 0));
    EXPECT_EQ(IconAlpha(b, entries[1], 15, 0), 128);
    size_t maskTop = entries[1].offset + 40 + 16 * 16 * 4 + 15 * 4;
    EXPECT_EQ(b[maskTop + 2], 0);
    EXPECT_EQ(b[maskTop + 3], 0);
}

// --- The tool's output

class ArtworkFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = TempFolder("out") + "/nested";
        std::string error;
        written = WriteArtwork(folder, error);
        EXPECT_TRUE(written) << error;
    }
    Bytes Read(const char* file) { return ReadAll(folder + "/" + file); }

    static std::string folder;
    static bool written;
};

std::string ArtworkFiles::folder;
bool ArtworkFiles::written;

TEST_F(ArtworkFiles, LogoIs340By198With256Colours) {
    ASSERT_TRUE(written);
    Bmp bmp;
    ASSERT_TRUE(ParseBmp8(Read("logo.bmp"), bmp));
    EXPECT_EQ(bmp.width, 340);
    EXPECT_EQ(bmp.height, 198);
}

TEST_F(ArtworkFiles, ToolbarImagesHaveTheKeyGreyAroundADrawing) {
    ASSERT_TRUE(written);
    for (const char* file : {"note_new.bmp", "note_delete.bmp", "book_new.bmp", "find.bmp"}) {
        SCOPED_TRACE(file);
        Bmp bmp;
        ASSERT_TRUE(ParseBmp8(Read(file), bmp));
        ASSERT_EQ(bmp.width, 24);
        ASSERT_EQ(bmp.height, 24);
        const Rgb8 key = {192, 192, 192};
        EXPECT_EQ(bmp.palette[bmp.At(0, 0)], key);
        EXPECT_EQ(bmp.palette[bmp.At(23, 0)], key);
        EXPECT_EQ(bmp.palette[bmp.At(0, 23)], key);
        EXPECT_EQ(bmp.palette[bmp.At(23, 23)], key);
        int drawn = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                drawn += !(bmp.palette[bmp.At(x, y)] == key);
        EXPECT_GT(drawn, 24 * 24 / 4);
        EXPECT_LT(drawn, 24 * 24 * 9 / 10);
    }
}

TEST_F(ArtworkFiles, IconHas32And16PixelImagesWithClearCorners) {
    ASSERT_TRUE(written);
    Bytes b = Read("jotwell.ico");
    std::vector<IconEntry> entries;
    ASSERT_TRUE(ParseIco(b, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size, 32);
    EXPECT_EQ(entries[1].size, 16);
    for (const IconEntry& e : entries) {
        int last = e.size - 1, mid = e.size / 2;
        EXPECT_TRUE(IconMasked(b, e, 0, 0) && IconMasked(b, e, last, 0) &&
                    IconMasked(b, e, 0, last) && IconMasked(b, e, last, last));
        EXPECT_EQ(IconAlpha(b, e, mid, mid), 255);
        EXPECT_FALSE(IconMasked(b, e, mid, mid));
    }
}

TEST_F(ArtworkFiles, EveryPictureIsDrawnAgainAt125150And200Percent) {
    ASSERT_TRUE(written);
    // Large and small icon, logo height, toolbar image side.
    const int sizes[3][4] = {{40, 20, 248, 30}, {48, 24, 297, 36}, {64, 32, 396, 48}};
    for (int i = 0; i < 3; ++i) {
        ImageScale scale = (ImageScale)(IMAGE_SCALE_125 + i);
        SCOPED_TRACE(ImageScaleDpi(scale));
        std::vector<IconEntry> icons;
        ASSERT_TRUE(ParseIco(Read(ScaledFileName("jotwell.ico", scale).c_str()), icons));
        ASSERT_EQ(icons.size(), 2u);
        EXPECT_EQ(icons[0].size, sizes[i][0]);
        EXPECT_EQ(icons[1].size, sizes[i][1]);
        Bmp logo, tool;
        ASSERT_TRUE(ParseBmp8(Read(ScaledFileName("logo.bmp", scale).c_str()), logo));
        EXPECT_EQ(logo.height, sizes[i][2]);
        ASSERT_TRUE(ParseBmp8(Read(ScaledFileName("find.bmp", scale).c_str()), tool));
        EXPECT_EQ(tool.width, sizes[i][3]);
        EXPECT_EQ(tool.palette[tool.At(0, 0)], (Rgb8{192, 192, 192}));
    }
}

TEST(WriteArtwork, FailsWithAMessageWhenTheFolderCannotBeMade) {
    std::string file = TempFolder("blocker");
    ASSERT_TRUE(WriteBytes(file, Bytes(1, 0)));
    std::string error;
    EXPECT_FALSE(WriteArtwork(file + "/out", error));
    EXPECT_NE(error.find(file), std::string::npos) << error;
}

}  // namespace
