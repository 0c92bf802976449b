#include "tools/artwork/canvas.hpp"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

std::uint8_t channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

Color mix(Color a, Color b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {channel(a.r + (b.r - a.r) * t), channel(a.g + (b.g - a.g) * t),
            channel(a.b + (b.b - a.b) * t), channel(a.a + (b.a - a.a) * t)};
}

Paint solid(Color color) {
    return [color](double, double) { return color; };
}

Paint verticalGradient(Color top, Color bottom, double y0, double y1) {
    return [=](double, double y) { return mix(top, bottom, (y - y0) / (y1 - y0)); };
}

Paint radialGradient(Color inner, Color outer, Point centre, double radius) {
    return [=](double x, double y) {
        return mix(inner, outer, length(x - centre.x, y - centre.y) / radius);
    };
}

Shape disc(Point c, double radius) {
    return [=](double x, double y) { return length(x - c.x, y - c.y) - radius; };
}

Shape ring(Point c, double radius, double width) {
    return
        [=](double x, double y) { return std::abs(length(x - c.x, y - c.y) - radius) - width / 2; };
}

Shape roundedRect(double x0, double y0, double x1, double y1, double radius) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
               radius;
    };
}

Shape segment(Point a, Point b, double width) {
    return [=](double x, double y) {
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double t =
            std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return length(x - a.x - t * dx, y - a.y - t * dy) - width / 2;
    };
}

Shape convexPolygon(std::vector<Point> corners) {
    // Orient the corners clockwise on screen (y down), so each edge's outside is on its left.
    double area = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& p = corners[i];
        const Point& q = corners[(i + 1) % corners.size()];
        area += p.x * q.y - q.x * p.y;
    }
    if (area < 0) std::reverse(corners.begin(), corners.end());
    return [corners](double x, double y) {
        double distance = -1e9;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point& p = corners[i];
            const Point& q = corners[(i + 1) % corners.size()];
            const double ex = q.x - p.x, ey = q.y - p.y;
            // Outward normal of a clockwise edge (screen coordinates) is (ey, -ex).
            const double d = ((x - p.x) * ey - (y - p.y) * ex) / length(ex, ey);
            distance = std::max(distance, d);
        }
        return distance;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Shape subtract(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Canvas::Canvas(int width, int height, Color background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void Canvas::draw(const Shape& shape, const Paint& paint) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            // A pixel is covered in the proportion of its width that lies inside the edge.
            const double coverage = std::clamp(0.5 - shape(cx, cy), 0.0, 1.0);
            if (coverage > 0) blend(x, y, paint(cx, cy), coverage);
        }
    }
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, Color color) {
    fillRect(x0, y0, x1, y1, solid(color));
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, const Paint& paint) {
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = paint(x + 0.5, y + 0.5);
}

void Canvas::blend(int x, int y, Color color, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Color& under = pixels_[static_cast<std::size_t>(y) * width_ + x];
    // "Over" compositing with straight (not premultiplied) alpha.
    const double a = color.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
    const double b = under.a / 255.0;
    const double out = a + b * (1 - a);
    if (out <= 0) {
        under = {0, 0, 0, 0};
        return;
    }
    auto over = [&](std::uint8_t top, std::uint8_t bottom) {
        return channel((top * a + bottom * b * (1 - a)) / out);
    };
    under = {over(color.r, under.r), over(color.g, under.g), over(color.b, under.b),
             channel(out * 255)};
}

} // namespace artwork
