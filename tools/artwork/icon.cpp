// The program icon: a spiral-bound notebook with a yellow page, and from 32
// pixels on a pencil. The small sizes are drawn on the 16-pixel grid, with
// fewer rings and lines, the large ones on the 32-pixel grid, each grid
// moved to the size's whole pixels so that every edge still lands on one.
#include "tools/artwork/designs.h"

#include "tools/artwork/theme.h"

#include <algorithm>
#include <cmath>
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
    float unit;                  // outlines and ruled lines
    float ringWidth, wireWidth;  // a ring and the wire inside it
};

IconGrid Grid32() {
    return {{6, 2, 29, 30}, {11, 4, 27, 28}, 2.5f, 2.5f, 11,
            {6.5f, 11.5f, 16.5f, 21.5f, 26.5f}, {10, 14, 18, 22}, 1, 2.6f, 1};
}

IconGrid Grid16() {
    return {{3, 1, 15, 15}, {6, 2, 14, 14}, 1.5f, 1, 6.5f, {4.5f, 8.5f, 12.5f}, {5, 8, 11},
            1, 2.6f, 1};
}

// The grid k times as large: edges on whole pixels, rings centred on
// pixels, outlines and ruled lines whole pixels thick.
IconGrid Scaled(IconGrid g, float k) {
    auto edge = [k](float v) { return std::round(v * k); };
    auto centre = [k](float v) { return std::round(v * k - 0.5f) + 0.5f; };
    auto rect = [&](const Rect& r) {
        return Rect{edge(r.x0), edge(r.y0), edge(r.x1), edge(r.y1)};
    };
    g.cover = rect(g.cover);
    g.page = rect(g.page);
    g.radius *= k;
    g.ringLeft *= k;
    g.ringRight *= k;
    for (float& y : g.rings)
        y = centre(y);
    for (float& y : g.lines)
        y = edge(y);
    g.unit = std::max(1.0f, std::floor(k));
    g.ringWidth *= k;
    g.wireWidth *= k;
    return g;
}

void DrawNotebook(Canvas& c, const IconGrid& g) {
    const Rect& cv = g.cover;
    const float u = g.unit;
    c.FillRect(cv, g.radius, Solid(Theme::Outline));
    c.FillRect({cv.x0 + u, cv.y0 + u, cv.x1 - u, cv.y1 - u}, g.radius - u,
               Gradient({cv.x0, cv.y0}, Theme::CoverLight, {cv.x1, cv.y1}, Theme::Cover));
    const Rect& p = g.page;
    c.FillRect(p, 0, Solid(Theme::CoverDark));
    c.FillRect({p.x0 + u, p.y0 + u, p.x1 - u, p.y1 - u}, 0,
               Gradient({p.x0, p.y0}, Theme::Note, {p.x1, p.y1}, Theme::NoteShade));
    for (float y : g.lines)
        c.FillRect({p.x0 + 2 * u, y, p.x1 - 2 * u, y + u}, 0, Solid(LINE));
    for (float y : g.rings) {
        c.Line({g.ringLeft, y}, {g.ringRight, y}, g.ringWidth, Solid(Theme::Outline));
        c.Line({g.ringLeft, y}, {g.ringRight, y}, g.wireWidth, Solid(RING));
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
    bool large = size >= 32;
    float k = size / (large ? 32.0f : 16.0f);
    DrawNotebook(c, Scaled(large ? Grid32() : Grid16(), k));
    if (large) {
        c.SetScale(k);
        DrawPencil(c);
    }
    return c;
}
