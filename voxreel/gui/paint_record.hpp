// What the window's last paint drew, kept in a file for the window's tests, which check the
// lines through it rather than by comparing pixels. Only when the environment variable
// VOXREEL_PAINT_LOG names a file; otherwise nothing is recorded.
//
// File format, one record per line drawn, in drawing order: "x,y,length:" and then the
// length bytes of the text exactly as drawn (ANSI code page), then a line feed. Every paint
// replaces the whole file.
#pragma once

#include "platform/files.hpp"

#include <string>

namespace voxreel::gui {

class PaintRecord {
public:
    // Reads VOXREEL_PAINT_LOG.
    static PaintRecord fromEnvironment();

    bool enabled() const { return !file_.empty(); }
    void beginPaint() { lines_.clear(); }
    void addLine(int x, int y, const std::string& text);
    // Replaces the file with this paint's lines (written beside it, then moved over it, so a
    // reader never sees half a paint).
    void endPaint();

private:
    platform::Path file_;
    std::string lines_;
};

} // namespace voxreel::gui
