// Toolbar pictures: dark outlines and bright fills, as the neighbouring
// standard buttons have, so they read on any button face colour.
#include "tools/artwork/designs.h"

#include "tools/artwork/theme.h"

namespace {

const Color CLEAR = {192, 192, 192, 0};

// Fills a shape twice: in the outline colour, then one pixel smaller.
void OutlinedRect(Canvas& c, Rect r, float radius, const Paint& fill) {
    c.FillRect(r, radius, Solid(Theme::Outline));
    c.FillRect({r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y1 - 1}, radius - 1, fill);
}

// A sheet with its top right corner folded over, and ruled lines.
void DrawSheet(Canvas& c, Rect r, float fold) {
    const float in = 1, diag = 0.414f;  // inset of the folded edge
    c.FillPolygon({{r.x0, r.y0}, {r.x1 - fold, r.y0}, {r.x1, r.y0 + fold}, {r.x1, r.y1},
                   {r.x0, r.y1}},
                  Solid(Theme::Outline));
    c.FillPolygon({{r.x0 + in, r.y0 + in},
                   {r.x1 - fold - diag, r.y0 + in},
                   {r.x1 - in, r.y0 + fold + diag},
                   {r.x1 - in, r.y1 - in},
                   {r.x0 + in, r.y1 - in}},
                  Gradient({r.x0, r.y0}, Theme::White, {r.x1, r.y1}, Theme::Paper));
    c.FillPolygon({{r.x1 - fold, r.y0}, {r.x1 - fold, r.y0 + fold}, {r.x1, r.y0 + fold}},
                  Solid(Theme::PaperShade));
    c.Line({r.x1 - fold + 0.5f, r.y0 + 0.5f}, {r.x1 - fold + 0.5f, r.y0 + fold - 0.5f}, 1,
           Solid(Theme::Outline));
    c.Line({r.x1 - fold + 0.5f, r.y0 + fold - 0.5f}, {r.x1 - 0.5f, r.y0 + fold - 0.5f}, 1,
           Solid(Theme::Outline));
    for (float y = r.y0 + fold + 2; y < r.y1 - 2; y += 3)
        c.FillRect({r.x0 + 3, y, r.x1 - 3, y + 1}, 0, Solid(Theme::Rule));
}

Canvas Blank(ImageScale scale) {
    int side = ImagePixels(TOOL_SIZE, scale);
    Canvas c(side, side, CLEAR);
    c.SetScale(DesignScale(scale));
    return c;
}

}  // namespace

Canvas DrawNoteNew(ImageScale scale) {
    Canvas c = Blank(scale);
    DrawSheet(c, {3, 1, 18, 21}, 5);
    // A green badge with a white plus: "new".
    const Point centre = {17, 17};
    c.FillCircle(centre, 6, Solid(Theme::GreenDark));
    c.FillCircle(centre, 5, Gradient({13, 13}, Mix(Theme::Green, Theme::White, 0.3f),
                                     {20, 21}, Theme::Green));
    c.FillRect({14, 16, 20, 18}, 0, Solid(Theme::White));
    c.FillRect({16, 14, 18, 20}, 0, Solid(Theme::White));
    return c;
}

Canvas DrawNoteDelete(ImageScale scale) {
    Canvas c = Blank(scale);
    DrawSheet(c, {3, 1, 18, 21}, 5);
    // A red cross with a dark rim, over the sheet's lower right.
    const Point a = {12.5f, 12.5f}, b = {20.5f, 20.5f};
    const Point d = {20.5f, 12.5f}, e = {12.5f, 20.5f};
    c.Line(a, b, 4.2f, Solid(Theme::RedDark));
    c.Line(d, e, 4.2f, Solid(Theme::RedDark));
    c.Line(a, b, 2.4f, Solid(Theme::Red));
    c.Line(d, e, 2.4f, Solid(Theme::Red));
    return c;
}

Canvas DrawBookNew(ImageScale scale) {
    Canvas c = Blank(scale);
    // The block of pages shows right of and below the cover, with a ribbon.
    OutlinedRect(c, {5, 4, 22, 22}, 1.5f, Solid(Theme::Paper));
    c.FillRect({19, 5, 20, 21}, 0, Solid(Theme::PaperShade));
    c.FillRect({6, 19, 20, 20}, 0, Solid(Theme::PaperShade));
    c.FillPolygon({{13, 19}, {17, 19}, {17, 24}, {15, 22.5f}, {13, 24}},
                  Solid(Theme::RedDark));
    c.FillPolygon({{14, 19}, {16, 19}, {16, 22.2f}, {15, 21.4f}, {14, 22.2f}},
                  Solid(Theme::Red));
    // Cover with a darker spine band and a title label.
    OutlinedRect(c, {2, 1, 19, 20}, 1.5f,
                 Gradient({2, 1}, Theme::CoverLight, {19, 20}, Theme::Cover));
    c.FillRect({3, 2, 6, 19}, 0, Solid(Theme::CoverDark));
    c.FillRect({6, 2, 7, 19}, 0, Solid(Mix(Theme::CoverDark, Theme::Cover, 0.5f)));
    c.FillRect({9, 5, 16, 9}, 0.5f, Solid(Theme::Paper));
    return c;
}

Canvas DrawFind(ImageScale scale) {
    Canvas c = Blank(scale);
    const Point centre = {9.5f, 9.5f};
    // Handle first, so the rim covers its inner end.
    c.Line({14, 14}, {20.5f, 20.5f}, 5, Solid(Theme::Outline));
    c.Line({14, 14}, {20.5f, 20.5f}, 3, Solid(Theme::Pen));
    c.FillCircle(centre, 7.5f, Solid(Theme::Outline));
    c.FillCircle(centre, 5.5f, Gradient({5, 5}, Theme::White, {14, 14}, Theme::Glass));
    c.StrokeCircle(centre, 6.5f, 1.4f, Solid(Theme::Steel));
    // A glint on the glass.
    c.Line({6.5f, 8.5f}, {8.5f, 6.5f}, 1.2f, Solid(Theme::White));
    return c;
}
