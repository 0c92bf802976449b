// The lines voxreel's window drew in its last paint, read from the record the program keeps
// when VOXREEL_PAINT_LOG names a file (docs/voxreel.md).
#pragma once

#include "platform/files.hpp"

#include <optional>
#include <string>
#include <vector>

namespace voxreel_gui_test {

struct PaintedLine {
    int x = 0;
    int y = 0;
    std::string text; // ANSI bytes (code page 932), as drawn

    bool operator==(const PaintedLine&) const = default;
};

// Nothing when there is no record yet or it cannot be read whole.
std::optional<std::vector<PaintedLine>> readPaintedLines(const platform::Path& record);

// What the window shows for a file name, a title line and a label given in UTF-8: the name
// at (10, 5), and the other two at (10, 25) and (10, 43) when they are not empty.
std::vector<PaintedLine> expectedLines(const std::string& fileName, const std::string& titleLine = "",
                                       const std::string& label = "");

// The lines in UTF-8, one per line, for failure messages.
std::string describe(const std::vector<PaintedLine>& lines);

} // namespace voxreel_gui_test
