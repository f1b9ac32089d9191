// The logo: a spiral notebook with handwriting, a sticky note behind it
// and a pen across it, on a pale sky gradient that fades to white at the
// bottom, where the window's white text area continues it.
#include "tools/artwork/designs.h"

#include "tools/artwork/theme.h"

#include <cmath>

namespace {

const Color SHADOW = {38, 46, 66, 0.28f};

void DrawBackground(Canvas& c) {
    c.FillRect({0, 0, (float)LOGO_WIDTH, (float)LOGO_HEIGHT}, 0,
               Gradient({0, 0}, Theme::Sky, {0, (float)LOGO_HEIGHT}, Theme::White));
    // Large faint circles give the plain gradient some depth.
    c.FillCircle({300, 20}, 90, Solid(Rgb(255, 255, 255, 0.3f)), 30);
    c.FillCircle({40, 170}, 70, Solid(Rgb(255, 255, 255, 0.35f)), 30);
}

void DrawStickyNote(Canvas& c) {
    c.ResetTransform();
    c.Rotate(-14, {110, 90});
    const Rect r = {62, 42, 152, 132};
    c.FillRect({r.x0 + 3, r.y0 + 6, r.x1 + 3, r.y1 + 6}, 2, Solid(SHADOW), 10);
    c.FillRect(r, 2, Gradient({r.x0, r.y0}, Theme::Note, {r.x1, r.y1}, Theme::NoteShade));
    c.ResetTransform();
}

// Height of the n-th letter loop of a line: mostly small, now and then tall.
float LoopHeight(int n, int seed) {
    unsigned h = (unsigned)(n * 7919 + seed * 104729);
    h ^= h >> 7;
    h *= 2654435761u;
    return (h >> 28) % 5 == 0 ? 8.0f : 4.0f + (float)((h >> 24) % 4) * 0.5f;
}

// A line of handwriting: words of rounded, slanted strokes of differing
// heights, separated by gaps.
void Scribble(Canvas& c, float x0, float x1, float baseline, int seed) {
    const float PI2 = 6.2831853f;
    float x = x0;
    for (int word = 0; x < x1 - 12; ++word) {
        int loops = 2 + (int)LoopHeight(word, seed + 3) % 4;
        Point last = {x, baseline};
        float u = 0;
        for (; u <= loops * PI2 && last.x < x1; u += 0.15f) {
            float height = LoopHeight((int)(u / PI2) + word * 8, seed);
            float rise = height * 0.5f * (1 - std::cos(u));
            // Slanted like a right-handed hand.
            Point next = {x + 1.6f * u + 0.9f * std::sin(u) + 0.3f * rise, baseline - rise};
            c.Line(last, next, 1.5f, Solid(Theme::Ink));
            last = next;
        }
        x = last.x + 7;
    }
}

void DrawNotebook(Canvas& c) {
    c.ResetTransform();
    c.Rotate(-5, {175, 100});
    const Rect cover = {112, 26, 246, 174};
    const Rect page = {126, 30, 242, 168};
    c.FillRect({cover.x0 + 4, cover.y0 + 8, cover.x1 + 4, cover.y1 + 8}, 8, Solid(SHADOW), 14);
    c.FillRect(cover, 8, Gradient({cover.x0, cover.y0}, Theme::CoverLight,
                                  {cover.x1, cover.y1}, Theme::CoverDark));
    c.FillRect(page, 3, Gradient({page.x0, page.y0}, Theme::White,
                                 {page.x1, page.y1}, Theme::Paper));
    for (float y = 52; y < page.y1 - 8; y += 16)
        c.FillRect({page.x0 + 6, y, page.x1 - 6, y + 1.2f}, 0, Solid(Theme::Rule));
    c.FillRect({page.x0 + 20, page.y0, page.x0 + 21.5f, page.y1}, 0, Solid(Theme::Margin));
    Scribble(c, page.x0 + 28, page.x1 - 14, 50, 1);
    Scribble(c, page.x0 + 28, page.x1 - 40, 66, 2);
    Scribble(c, page.x0 + 28, page.x1 - 24, 82, 3);
    // Spiral rings through punched holes along the left edge.
    for (float y = 40; y < cover.y1 - 6; y += 14) {
        c.FillCircle({page.x0 + 8, y}, 3, Solid(Theme::CoverDark));
        c.Line({cover.x0 - 6, y + 1}, {page.x0 + 8, y}, 5, Solid(Theme::Outline));
        c.Line({cover.x0 - 6, y + 1}, {page.x0 + 8, y}, 3,
               Gradient({0, y - 2}, Theme::White, {0, y + 2}, Theme::Steel));
    }
    c.ResetTransform();
}

// A fountain pen lying across the page, drawn along the x axis and turned.
void DrawPen(Canvas& c) {
    c.ResetTransform();
    const Point mid = {250, 110};
    const float len = 150, half = 7;
    c.Rotate(-50, mid);
    const float x0 = mid.x - len / 2, x1 = mid.x + len / 2, y = mid.y;
    c.FillRect({x0 + 4, y - half + 10, x1 + 4, y + half + 10}, half, Solid(SHADOW), 10);
    // Nib, then body, cap band and clip.
    c.FillPolygon({{x0 - 22, y}, {x0 + 2, y - half + 1}, {x0 + 2, y + half - 1}},
                  Gradient({0, y - half}, Theme::Gold, {0, y + half}, Theme::GoldDark));
    c.Line({x0 - 18, y}, {x0 - 4, y}, 1, Solid(Theme::GoldDark));
    c.FillRect({x0, y - half, x1, y + half}, half,
               Gradient({0, y - half}, Theme::PenLight,
                        {0, y + half}, Theme::Pen));
    c.FillRect({x0 + 48, y - half, x0 + 54, y + half}, 0,
               Gradient({0, y - half}, Theme::Gold, {0, y + half}, Theme::GoldDark));
    c.FillRect({x0 + 60, y - half - 3, x0 + 118, y - half + 2}, 2.5f,
               Gradient({0, y - half - 3}, Theme::White, {0, y - half + 2}, Theme::Steel));
    c.ResetTransform();
}

}  // namespace

Canvas DrawLogo(ImageScale scale) {
    Canvas c(ImagePixels(LOGO_WIDTH, scale), ImagePixels(LOGO_HEIGHT, scale), Theme::White);
    c.SetScale(DesignScale(scale));
    DrawBackground(c);
    DrawStickyNote(c);
    DrawNotebook(c);
    DrawPen(c);
    return c;
}
