#include "voxreel/gui/paint_record.hpp"

#include <windows.h>

#include <vector>

namespace voxreel::gui {

PaintRecord PaintRecord::fromEnvironment() {
    PaintRecord record;
    const wchar_t* name = L"VOXREEL_PAINT_LOG";
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size <= 1) return record;
    std::vector<wchar_t> value(size);
    if (::GetEnvironmentVariableW(name, value.data(), size) + 1 != size) return record;
    record.file_ = platform::Path(value.data());
    return record;
}

void PaintRecord::addLine(int x, int y, const std::string& text) {
    if (!enabled()) return;
    lines_ += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(text.size()) +
              ":" + text + "\n";
}

void PaintRecord::endPaint() {
    if (!enabled()) return;
    platform::Path partial = file_;
    partial += L".part";
    if (!platform::writeWholeFile(partial, lines_.data(), lines_.size())) return;
    ::MoveFileExW(partial.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace voxreel::gui
