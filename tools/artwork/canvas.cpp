// Shapes are drawn from signed distances: a pixel's coverage is how far its
// centre lies inside the edge, which anti-aliases at any angle without
// supersampling.
#include "tools/artwork/canvas.h"

#include <algorithm>
#include <cmath>

namespace {

const float PI = 3.14159265f;

float Clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

float SegmentDistance(Point p, Point a, Point b) {
    float vx = b.x - a.x, vy = b.y - a.y;
    float wx = p.x - a.x, wy = p.y - a.y;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? Clamp01((wx * vx + wy * vy) / len2) : 0;
    return Length(wx - t * vx, wy - t * vy);
}

float RoundRectDistance(Point p, Rect r, float radius) {
    float hx = (r.x1 - r.x0) / 2, hy = (r.y1 - r.y0) / 2;
    radius = std::min(radius, std::min(hx, hy));
    float qx = std::fabs(p.x - (r.x0 + hx)) - (hx - radius);
    float qy = std::fabs(p.y - (r.y0 + hy)) - (hy - radius);
    float outside = Length(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

bool InsidePolygon(Point p, const std::vector<Point>& pts) {
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Point& a = pts[i];
        const Point& b = pts[j];
        if ((a.y > p.y) != (b.y > p.y) &&
            p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

Rect Grow(Rect r, float by) {
    return {r.x0 - by, r.y0 - by, r.x1 + by, r.y1 + by};
}

}  // namespace

Color Rgb(int r, int g, int b, float a) {
    return {(float)r, (float)g, (float)b, a};
}

Color Mix(Color c0, Color c1, float t) {
    return {c0.r + (c1.r - c0.r) * t, c0.g + (c1.g - c0.g) * t,
            c0.b + (c1.b - c0.b) * t, c0.a + (c1.a - c0.a) * t};
}

Color Paint::At(Point p) const {
    float vx = p1.x - p0.x, vy = p1.y - p0.y;
    float len2 = vx * vx + vy * vy;
    if (len2 == 0)
        return c0;
    return Mix(c0, c1, Clamp01(((p.x - p0.x) * vx + (p.y - p0.y) * vy) / len2));
}

Paint Solid(Color c) {
    return {c, c, {0, 0}, {0, 0}};
}

Paint Gradient(Point p0, Color c0, Point p1, Color c1) {
    return {c0, c1, p0, p1};
}

Canvas::Canvas(int width, int height, Color fill)
    : width(width), height(height), pixels((size_t)width * height, fill),
      transform{1, 0, 0, 0}, scale(1) {}

Color Canvas::Pixel(int x, int y) const {
    return pixels[(size_t)y * width + x];
}

void Canvas::SetScale(float s) {
    scale = s;
}

void Canvas::Rotate(float degrees, Point about) {
    float a = degrees * PI / 180;
    float c = std::cos(a), s = std::sin(a);
    // The new rotation keeps 'about' where the current transform puts it.
    Point moved = {about.x - (c * about.x - s * about.y),
                   about.y - (s * about.x + c * about.y)};
    const Transform& t = transform;
    transform = {t.cosA * c - t.sinA * s, t.sinA * c + t.cosA * s,
                 scale * (t.cosA * moved.x - t.sinA * moved.y) + t.dx,
                 scale * (t.sinA * moved.x + t.cosA * moved.y) + t.dy};
}

void Canvas::ResetTransform() {
    transform = {1, 0, 0, 0};
}

Point Canvas::ToDevice(Point p) const {
    const Transform& t = transform;
    return {scale * (t.cosA * p.x - t.sinA * p.y) + t.dx,
            scale * (t.sinA * p.x + t.cosA * p.y) + t.dy};
}

Point Canvas::ToShape(Point p) const {
    const Transform& t = transform;
    float x = (p.x - t.dx) / scale, y = (p.y - t.dy) / scale;
    return {t.cosA * x + t.sinA * y, -t.sinA * x + t.cosA * y};
}

void Canvas::Blend(int x, int y, Color c, float coverage) {
    Color& d = pixels[(size_t)y * width + x];
    float sa = c.a * coverage;
    float a = sa + d.a * (1 - sa);
    if (a <= 0)
        return;
    float keep = d.a * (1 - sa);
    d = {(c.r * sa + d.r * keep) / a, (c.g * sa + d.g * keep) / a,
         (c.b * sa + d.b * keep) / a, a};
}

template <class Distance>
void Canvas::Cover(Rect bounds, float blur, const Paint& paint, Distance distance) {
    // The soft edge in device pixels; the shape's distances are in its own
    // units.
    float edge = 1 + blur * scale;
    Rect b = Grow(bounds, edge / scale);
    Point corners[4] = {ToDevice({b.x0, b.y0}), ToDevice({b.x1, b.y0}),
                        ToDevice({b.x0, b.y1}), ToDevice({b.x1, b.y1})};
    float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const Point& c : corners) {
        x0 = std::min(x0, c.x), x1 = std::max(x1, c.x);
        y0 = std::min(y0, c.y), y1 = std::max(y1, c.y);
    }
    int ix0 = std::max(0, (int)std::floor(x0)), ix1 = std::min(width, (int)std::ceil(x1));
    int iy0 = std::max(0, (int)std::floor(y0)), iy1 = std::min(height, (int)std::ceil(y1));
    for (int y = iy0; y < iy1; ++y) {
        for (int x = ix0; x < ix1; ++x) {
            Point p = ToShape({x + 0.5f, y + 0.5f});
            float coverage = Clamp01(0.5f - distance(p) * scale / edge);
            if (blur > 0)  // smooth the ramp so shadows have no visible rim
                coverage = coverage * coverage * (3 - 2 * coverage);
            if (coverage > 0)
                Blend(x, y, paint.At(p), coverage);
        }
    }
}

void Canvas::FillRect(Rect r, float radius, const Paint& paint, float blur) {
    Cover(r, blur, paint, [&](Point p) { return RoundRectDistance(p, r, radius); });
}

void Canvas::FillCircle(Point c, float radius, const Paint& paint, float blur) {
    Rect bounds = {c.x - radius, c.y - radius, c.x + radius, c.y + radius};
    Cover(bounds, blur, paint,
          [&](Point p) { return Length(p.x - c.x, p.y - c.y) - radius; });
}

void Canvas::StrokeCircle(Point c, float radius, float width, const Paint& paint) {
    float outer = radius + width / 2;
    Rect bounds = {c.x - outer, c.y - outer, c.x + outer, c.y + outer};
    Cover(bounds, 0, paint, [&](Point p) {
        return std::fabs(Length(p.x - c.x, p.y - c.y) - radius) - width / 2;
    });
}

void Canvas::Line(Point a, Point b, float width, const Paint& paint) {
    Rect bounds = Grow({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                        std::max(a.y, b.y)},
                       width / 2);
    Cover(bounds, 0, paint, [&](Point p) { return SegmentDistance(p, a, b) - width / 2; });
}

void Canvas::FillPolygon(const std::vector<Point>& pts, const Paint& paint, float blur) {
    if (pts.size() < 3)
        return;
    Rect bounds = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (const Point& p : pts) {
        bounds.x0 = std::min(bounds.x0, p.x), bounds.x1 = std::max(bounds.x1, p.x);
        bounds.y0 = std::min(bounds.y0, p.y), bounds.y1 = std::max(bounds.y1, p.y);
    }
    Cover(bounds, blur, paint, [&](Point p) {
        float d = SegmentDistance(p, pts.back(), pts[0]);
        for (size_t i = 1; i < pts.size(); ++i)
            d = std::min(d, SegmentDistance(p, pts[i - 1], pts[i]));
        return InsidePolygon(p, pts) ? -d : d;
    });
}
