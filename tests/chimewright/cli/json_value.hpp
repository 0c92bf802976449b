// A small JSON reader for checking what the console program writes: the whole grammar
// (objects, arrays, strings with escapes, numbers, true, false, null), no extensions.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cli_testing {

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object } kind = Kind::null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;
    std::vector<std::string> order; // member names as they came

    const JsonValue* member(const std::string& name) const {
        const auto found = members.find(name);
        return found == members.end() ? nullptr : &found->second;
    }
};

// Nothing when `text` is not exactly one JSON value (white space around it allowed).
std::optional<JsonValue> parseJson(const std::string& text);

} // namespace cli_testing
