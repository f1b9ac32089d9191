// A fixed palette rather than one fitted to each picture keeps all the
// bitmaps consistent and the outputs independent of each other.
#include "tools/artwork/palette.h"

#include "tools/artwork/theme.h"

#include <algorithm>
#include <cmath>

namespace {

const Rgb8 SYSTEM_LOW[10] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},
                             {128, 128, 0},   {0, 0, 128},     {128, 0, 128},
                             {0, 128, 128},   {192, 192, 192}, {192, 220, 192},
                             {166, 202, 240}};
const Rgb8 SYSTEM_HIGH[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128},
                              {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                              {0, 0, 255},     {255, 0, 255},   {0, 255, 255},
                              {255, 255, 255}};

Rgb8 ToRgb8(Color c) {
    auto channel = [](float v) {
        return (uint8_t)std::lround(std::min(255.0f, std::max(0.0f, v)));
    };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

// Collects distinct colours for the middle of the palette.
class PaletteBuilder {
public:
    explicit PaletteBuilder(size_t room) : room(room) {
        taken.assign(SYSTEM_LOW, SYSTEM_LOW + 10);
        taken.insert(taken.end(), SYSTEM_HIGH, SYSTEM_HIGH + 10);
    }
    void Add(Color c) {
        Rgb8 rgb = ToRgb8(c);
        if (Full() || std::find(taken.begin(), taken.end(), rgb) != taken.end())
            return;
        taken.push_back(rgb);
        middle.push_back(rgb);
    }
    bool Full() const { return middle.size() >= room; }
    const std::vector<Rgb8>& Middle() const { return middle; }

private:
    size_t room;
    std::vector<Rgb8> taken;
    std::vector<Rgb8> middle;
};

void AddGrays(PaletteBuilder& b) {
    for (int v = 0; v <= 256; v += 16)
        b.Add(Rgb(std::min(v, 255), std::min(v, 255), std::min(v, 255)));
}

void AddCube(PaletteBuilder& b) {
    for (int r = 0; r <= 255; r += 85)
        for (int g = 0; g <= 255; g += 85)
            for (int bl = 0; bl <= 255; bl += 85)
                b.Add(Rgb(r, g, bl));
}

void AddRamp(PaletteBuilder& b, Color from, Color to, int steps) {
    for (int i = 0; i <= steps; ++i)
        b.Add(Mix(from, to, (float)i / steps));
}

// Each colour, its tints towards white and its shades towards black.
void AddThemeRamps(PaletteBuilder& b) {
    const Color black = Rgb(0, 0, 0);
    for (const Color& c : Theme::Ramped) {
        b.Add(c);
        for (float t : {0.35f, 0.7f})
            b.Add(Mix(c, Theme::White, t));
        for (float t : {0.25f, 0.5f})
            b.Add(Mix(c, black, t));
    }
}

// Blends of the theme colours with each other, for the edges between them.
void AddThemeBlends(PaletteBuilder& b) {
    const size_t n = sizeof Theme::Ramped / sizeof Theme::Ramped[0];
    for (size_t i = 0; i < n && !b.Full(); ++i)
        for (size_t j = i + 1; j < n; ++j)
            b.Add(Mix(Theme::Ramped[i], Theme::Ramped[j], 0.5f));
}

std::vector<Rgb8> BuildPalette() {
    PaletteBuilder b(PALETTE_SIZE - 20);
    AddGrays(b);
    AddCube(b);
    for (const Theme::Ramp& r : Theme::Ramps)
        AddRamp(b, r.from, r.to, r.steps);
    AddThemeRamps(b);
    AddThemeBlends(b);
    std::vector<Rgb8> palette(SYSTEM_LOW, SYSTEM_LOW + 10);
    palette.insert(palette.end(), b.Middle().begin(), b.Middle().end());
    while (palette.size() < PALETTE_SIZE - 10)  // only if the lists above run short
        palette.push_back(palette.back());
    palette.insert(palette.end(), SYSTEM_HIGH, SYSTEM_HIGH + 10);
    return palette;
}

// Green weighs most, blue least, roughly as the eye sees differences.
float Distance(float r, float g, float b, Rgb8 p) {
    float dr = r - p.r, dg = g - p.g, db = b - p.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int Nearest(float r, float g, float b, int skip) {
    const std::vector<Rgb8>& pal = ArtPalette();
    int best = -1;
    float bestDistance = 0;
    for (int i = 0; i < PALETTE_SIZE; ++i) {
        if (i == skip)
            continue;
        float d = Distance(r, g, b, pal[i]);
        if (best < 0 || d < bestDistance)
            best = i, bestDistance = d;
    }
    return best;
}

}  // namespace

const std::vector<Rgb8>& ArtPalette() {
    static const std::vector<Rgb8> palette = BuildPalette();
    return palette;
}

int NearestIndex(Rgb8 c, int skip) {
    return Nearest(c.r, c.g, c.b, skip);
}

IndexedImage QuantiseDithered(const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    IndexedImage out{w, h, std::vector<uint8_t>((size_t)w * h)};
    std::vector<Color> work;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            work.push_back(canvas.Pixel(x, y));
    // Floyd-Steinberg: each pixel's rounding error goes to its unvisited
    // neighbours, so the average colour over an area is kept.
    auto spread = [&](int x, int y, float er, float eg, float eb, float share) {
        if (x < 0 || x >= w || y >= h)
            return;
        Color& c = work[(size_t)y * w + x];
        c.r += er * share, c.g += eg * share, c.b += eb * share;
    };
    const std::vector<Rgb8>& pal = ArtPalette();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Color& c = work[(size_t)y * w + x];
            float r = std::min(255.0f, std::max(0.0f, c.r));
            float g = std::min(255.0f, std::max(0.0f, c.g));
            float b = std::min(255.0f, std::max(0.0f, c.b));
            int index = Nearest(r, g, b, -1);
            out.pixels[(size_t)y * w + x] = (uint8_t)index;
            float er = r - pal[index].r, eg = g - pal[index].g, eb = b - pal[index].b;
            spread(x + 1, y, er, eg, eb, 7 / 16.0f);
            spread(x - 1, y + 1, er, eg, eb, 3 / 16.0f);
            spread(x, y + 1, er, eg, eb, 5 / 16.0f);
            spread(x + 1, y + 1, er, eg, eb, 1 / 16.0f);
        }
    }
    return out;
}

IndexedImage QuantiseKeyed(const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    IndexedImage out{w, h, std::vector<uint8_t>((size_t)w * h)};
    const Rgb8 key = ArtPalette()[PALETTE_KEY];
    const Color keyColor = Rgb(key.r, key.g, key.b);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Color c = canvas.Pixel(x, y);
            // A faint fringe would only turn into a speck of another grey.
            int index = PALETTE_KEY;
            if (c.a >= 0.25f) {
                Color over = Mix(keyColor, c, c.a);
                index = Nearest(over.r, over.g, over.b, PALETTE_KEY);
            }
            out.pixels[(size_t)y * w + x] = (uint8_t)index;
        }
    }
    return out;
}
