// The program icon: a spiral-bound notebook with a yellow page, and at 32
// pixels a pencil. The 16-pixel one is drawn on its own grid, with fewer
// rings and lines, so that every edge still lands on a whole pixel.
#include "tools/artwork/designs.h"

#include "tools/artwork/theme.h"

#include <vector>

namespace {

const Color CLEAR = {255, 255, 255, 0};
const Color RING = {236, 240, 246, 1};
const Color LINE = {214, 160, 52, 1};

struct IconGrid {
    Rect cover, page;
    float radius;
    float ringLeft, ringRight;
    std::vector<float> rings, lines;
};

IconGrid Grid32() {
    return {{6, 2, 29, 30}, {11, 4, 27, 28}, 2.5f, 2.5f, 11,
            {6.5f, 11.5f, 16.5f, 21.5f, 26.5f}, {10, 14, 18, 22}};
}

IconGrid Grid16() {
    return {{3, 1, 15, 15}, {6, 2, 14, 14}, 1.5f, 1, 6.5f, {4.5f, 8.5f, 12.5f}, {5, 8, 11}};
}

void DrawNotebook(Canvas& c, const IconGrid& g) {
    const Rect& cv = g.cover;
    c.FillRect(cv, g.radius, Solid(Theme::Outline));
    c.FillRect({cv.x0 + 1, cv.y0 + 1, cv.x1 - 1, cv.y1 - 1}, g.radius - 1,
               Gradient({cv.x0, cv.y0}, Theme::CoverLight, {cv.x1, cv.y1}, Theme::Cover));
    const Rect& p = g.page;
    c.FillRect(p, 0, Solid(Theme::CoverDark));
    c.FillRect({p.x0 + 1, p.y0 + 1, p.x1 - 1, p.y1 - 1}, 0,
               Gradient({p.x0, p.y0}, Theme::Note, {p.x1, p.y1}, Theme::NoteShade));
    for (float y : g.lines)
        c.FillRect({p.x0 + 2, y, p.x1 - 2, y + 1}, 0, Solid(LINE));
    for (float y : g.rings) {
        c.Line({g.ringLeft, y}, {g.ringRight, y}, 2.6f, Solid(Theme::Outline));
        c.Line({g.ringLeft, y}, {g.ringRight, y}, 1, Solid(RING));
    }
}

// A yellow pencil lying from its point at the lower left up to the right,
// drawn along the x axis from the point and turned.
void DrawPencil(Canvas& c) {
    const float x = 16, y = 29.5f, half = 2.4f;
    c.Rotate(-45, {x, y});
    // Silhouette one pixel larger, for the outline.
    c.FillPolygon({{x - 1.2f, y}, {x + 6, y - half - 1}, {x + 19.5f, y - half - 1},
                   {x + 19.5f, y + half + 1}, {x + 6, y + half + 1}},
                  Solid(Theme::Outline));
    c.FillRect({x + 16.5f, y - half - 1, x + 20.5f, y + half + 1}, 2, Solid(Theme::Outline));
    c.FillPolygon({{x, y}, {x + 6, y - half}, {x + 6, y + half}}, Solid(Rgb(240, 208, 156)));
    c.FillPolygon({{x, y}, {x + 2.4f, y - 1}, {x + 2.4f, y + 1}}, Solid(Theme::Outline));
    c.FillRect({x + 6, y - half, x + 15, y + half}, 0,
               Gradient({0, y - half}, Mix(Theme::Gold, Theme::White, 0.3f), {0, y + half},
                        Theme::GoldDark));
    // Eraser, its rounded inner end hidden under the metal band.
    c.FillRect({x + 16.5f, y - half, x + 19.5f, y + half}, 1.5f, Solid(Theme::Margin));
    c.FillRect({x + 15, y - half, x + 17, y + half}, 0,
               Gradient({0, y - half}, Theme::White, {0, y + half}, Theme::Steel));
    c.ResetTransform();
}

}  // namespace

Canvas DrawIcon(int size) {
    Canvas c(size, size, CLEAR);
    DrawNotebook(c, size >= 32 ? Grid32() : Grid16());
    if (size >= 32)
        DrawPencil(c);
    return c;
}
