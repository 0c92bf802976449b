// The file list as text, as the clipboard and "--list" hand it over: UTF-8 or code page 932,
// any lines. Every row keeps to the field limits, and what the list exports imports again as
// the same rows.
#include "chimewright/app/file_list.hpp"
#include "chimewright/app/list_text.hpp"
#include "chimewright/app/user_text.hpp"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

bool withoutControlCharacters(const std::string& text) {
    for (unsigned char c : text)
        if (c < 32) return false;
    return true;
}

bool sameRows(const std::vector<cw::FileRow>& a, const std::vector<cw::FileRow>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].path != b[i].path || a[i].title != b[i].title ||
            a[i].outputName != b[i].outputName || a[i].intervalMs != b[i].intervalMs)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = cw::textFromFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<cw::FileRow> rows = cw::parseListText(text);
    for (const cw::FileRow& row : rows) {
        expect(cw::toUtf16(row.path).size() >= 5);
        expect(cw::toUtf16(row.title).size() <= 64 && cw::toUtf16(row.outputName).size() <= 64);
        expect(withoutControlCharacters(row.path) && withoutControlCharacters(row.title) &&
               withoutControlCharacters(row.outputName));
        expect(cw::titleFromPath(row.path).size() <= 4 * 64);
    }

    cw::FileList list;
    cw::WorkerSlot idle;
    expect(cw::replaceRows(list, rows, idle));
    expect(sameRows(cw::parseListText(cw::listExportText(list)), rows));
    return 0;
}
