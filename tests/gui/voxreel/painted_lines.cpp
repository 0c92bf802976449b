#include "tests/gui/voxreel/painted_lines.hpp"

#include "platform/text.hpp"

#include <charconv>

namespace voxreel_gui_test {

namespace {

// One number followed by `end` at `at`; false when the record breaks off.
bool readNumber(const std::string& record, std::size_t& at, char end, std::size_t& value) {
    const std::size_t stop = record.find(end, at);
    if (stop == std::string::npos) return false;
    const auto [next, error] = std::from_chars(record.data() + at, record.data() + stop, value);
    if (error != std::errc() || next != record.data() + stop) return false;
    at = stop + 1;
    return true;
}

} // namespace

std::optional<std::vector<PaintedLine>> readPaintedLines(const platform::Path& recordFile) {
    const std::optional<std::string> record = platform::readWholeFile(recordFile);
    if (!record) return std::nullopt;
    std::vector<PaintedLine> lines;
    std::size_t at = 0;
    while (at < record->size()) {
        std::size_t x = 0, y = 0, length = 0;
        if (!readNumber(*record, at, ',', x) || !readNumber(*record, at, ',', y) ||
            !readNumber(*record, at, ':', length) || at + length >= record->size() ||
            (*record)[at + length] != '\n')
            return std::nullopt;
        lines.push_back({static_cast<int>(x), static_cast<int>(y), record->substr(at, length)});
        at += length + 1;
    }
    return lines;
}

std::vector<PaintedLine> expectedLines(const std::string& fileName, const std::string& titleLine,
                                       const std::string& label) {
    std::vector<PaintedLine> lines{{10, 5, platform::utf8ToCp932(fileName)}};
    if (!titleLine.empty()) lines.push_back({10, 25, platform::utf8ToCp932(titleLine)});
    if (!label.empty()) lines.push_back({10, 43, platform::utf8ToCp932(label)});
    return lines;
}

std::string describe(const std::vector<PaintedLine>& lines) {
    std::string out;
    for (const PaintedLine& line : lines)
        out += "  (" + std::to_string(line.x) + ", " + std::to_string(line.y) + ") \"" +
               platform::cp932ToUtf8(line.text) + "\"\n";
    return out;
}

} // namespace voxreel_gui_test
