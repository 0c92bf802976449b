#include "platform/posix/ini_text.hpp"

namespace platform {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(']');
    return trim(close == std::string_view::npos ? line : line.substr(0, close));
}

bool isComment(std::string_view line) {
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

// The key of a "key=value" line, or nothing.
std::optional<std::string_view> keyName(std::string_view line) {
    if (isComment(line)) return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view name = trim(line.substr(0, equals));
    if (name.empty()) return std::nullopt;
    return name;
}

std::string_view valueOf(std::string_view line) {
    std::string_view value = trim(line.substr(line.find('=') + 1));
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniText::IniText(std::string_view text) {
    constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, utf8Mark.size()) == utf8Mark) {
        byteOrderMark_ = utf8Mark;
        text.remove_prefix(utf8Mark.size());
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines_.push_back({std::string(text.substr(start)), ""});
            break;
        }
        std::string_view content = text.substr(start, newline - start);
        const bool crlf = !content.empty() && content.back() == '\r';
        if (crlf) content.remove_suffix(1);
        lines_.push_back({std::string(content), crlf ? "\r\n" : "\n"});
        if (ending_.empty()) ending_ = lines_.back().ending;
        start = newline + 1;
    }
    if (ending_.empty()) ending_ = "\r\n";
}

std::size_t IniText::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = headerName(lines_[i].text);
        if (name && sameName(*name, section)) return i;
    }
    return lines_.size();
}

std::size_t IniText::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !headerName(lines_[i].text)) ++i;
    return i;
}

std::optional<std::string> IniText::find(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == lines_.size()) return std::nullopt;
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        auto name = keyName(lines_[i].text);
        if (name && sameName(*name, key)) return std::string(valueOf(lines_[i].text));
    }
    return std::nullopt;
}

void IniText::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    const std::size_t header = findSection(section);
    if (header == lines_.size()) {
        if (!lines_.empty()) {
            if (lines_.back().ending.empty()) lines_.back().ending = ending_;
            if (!trim(lines_.back().text).empty()) lines_.push_back({"", ending_});
        }
        lines_.push_back({"[" + std::string(section) + "]", ending_});
        lines_.push_back({keyLine, ending_});
        return;
    }
    const std::size_t end = sectionEnd(header);
    std::size_t lastContent = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        const std::string& line = lines_[i].text;
        auto name = keyName(line);
        if (name && sameName(*name, key)) {
            // The key keeps the spelling it has in the file.
            lines_[i].text = std::string(*name) + "=" + std::string(value);
            return;
        }
        if (!trim(line).empty() && !isComment(line)) lastContent = i;
    }
    // After the section's last key: comments and blank lines below it may belong to the
    // next section.
    if (lines_[lastContent].ending.empty()) lines_[lastContent].ending = ending_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1),
                  {keyLine, ending_});
}

std::string IniText::text() const {
    std::string out = byteOrderMark_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

} // namespace platform
