#include "tests/chimewright/mfi/family_voice_reader.hpp"

namespace mfi_test {

namespace {

bool startsWith(const Bytes& b, std::initializer_list<int> prefix) {
    if (b.size() < prefix.size()) return false;
    std::size_t i = 0;
    for (int v : prefix)
        if (b[i++] != v) return false;
    return true;
}

// Collects one channel's blocks in order; a block after a last block, or a last block that
// says another follows, is an error.
struct ChannelBlocks {
    Bytes* out;
    bool seen = false;
    bool more = false;
    std::size_t count = 0;

    bool add(const Bytes& body, std::size_t dataFrom, bool continues, std::string& error) {
        if (seen && !more) return error = "block after a last block", false;
        seen = true;
        more = continues;
        ++count;
        out->insert(out->end(), body.begin() + static_cast<std::ptrdiff_t>(dataFrom), body.end());
        return true;
    }
};

std::optional<FamilyVoice> readAdat(const MfiFile& file, int codec, std::string& error) {
    for (const Chunk& c : file.data) {
        if (c.id != "adat") continue;
        const Bytes& d = c.data;
        if (d.size() < 13 || d[0] != 0 || d[1] != 11 || d[2] != codec || d[3] != 0 ||
            Bytes(d.begin() + 4, d.begin() + 8) != Bytes{'a', 'd', 'p', 'm'} || d[8] != 0 ||
            d[9] != 3)
            return error = "adat header", std::nullopt;
        FamilyVoice voice;
        voice.rateField = d[10];
        voice.bits = d[11];
        const Bytes body(d.begin() + 13, d.end());
        if (d[12] == 1) {
            voice.first = body;
        } else if (d[12] == 2) {
            if (body.size() % 2) return error = "odd split stereo adat body", std::nullopt;
            voice.stereo = true;
            voice.first.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(body.size() / 2));
            voice.second.assign(body.begin() + static_cast<std::ptrdiff_t>(body.size() / 2), body.end());
        } else {
            return error = "adat channel layout", std::nullopt;
        }
        voice.blocks = 1;
        return voice;
    }
    return error = "no adat chunk", std::nullopt;
}

bool hasAdat(const MfiFile& file) {
    for (const Chunk& c : file.data)
        if (c.id == "adat") return true;
    return false;
}

std::optional<FamilyVoice> finish(FamilyVoice voice, const ChannelBlocks& left,
                                  const ChannelBlocks& right, std::string& error) {
    if (!left.seen) return error = "no voice record", std::nullopt;
    if (left.more || right.more) return error = "the last block says another follows", std::nullopt;
    voice.stereo = voice.stereo || right.seen;
    voice.blocks = left.count;
    return voice;
}

} // namespace

std::vector<Bytes> records(const std::vector<Event>& track) {
    std::vector<Bytes> found;
    for (const Event& e : track)
        if (e.body.size() >= 4 && e.body[0] == 0xFF && e.body[1] == 0xFF)
            found.emplace_back(e.body.begin() + 4, e.body.end());
    return found;
}

std::uint32_t trackTicks(const std::vector<Event>& track) {
    return track.empty() ? 0 : track.back().time;
}

std::optional<FamilyVoice> readLowNibbleVoice(const MfiFile& file, std::string& error) {
    FamilyVoice voice;
    ChannelBlocks left{&voice.first}, right{&voice.second};
    for (const auto& track : file.tracks)
        for (const Bytes& r : records(track))
            if (startsWith(r, {0x11, 0x01, 0xF1, 0x46})) voice.stereo = true;
    for (const auto& track : file.tracks) {
        for (const Bytes& r : records(track)) {
            if (startsWith(r, {0x21, 0x01, 0x03, 0x01}) || startsWith(r, {0x11, 0xF0, 0x02, 0x01})) {
                if (r.size() < 5) return error = "short single-rest record", std::nullopt;
                voice.rateField = r[4];
                if (!left.add(r, 5, false, error)) return std::nullopt;
            } else if (startsWith(r, {0x11, 0x01, 0xF0, 0x07})) {
                if (r.size() < 8 || r[5] != 0x01) return error = "short 0x11 voice record", std::nullopt;
                voice.rateField = r[6] << 8 | r[7];
                // Numbered in record order: 0, 1, 2, ...; in stereo the odd ones are right.
                if (r[4] != left.count + right.count)
                    return error = "0x11 block numbered out of order", std::nullopt;
                ChannelBlocks& ch = voice.stereo && r[4] % 2 ? right : left;
                // These records carry no continuation byte.
                if (!ch.add(r, 8, true, error)) return std::nullopt;
            } else if (startsWith(r, {0x31, 0x10, 0x07})) {
                if (r.size() < 7 || r[4] != 0x01) return error = "short 0x31 voice record", std::nullopt;
                voice.rateField = r[5] << 8 | r[6];
                if (!(r[3] ? right : left).add(r, 7, false, error)) return std::nullopt;
            }
        }
    }
    left.more = right.more = false;
    return finish(voice, left, right, error);
}

std::optional<FamilyVoice> readG726Voice(const MfiFile& file, std::string& error) {
    if (hasAdat(file)) return readAdat(file, 0x81, error);
    FamilyVoice voice;
    ChannelBlocks left{&voice.first}, right{&voice.second};
    std::uint32_t total[2] = {0, 0};
    bool fourTrack = false;
    for (const auto& track : file.tracks) {
        for (const Bytes& r : records(track)) {
            if (r.size() >= 5 && r[0] == 0x61 && r[1] == 0x83 && r[3] < 0x80) {
                voice.rateField = r[3];
                if (!(r[2] == 0x41 ? right : left).add(r, 5, r[4] == 1, error)) return std::nullopt;
            } else if (r.size() >= 9 && r[1] == 0x84 && r[3] < 0x80) {
                voice.rateField = r[3];
                fourTrack = true;
                const int ch = r[2] == 0x41 ? 1 : 0;
                ChannelBlocks& blocks = ch ? right : left;
                const std::uint32_t t = std::uint32_t(r[5]) << 24 | r[6] << 16 | r[7] << 8 | r[8];
                if (!blocks.seen) total[ch] = t;
                else if (t != 0) return error = "total length outside the first block", std::nullopt;
                if (!blocks.add(r, 9, r[4] == 1, error)) return std::nullopt;
            }
        }
    }
    if (fourTrack && (voice.first.size() != total[0] || voice.second.size() != total[1]))
        return error = "four-track total length disagrees", std::nullopt;
    return finish(voice, left, right, error);
}

std::optional<FamilyVoice> readImaVoice(const MfiFile& file, std::string& error) {
    if (hasAdat(file)) return readAdat(file, 0x83, error);
    FamilyVoice voice;
    ChannelBlocks left{&voice.first}, right{&voice.second};
    for (const auto& track : file.tracks) {
        for (const Bytes& r : records(track)) {
            const bool prefixed = startsWith(r, {0x11, 0x11, 0x00, 0x00}) ||
                                  startsWith(r, {0xF1, 0x08, 0x00, 0x0F});
            if (prefixed && r.size() >= 8 && r[4] == 0x88 && r[6] < 0x80) {
                voice.rateField = r[6];
                if (!(r[5] == 0x41 ? right : left).add(r, 8, r[7] == 1, error)) return std::nullopt;
            }
        }
    }
    return finish(voice, left, right, error);
}

} // namespace mfi_test
