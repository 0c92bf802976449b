#include "tests/voxreel/ringtone_builder.hpp"

#include "shared/byte_order.hpp"
#include "shared/smaf_crc.hpp"

#include <algorithm>

namespace vx_test {

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values) out.push_back(static_cast<unsigned char>(v));
    return out;
}

Bytes text(const std::string& characters) { return Bytes(characters.begin(), characters.end()); }

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes repeated(unsigned char value, std::size_t count) { return Bytes(count, value); }

Bytes infoChunk(const std::string& id, const Bytes& data) {
    Bytes out = text(id) + Bytes(2);
    suite::writeBe16(&out[4], static_cast<std::uint16_t>(data.size()));
    return out + data;
}

Bytes chunk(const std::string& id, const Bytes& body) {
    // Ids written "ATR\0" arrive cut at their zero byte.
    Bytes out = text(id) + Bytes(4 - std::min<std::size_t>(id.size(), 4)) + Bytes(4);
    suite::writeBe32(&out[4], static_cast<std::uint32_t>(body.size()));
    return out + body;
}

Bytes exclusive(int delta, const Bytes& record) {
    Bytes out = bytes({delta, 0xFF, 0xFF, 0, 0});
    suite::writeBe16(&out[3], static_cast<std::uint16_t>(record.size()));
    return out + record;
}

Bytes adatBody(int formatCode, int rateKHz, int bits, int layout, const Bytes& voice) {
    return bytes({0, 11, formatCode, 0}) + text("adpm") + bytes({0, 3, rateKHz, bits, layout}) +
           voice;
}

Bytes mfiFile(const Bytes& infoChunks, const std::vector<Bytes>& dataChunks) {
    int tracks = 0;
    for (const Bytes& c : dataChunks)
        if (c.size() >= 4 && std::string(c.begin(), c.begin() + 4) == "trac") ++tracks;
    Bytes out = text("melo") + Bytes(4) + Bytes(2) + bytes({1, 1, tracks}) + infoChunks;
    suite::writeBe16(&out[8], static_cast<std::uint16_t>(3 + infoChunks.size()));
    for (const Bytes& c : dataChunks) out = out + c;
    suite::writeBe32(&out[4], static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

Bytes mfiInfo(const std::string& version, const std::string& title, const std::string& copyright) {
    Bytes out = infoChunk("sorc", bytes({copyright.empty() ? 0 : 1}));
    if (!title.empty()) out = out + infoChunk("titl", text(title));
    out = out + infoChunk("vers", text(version)) + infoChunk("note", bytes({0, 1}));
    if (!copyright.empty()) out = out + infoChunk("copy", text(copyright));
    return out;
}

Bytes smafFile(const std::vector<Bytes>& chunks) {
    Bytes out = text("MMMD") + Bytes(4);
    for (const Bytes& c : chunks) out = out + c;
    suite::writeBe32(&out[4], static_cast<std::uint32_t>(out.size() - 8 + 2));
    const std::uint16_t crc = suite::smafCrc16(out.data(), out.size());
    return out + bytes({crc >> 8, crc & 0xFF});
}

std::span<const unsigned char> view(const std::string& bytes) {
    return {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
}

} // namespace vx_test
