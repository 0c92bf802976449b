#include "tests/chimewright/cli/json_value.hpp"

#include <cstdlib>

namespace cli_testing {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    bool value(JsonValue& out, int depth = 0) {
        if (depth > 64) return false;
        space();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '{') return object(out, depth);
        if (c == '[') return array(out, depth);
        if (c == '"') {
            out.kind = JsonValue::Kind::string;
            return string(out.text);
        }
        if (word("true")) return set(out, JsonValue::Kind::boolean, true);
        if (word("false")) return set(out, JsonValue::Kind::boolean, false);
        if (word("null")) return set(out, JsonValue::Kind::null, false);
        return number(out);
    }

    bool atEnd() {
        space();
        return at_ == text_.size();
    }

private:
    const std::string& text_;
    std::size_t at_ = 0;

    void space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool take(char c) {
        space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(const char* w) {
        const std::string s(w);
        if (text_.compare(at_, s.size(), s) != 0) return false;
        at_ += s.size();
        return true;
    }
    static bool set(JsonValue& out, JsonValue::Kind kind, bool b) {
        out.kind = kind;
        out.boolean = b;
        return true;
    }
    bool object(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::object;
        ++at_;
        if (take('}')) return true;
        do {
            space();
            std::string name;
            if (!string(name) || !take(':')) return false;
            JsonValue member;
            if (!value(member, depth + 1)) return false;
            out.order.push_back(name);
            out.members[name] = std::move(member);
        } while (take(','));
        return take('}');
    }
    bool array(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::array;
        ++at_;
        if (take(']')) return true;
        do {
            JsonValue item;
            if (!value(item, depth + 1)) return false;
            out.items.push_back(std::move(item));
        } while (take(','));
        return take(']');
    }
    bool string(std::string& out) {
        if (at_ >= text_.size() || text_[at_] != '"') return false;
        ++at_;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (at_ >= text_.size()) return false;
            const char e = text_[at_++];
            switch (e) {
            case '"': case '\\': case '/': out.push_back(e); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'u': {
                if (at_ + 4 > text_.size()) return false;
                const long code = std::strtol(text_.substr(at_, 4).c_str(), nullptr, 16);
                at_ += 4;
                if (code < 0x80) out.push_back(static_cast<char>(code));
                else out += "?"; // the checks here need only ASCII escapes
                break;
            }
            default: return false;
            }
        }
        return false;
    }
    bool number(JsonValue& out) {
        const char* begin = text_.c_str() + at_;
        char* end = nullptr;
        if (*begin != '-' && (*begin < '0' || *begin > '9')) return false;
        out.number = std::strtod(begin, &end);
        if (end == begin) return false;
        at_ += static_cast<std::size_t>(end - begin);
        out.kind = JsonValue::Kind::number;
        return true;
    }
};

} // namespace

std::optional<JsonValue> parseJson(const std::string& text) {
    Reader reader(text);
    JsonValue value;
    if (!reader.value(value) || !reader.atEnd()) return std::nullopt;
    return value;
}

} // namespace cli_testing
