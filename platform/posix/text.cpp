#include "platform/text.hpp"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// Runs iconv over the whole input; a byte it cannot convert becomes `replacement`.
std::string convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    std::string in(input);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char chunk[256];
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        std::size_t rc = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk, sizeof chunk - outLeft);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Skip one undecodable unit: a whole UTF-8 sequence, or one byte otherwise.
            std::size_t skip = 1;
            if (std::string_view(from) == "UTF-8") {
                unsigned char lead = static_cast<unsigned char>(*inPtr);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                if (skip > inLeft) skip = inLeft;
            }
            inPtr += skip;
            inLeft -= skip;
            out.append(replacement);
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    ::iconv_close(cd);
    return out;
}

} // namespace

std::string utf8ToCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, "?"); }

std::string cp932ToUtf8(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD");
}

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string pathToUtf8(const std::filesystem::path& path) { return path.string(); }

} // namespace platform
