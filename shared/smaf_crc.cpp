#include "shared/smaf_crc.hpp"

namespace suite {

namespace {

// Entry i is the register after shifting byte i, placed in the high byte, through eight rounds.
constexpr std::array<std::uint16_t, 256> makeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned reg = i << 8;
        for (int bit = 0; bit < 8; ++bit) reg = (reg & 0x8000) ? (reg << 1) ^ 0x1021 : reg << 1;
        table[i] = static_cast<std::uint16_t>(reg);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> crcTable = makeCrcTable();

char hexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0xF];
}

} // namespace

std::uint16_t smafCrc16(const unsigned char* bytes, std::size_t length) {
    unsigned reg = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i)
        reg = ((reg << 8) ^ crcTable[((reg >> 8) ^ bytes[i]) & 0xFF]) & 0xFFFF;
    return static_cast<std::uint16_t>(reg ^ 0xFFFF);
}

std::array<char, 2> smafCheckMark(const unsigned char* bytes, std::size_t length) {
    const unsigned code = smafCrc16(bytes, length);
    return {hexDigit(((code >> 8) & 0xF) ^ 0xD), hexDigit((code & 0xF) ^ 0x2)};
}

} // namespace suite
