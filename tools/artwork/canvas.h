// An RGBA drawing surface with anti-aliased shapes, for drawing the
// program's artwork at build time. Window-free.
#ifndef JOTWELL_TOOLS_ARTWORK_CANVAS_H
#define JOTWELL_TOOLS_ARTWORK_CANVAS_H

#include <vector>

// Colour channels 0 to 255, alpha 0 (clear) to 1 (opaque), not premultiplied.
struct Color {
    float r, g, b, a;
};

Color Rgb(int r, int g, int b, float a = 1.0f);

// Straight mix of two colours: t 0 gives c0, t 1 gives c1.
Color Mix(Color c0, Color c1, float t);

struct Point {
    float x, y;
};

struct Rect {
    float x0, y0, x1, y1;
};

// Colour of a fill: solid, or a linear gradient from c0 at p0 to c1 at p1
// (held at the end colours beyond them).
struct Paint {
    Color c0, c1;
    Point p0, p1;
    Color At(Point p) const;
};

Paint Solid(Color c);
Paint Gradient(Point p0, Color c0, Point p1, Color c1);

class Canvas {
public:
    Canvas(int width, int height, Color fill);

    int Width() const { return width; }
    int Height() const { return height; }
    Color Pixel(int x, int y) const;

    // Shapes are given in units of scale pixels: a picture designed at 100
    // percent is drawn for another display scale, with edges as soft as at
    // 100 percent. Set before drawing; ResetTransform keeps it.
    void SetScale(float scale);

    // Later shapes are rotated by degrees (clockwise on screen) about a
    // point, which may be given in already rotated coordinates. Distances
    // are kept, so edges stay as sharp as unrotated ones.
    void Rotate(float degrees, Point about);
    void ResetTransform();

    // Shapes in pixel coordinates: pixel (x, y) spans x..x+1, y..y+1, so
    // edges on whole numbers are crisp. blur widens the soft edge by that
    // many pixels (shadows).
    void FillRect(Rect r, float radius, const Paint& paint, float blur = 0);
    void FillCircle(Point c, float radius, const Paint& paint, float blur = 0);
    void StrokeCircle(Point c, float radius, float width, const Paint& paint);
    void Line(Point a, Point b, float width, const Paint& paint);
    void FillPolygon(const std::vector<Point>& points, const Paint& paint,
                     float blur = 0);

private:
    struct Transform {
        float cosA, sinA, dx, dy;
    };

    // Blends paint over every pixel, weighted by the coverage that the
    // signed distance (negative inside) of its centre gives.
    template <class Distance>
    void Cover(Rect bounds, float blur, const Paint& paint, Distance distance);
    void Blend(int x, int y, Color c, float coverage);
    Point ToShape(Point device) const;
    Point ToDevice(Point shape) const;

    int width, height;
    std::vector<Color> pixels;
    Transform transform;
    float scale;
};

#endif
