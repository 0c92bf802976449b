// A small RGBA canvas to draw the programs' artwork on: fills, gradients and anti-aliased
// shapes described by their distance to the pixel (negative inside), so an image drawn for
// 48 pixels scales down to 16 without jagged edges.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace artwork {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Color rgb(std::uint32_t hex, std::uint8_t alpha = 255) {
    return {static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8),
            static_cast<std::uint8_t>(hex), alpha};
}
// a and b mixed: t = 0 gives a, 1 gives b.
Color mix(Color a, Color b, double t);

struct Point {
    double x = 0, y = 0;
};

// The colour of a fill at a point (a plain colour, a gradient...).
using Paint = std::function<Color(double x, double y)>;
Paint solid(Color color);
// From `top` at y0 to `bottom` at y1.
Paint verticalGradient(Color top, Color bottom, double y0, double y1);
// From `inner` at the centre to `outer` at `radius`.
Paint radialGradient(Color inner, Color outer, Point centre, double radius);

// Signed distance from a point to a shape's edge: negative inside.
using Shape = std::function<double(double x, double y)>;
Shape disc(Point centre, double radius);
Shape ring(Point centre, double radius, double width);
Shape roundedRect(double x0, double y0, double x1, double y1, double radius);
Shape segment(Point a, Point b, double width);
// A convex polygon, its corners in either order.
Shape convexPolygon(std::vector<Point> corners);
// Parts of shapes.
Shape unite(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape a, Shape b);

class Canvas {
  public:
    Canvas(int width, int height, Color background = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    Color at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const std::vector<Color>& pixels() const { return pixels_; }

    // Blends `paint` over the pixels the shape covers (partly covered edge pixels in part).
    void draw(const Shape& shape, const Paint& paint);
    void draw(const Shape& shape, Color color) { draw(shape, solid(color)); }
    // Every pixel of the rectangle [x0, x1) × [y0, y1), replaced (no blending).
    void fillRect(int x0, int y0, int x1, int y1, Color color);
    void fillRect(int x0, int y0, int x1, int y1, const Paint& paint);
    // One pixel blended over what is there.
    void blend(int x, int y, Color color, double coverage = 1.0);

  private:
    int width_;
    int height_;
    std::vector<Color> pixels_;
};

} // namespace artwork
