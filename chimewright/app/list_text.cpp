#include "chimewright/app/list_text.hpp"

#include "chimewright/app/c_numbers.hpp"
#include "chimewright/app/user_text.hpp"

#include <cstdio>

namespace cw {

namespace {

constexpr std::size_t maxTitle = 64;
constexpr std::size_t maxInterval = 16;
constexpr std::size_t minPath = 5;

std::string rightAligned5(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%5d", value);
    return text;
}

std::string_view beforeControlCharacter(std::string_view field) {
    for (std::size_t i = 0; i < field.size(); ++i)
        if (static_cast<unsigned char>(field[i]) < 32) return field.substr(0, i);
    return field;
}

FileRow rowFromFields(const std::vector<std::string_view>& fields) {
    auto field = [&](std::size_t i) {
        return i < fields.size() ? beforeControlCharacter(fields[i]) : std::string_view();
    };
    FileRow row;
    row.path = std::string(field(0));
    row.title = cutToUtf16Units(field(1), maxTitle);
    row.outputName = cutToUtf16Units(field(2), maxTitle);
    row.intervalMs = leadingInteger(cutToUtf16Units(field(3), maxInterval));
    if (row.outputName.empty()) row.outputName = row.title;
    return row;
}

} // namespace

std::string listExportText(const FileList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const FileRow& row = list.rows[i];
        const int result = i < list.results.size() ? list.results[i] : 0;
        text += row.path + "\t" + row.title + "\t" + row.outputName + "\t" +
                rightAligned5(row.intervalMs) + "\t" + rightAligned5(result) + "\r\n";
    }
    return text;
}

std::vector<FileRow> parseListText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<FileRow> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        std::vector<std::string_view> fields;
        std::size_t from = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
            if (tab == std::string_view::npos) break;
            from = tab + 1;
        }
        FileRow row = rowFromFields(fields);
        if (toUtf16(row.path).size() >= minPath) rows.push_back(std::move(row));
        start = end + 1;
    }
    return rows;
}

} // namespace cw
