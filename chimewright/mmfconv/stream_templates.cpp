#include "chimewright/mmfconv/stream_templates.hpp"

#include <algorithm>
#include <array>
#include <cstring>

namespace cw::smaf {

namespace {

// Short form: the gate and the final duration are two-byte numbers (81 7A before patching).
constexpr std::array<unsigned char, 184> shortTemplate = {
    'M', 'M', 'M', 'D', 0x00, 0x00, 0x00, 0xB0,
    'C', 'N', 'T', 'I', 0x00, 0x00, 0x00, 0x05, 0x00, 0x32, 0x01, 0xFD, 0x00,
    // one data chunk of code type 0xFF, dropped when the texts are set
    'O', 'P', 'D', 'A', 0x00, 0x00, 0x00, 0x21,
    'D', 'c', 'h', 0xFF, 0x00, 0x00, 0x00, 0x19,
    'E', 'S', 0x00, 0x01, 0x00,
    'A', '0', 0x00, 0x06, 'Y', 'W', '1', '2', '0', '0',
    'A', '2', 0x00, 0x06, 'Y', 'W', '1', '2', '0', '0',
    'M', 'T', 'R', 0x05, 0x00, 0x00, 0x00, 0x70,
    0x02, 0x00, 0x02, 0x02, // mobile format, timebases 4 ms
    0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40,
    'M', 't', 's', 'u', 0x00, 0x00, 0x00, 0x11,
    0xF0, 0x06, 0x43, 0x79, 0x06, 0x7F, 0x7F, 0xF7,
    0xF0, 0x07, 0x43, 0x79, 0x06, 0x7F, 0x07, 0x00, 0xF7,
    'M', 't', 's', 'q', 0x00, 0x00, 0x00, 0x3B,
    0x00, 0xF0, 0x07, 0x43, 0x79, 0x06, 0x7F, 0x00, 0x64, 0xF7,
    0x00, 0xB0, 0x00, 0x00,
    0x00, 0xC0, 0x00,
    0x00, 0xB0, 0x07, 0x5A,
    0x00, 0xB0, 0x0A, 0x40,
    0x00, 0xB0, 0x0B, 0x7F,
    0x00, 0xB9, 0x00, 0x00,
    0x00, 0xC9, 0x00,
    0x00, 0xB9, 0x07, 0x69,
    0x00, 0xB9, 0x0A, 0x40,
    0x00, 0xB9, 0x0B, 0x7F,
    0x00, 0x90, 0x00, 0x00, 0x81, 0x7A,
    0x81, 0x7A, 0xFF, 0x2F, 0x00,
    0x32, 0x70, // check code; the image is rewritten
};

// Long form: the same with three-byte numbers (81 81 7A).
constexpr std::array<unsigned char, 186> makeLongTemplate() {
    std::array<unsigned char, 186> image{};
    constexpr std::size_t gateAt = 184 - 2 - 3 - 4; // before the numbers, end of sequence, code
    for (std::size_t i = 0; i < gateAt; ++i) image[i] = shortTemplate[i];
    image[7] = 0xB2;   // file size 178
    image[69] = 0x72;  // MTR size 114
    image[122] = 0x3D; // Mtsq size 61
    const unsigned char tail[] = {0x81, 0x81, 0x7A, 0x81, 0x81, 0x7A, 0xFF, 0x2F, 0x00, 0x32, 0x70};
    for (std::size_t i = 0; i < sizeof tail; ++i) image[gateAt + i] = tail[i];
    return image;
}

constexpr std::array<unsigned char, 186> longTemplate = makeLongTemplate();

// The gate time starts right after "90 00 00"; the final duration follows it.
constexpr std::size_t gateOffset = 175;

} // namespace

Bytes streamTemplate(int lengthTicks) {
    const unsigned ticks = static_cast<unsigned>(std::clamp(lengthTicks, 0, maxTemplateTicks));
    if (lengthTicks < longTemplateTicks) {
        Bytes image(shortTemplate.begin(), shortTemplate.end());
        for (std::size_t at : {gateOffset, gateOffset + 2}) {
            image[at] = static_cast<unsigned char>(0x80 | (ticks >> 7));
            image[at + 1] = static_cast<unsigned char>(ticks & 0x7F);
        }
        return image;
    }
    Bytes image(longTemplate.begin(), longTemplate.end());
    for (std::size_t at : {gateOffset, gateOffset + 3}) {
        image[at] = static_cast<unsigned char>(0x80 | (ticks >> 14));
        image[at + 1] = static_cast<unsigned char>(0x80 | ((ticks >> 7) & 0x7F));
        image[at + 2] = static_cast<unsigned char>(ticks & 0x7F);
    }
    return image;
}

} // namespace cw::smaf
