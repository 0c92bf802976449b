// The text of an INI file as lines, for reading and changing single keys while every other
// line (foreign sections and keys, comments, blank lines) stays exactly as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniText {
public:
    // Splits text into lines. Every line keeps its own ending; lines added later get the
    // file's first one (CR LF for a file that has none yet).
    explicit IniText(std::string_view text);

    // The value of the first such key in the first such section: trimmed, and without one
    // pair of matching quotes around it.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Replaces the key's value, or adds the key at the end of the section's keys, or adds the
    // section at the end of the text.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    struct Line {
        std::string text;
        std::string ending; // "\r\n", "\n", or empty for a last line without one
    };
    std::string byteOrderMark_; // a UTF-8 mark before the first line, written back as it was
    std::vector<Line> lines_;
    std::string ending_;

    // Index of the first section header with that name, or lines_.size().
    std::size_t findSection(std::string_view section) const;
    // End of the section that starts at header: the next header or the end of the text.
    std::size_t sectionEnd(std::size_t header) const;
};

} // namespace platform
