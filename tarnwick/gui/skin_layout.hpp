// Where every control of tarnwick's dialogs sits over the skin, in pixels of the client
// area, and which bitmap draws it. Buttons and pictures take the size of one face of their
// bitmap; texts and edits have their own size.
#pragma once

#include <span>

namespace tarnwick::gui {

enum class ControlKind {
    pushButton, // owner-drawn, faces: normal, hover, pressed, disabled
    toggle,     // owner-drawn, faces: off, on, locked
    picture,    // owner-drawn static, one face
    text,       // a plain static or edit of its own size
};

struct ControlPlace {
    int id;
    ControlKind kind;
    int bitmap; // 0 for texts and edits
    int x, y;
    int width = 0, height = 0; // texts and edits only
};

// Faces stacked in each kind's bitmap.
int faceCount(ControlKind kind);

// The places of one dialog's controls (by template identifier); empty for an unknown one.
std::span<const ControlPlace> layoutOf(int dialogId);

// A press in this strip of the client area moves the window (every dialog has it).
constexpr int moveStripRight = 210;
constexpr int moveStripBottom = 20;

} // namespace tarnwick::gui
