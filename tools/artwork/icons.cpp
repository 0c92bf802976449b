#include "tools/artwork/icons.hpp"

#include <cmath>
#include <numbers>

namespace artwork {

namespace {

// Every icon is designed on a 48-unit square; this maps the units onto the canvas.
struct Grid {
    double scale;
    explicit Grid(const Canvas& c) : scale(c.width() / 48.0) {}
    double operator()(double units) const { return units * scale; }
    Point at(double x, double y) const { return {x * scale, y * scale}; }
};

// The shape grown by `width`, drawn first in a darker colour, keeps a light figure apart
// from its background at 16 pixels.
Shape outline(const Shape& shape, double width) {
    return [=](double x, double y) { return shape(x, y) - width; };
}

void drawTile(Canvas& c, const Grid& g, Color light, Color dark) {
    const Shape tile = roundedRect(g(2), g(2), g(46), g(46), g(9));
    c.draw(tile, verticalGradient(light, dark, g(2), g(46)));
    // A lighter rim along the top edge gives the tile some depth.
    c.draw(intersect(ring({g(24), g(24)}, g(21), g(1)), roundedRect(g(0), g(0), g(48), g(16), 0)),
           rgb(0xFFFFFF, 60));
}

} // namespace

void drawChimewrightIcon(Canvas& c) {
    const Grid g(c);
    drawTile(c, g, rgb(0x4D8EF0), rgb(0x1C3C8C));
    const Shape dome = disc(g.at(24, 18), g(8.5));
    const Shape body = convexPolygon({g.at(15.5, 18), g.at(32.5, 18), g.at(37, 33), g.at(11, 33)});
    const Shape rim = roundedRect(g(8), g(31), g(40), g(36.5), g(2.5));
    const Shape bell = unite(unite(dome, body), rim);
    const Shape clapper = disc(g.at(24, 39.5), g(3.6));
    const Shape loop = ring(g.at(24, 8.5), g(2.4), g(1.8));
    const Color edge = rgb(0x6B4A08);
    c.draw(outline(unite(unite(bell, clapper), loop), g(1.2)), edge);
    c.draw(loop, rgb(0xE9B949));
    c.draw(clapper, rgb(0xD99A1E));
    c.draw(bell, verticalGradient(rgb(0xFFE98A), rgb(0xE3A11C), g(9), g(37)));
    // Shine on the bell's left flank.
    c.draw(segment(g.at(18.5, 16), g.at(15.5, 29), g(2)), rgb(0xFFFFFF, 150));
}

void drawVoxreelIcon(Canvas& c) {
    const Grid g(c);
    drawTile(c, g, rgb(0x3CCB7F), rgb(0x137A45));
    const Shape box = roundedRect(g(8), g(18), g(17), g(30), g(1.5));
    const Shape cone = convexPolygon({g.at(15, 18), g.at(26, 9), g.at(26, 39), g.at(15, 30)});
    const Shape speaker = unite(box, cone);
    const Shape rightSide = convexPolygon({g.at(29, 0), g.at(48, 0), g.at(48, 48), g.at(29, 48)});
    const Shape wedge = convexPolygon({g.at(26, 24), g.at(48, 2), g.at(48, 46)});
    // Two sound waves; at 16 pixels they would blur into one, so that size gets one bolder.
    const Shape rings =
        c.width() <= 16 ? ring(g.at(26, 24), g(11), g(5))
                        : unite(ring(g.at(26, 24), g(7.5), g(3)), ring(g.at(26, 24), g(14), g(3)));
    const Shape waves = intersect(intersect(rings, rightSide), wedge);
    const Color edge = rgb(0x0B4A29);
    c.draw(outline(unite(speaker, waves), g(1.2)), edge);
    c.draw(speaker, rgb(0xFFFFFF));
    c.draw(waves, rgb(0xFFFFFF));
}

void drawTarnwickIcon(Canvas& c) {
    const Grid g(c);
    drawTile(c, g, rgb(0x9C6BF0), rgb(0x43217F));
    // The samples: bars of the wave's height at even steps, as an encoder sees it.
    const double left = 8, right = 40, middle = 24, amplitude = 10;
    auto wave = [&](double x) {
        return middle - amplitude * std::sin((x - left) / (right - left) * 2 * std::numbers::pi);
    };
    for (double x = left + 2; x < right; x += 4) {
        const double top = std::min(wave(x), middle), bottom = std::max(wave(x), middle);
        c.draw(roundedRect(g(x - 1.3), g(top), g(x + 1.3), g(bottom + 0.01), g(0.6)),
               rgb(0xD9C6FF, 150));
    }
    // The wave itself, as the distance to the curve (its height difference over the slope).
    const Shape curve = [=](double px, double py) {
        const double x = std::clamp(px / g.scale, left, right);
        const double slope = -amplitude * 2 * std::numbers::pi / (right - left) *
                             std::cos((x - left) / (right - left) * 2 * std::numbers::pi);
        const double dy = (py / g.scale - wave(x)) / std::sqrt(1 + slope * slope);
        const double dx = px / g.scale - x; // beyond either end
        return std::sqrt(dx * dx + dy * dy) * g.scale - g(1.6);
    };
    c.draw(outline(curve, g(1)), rgb(0x2A1152));
    c.draw(curve, rgb(0xFFFFFF));
}

} // namespace artwork
