#include "tools/artwork/tarnwick_skin.hpp"

#include "tools/artwork/pixel_font.hpp"

#include <cmath>
#include <numbers>

namespace artwork {

namespace {

// The skin's colours: the purple of tarnwick's icon on a pale body.
constexpr Color strip = rgb(0x43217F);
constexpr Color stripLight = rgb(0x7A4FD0);
constexpr Color body = rgb(0xE8E2F4);
constexpr Color ink = rgb(0x2A1452);
constexpr Color white = rgb(0xFFFFFF);

struct Face {
    Color top, bottom, label;
    double labelShift; // a pressed face moves its label down a little
};

// Normal, hover, pressed, disabled.
constexpr Face buttonFaces[] = {
    {rgb(0x9C6BF0), rgb(0x5B32A8), white, 0},
    {rgb(0xB991FF), rgb(0x7447C8), white, 0},
    {rgb(0x4A2590), rgb(0x6E45BC), rgb(0xE0D4FF), 1},
    {rgb(0xC9C4D2), rgb(0xA7A1B3), rgb(0xEEEEEE), 0},
};

// Draws `faces` faces of `faceHeight` stacked down the canvas, each by `drawFace`.
template <typename DrawFace> void stackFaces(Canvas& c, int faces, DrawFace drawFace) {
    const int faceHeight = c.height() / faces;
    for (int face = 0; face < faces; ++face) {
        const double top = face * faceHeight;
        c.fillRect(0, static_cast<int>(top), c.width(), static_cast<int>(top) + faceHeight, body);
        drawFace(face, top, static_cast<double>(faceHeight));
    }
}

void drawLabelButton(Canvas& c, const char* label) {
    stackFaces(c, 4, [&](int face, double top, double height) {
        const Face& look = buttonFaces[face];
        const Shape button = roundedRect(0.5, top + 0.5, c.width() - 0.5, top + height - 0.5, 4);
        c.draw(button, rgb(0x2A1452, 200));
        c.draw(roundedRect(1.5, top + 1.5, c.width() - 1.5, top + height - 1.5, 3),
               verticalGradient(look.top, look.bottom, top, top + height));
        const int y = static_cast<int>(top + (height - glyphHeight) / 2 + look.labelShift);
        drawText(c, (c.width() - textWidth(label)) / 2, y, label, look.label);
    });
}

// A band across a picture with a round mark at its left and a word beside it.
void drawPictureBand(Canvas& c, Color light, Color dark, const char* word) {
    c.fillRect(0, 0, c.width(), c.height(), body);
    c.draw(roundedRect(4, 2, c.width() - 4, c.height() - 2, 8),
           verticalGradient(light, dark, 2, c.height() - 2));
    c.draw(disc({22, c.height() / 2.0}, 12), white);
    drawText(c, 42, (c.height() - glyphHeight * 2) / 2, word, white, 2);
}

} // namespace

void drawTarnwickBackground(Canvas& c) {
    c.fillRect(0, 0, c.width(), c.height(), body);
    c.fillRect(0, 0, c.width(), 20, verticalGradient(stripLight, strip, 0, 20));
    // The strip a user drags the window by: the name, and grip dots at its right end.
    drawText(c, 8, 7, "TARNWICK", white);
    for (int x = 170; x < 204; x += 4)
        c.draw(disc({x + 0.5, 10.5}, 1), rgb(0xFFFFFF, 160));
    c.fillRect(0, 20, c.width(), 21, ink);
    // A frame round the whole window, since it has none of its own.
    c.fillRect(0, c.height() - 1, c.width(), c.height(), ink);
    c.fillRect(0, 0, 1, c.height(), ink);
    c.fillRect(c.width() - 1, 0, c.width(), c.height(), ink);
}

void drawTarnwickCancel(Canvas& c) {
    drawLabelButton(c, "CANCEL");
}
void drawTarnwickClear(Canvas& c) {
    drawLabelButton(c, "CLEAR");
}
void drawTarnwickDialogOk(Canvas& c) {
    drawLabelButton(c, "OK");
}
void drawTarnwickTitleOk(Canvas& c) {
    drawLabelButton(c, "OK");
}
void drawTarnwickAbout(Canvas& c) {
    drawLabelButton(c, "ABOUT");
}

void drawTarnwickPower(Canvas& c) {
    stackFaces(c, 4, [&](int face, double top, double height) {
        const Face& look = buttonFaces[face];
        const Point centre{c.width() / 2.0, top + height / 2.0};
        const double radius = height / 2.0 - 0.5;
        c.draw(disc(centre, radius), rgb(0x2A1452, 200));
        c.draw(disc(centre, radius - 1),
               verticalGradient(look.top, look.bottom, top, top + height));
        // The power mark: a ring open at the top, and a bar through the opening.
        const Point mark{centre.x, centre.y + look.labelShift};
        const Shape gap = convexPolygon({mark, {mark.x - 6, mark.y - 9}, {mark.x + 6, mark.y - 9}});
        c.draw(subtract(ring(mark, 5, 1.8), gap), look.label);
        c.draw(segment({mark.x, mark.y - 7}, {mark.x, mark.y - 1}, 1.8), look.label);
    });
}

void drawTarnwickToggle(Canvas& c) {
    // Off: a grey slot with the knob left; on: a bright slot with the knob right; locked: the
    // knob right on a dark slot with a bar across it (the switch cannot move).
    stackFaces(c, 3, [&](int face, double top, double height) {
        const Color slot = face == 0 ? rgb(0xA7A1B3) : face == 1 ? rgb(0x9C6BF0) : rgb(0x4A3A66);
        c.draw(roundedRect(0.5, top + 0.5, c.width() - 0.5, top + height - 0.5, height / 2 - 0.5),
               ink);
        c.draw(roundedRect(1.5, top + 1.5, c.width() - 1.5, top + height - 1.5, height / 2 - 1.5),
               slot);
        const double knobX = face == 0 ? height / 2 : c.width() - height / 2;
        c.draw(disc({knobX, top + height / 2}, height / 2 - 1.5), white);
        if (face == 2)
            c.draw(
                segment({4, top + height / 2}, {c.width() - height - 1.0, top + height / 2}, 1.5),
                rgb(0xFFFFFF, 190));
    });
}

void drawTarnwickSuccessPicture(Canvas& c) {
    drawPictureBand(c, rgb(0x5FD38D), rgb(0x23874C), "DONE");
    const double y = c.height() / 2.0;
    c.draw(unite(segment({15, y}, {20, y + 5}, 2.5), segment({20, y + 5}, {29, y - 6}, 2.5)),
           rgb(0x23874C));
}

void drawTarnwickErrorPicture(Canvas& c) {
    drawPictureBand(c, rgb(0xF07A7A), rgb(0xA8282B), "ERROR");
    const double y = c.height() / 2.0;
    const Color mark = rgb(0xA8282B);
    c.draw(unite(segment({16, y - 6}, {28, y + 6}, 2.5), segment({28, y - 6}, {16, y + 6}, 2.5)),
           mark);
}

void drawTarnwickDropspace(Canvas& c) {
    c.fillRect(0, 0, c.width(), c.height(), body);
    c.draw(roundedRect(5, 4, c.width() - 5, c.height() - 4, 6), rgb(0xF7F3FF));
    // A dashed frame round the place to drop on.
    for (int x = 10; x < c.width() - 10; x += 8) {
        c.fillRect(x, 4, x + 4, 5, strip);
        c.fillRect(x, c.height() - 5, x + 4, c.height() - 4, strip);
    }
    for (int y = 10; y < c.height() - 10; y += 8) {
        c.fillRect(5, y, 6, y + 4, strip);
        c.fillRect(c.width() - 6, y, c.width() - 5, y + 4, strip);
    }
    // An arrow down onto the words.
    c.draw(segment({24, 12}, {24, 26}, 3), stripLight);
    c.draw(convexPolygon({{17, 24}, {31, 24}, {24, 32}}), stripLight);
    drawText(c, 42, 13, "DROP A WAV FILE", ink);
    drawText(c, 42, 24, "8000 OR 4000 HZ MONO", rgb(0x5B32A8));
}

} // namespace artwork
