// Expected MFi bytes written out by hand from the layout: ids, big-endian numbers, raw bytes.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace mfi_test {

class Golden {
public:
    Golden& text(std::string_view s) {
        for (char c : s) bytes_.push_back(static_cast<unsigned char>(c));
        return *this;
    }
    Golden& raw(std::initializer_list<int> values) {
        for (int v : values) bytes_.push_back(static_cast<unsigned char>(v));
        return *this;
    }
    Golden& raw(const std::vector<unsigned char>& values) {
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }
    Golden& be16(std::uint32_t v) { return raw({int(v >> 8 & 0xFF), int(v & 0xFF)}); }
    Golden& be32(std::uint32_t v) {
        return raw({int(v >> 24 & 0xFF), int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)});
    }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

// A voice of `count` bytes that runs through every byte value.
inline std::vector<unsigned char> patternVoice(std::size_t count) {
    std::vector<unsigned char> v(count);
    for (std::size_t i = 0; i < count; ++i) v[i] = static_cast<unsigned char>(i * 7 + 3);
    return v;
}

// "melo" .. "note" without title and copyright: information length 28.
inline Golden plainHeader(const char* version, std::size_t fileLength, int type, int tracks) {
    Golden g;
    g.text("melo").be32(static_cast<std::uint32_t>(fileLength - 8)).be16(28).raw({type, 0x01, tracks});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text(version);
    g.text("note").be16(2).raw({0x00, 0x01});
    return g;
}

inline cw::MfiWriterInputs inputs(std::uint32_t extraMs = 0, bool loop = false,
                                  double volume = 1.0) {
    cw::MfiWriterInputs in;
    in.extraSilenceMs = extraMs;
    in.loop = loop;
    in.volume = volume;
    return in;
}

} // namespace mfi_test
