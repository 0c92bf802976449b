#include "tests/chimewright/mfi/mfi_test_reader.hpp"

namespace mfi_test {

namespace {

std::uint32_t be(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

std::uint32_t be(const Bytes& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + i];
    return v;
}

bool readEvents(const Bytes& data, std::vector<Event>& events, std::string& error) {
    std::size_t pos = 0;
    std::uint32_t time = 0;
    while (pos < data.size()) {
        if (pos + 2 > data.size()) return error = "event cut short", false;
        const unsigned char dt = data[pos];
        const unsigned char status = data[pos + 1];
        std::size_t length = 0; // bytes from the status byte on
        if (status == 0xFF) {
            if (pos + 4 > data.size()) return error = "meta event cut short", false;
            if (data[pos + 2] == 0xFF) {
                if (pos + 5 > data.size()) return error = "record head cut short", false;
                length = 4 + be(data, pos + 3, 2);
            } else {
                length = 3;
            }
        } else if (status == 0x7F) {
            if (pos + 3 > data.size()) return error = "7F event cut short", false;
            length = data[pos + 2] == 0x00 ? 4 : 3;
        } else {
            return error = "unknown status " + std::to_string(status), false;
        }
        if (pos + 1 + length > data.size()) return error = "event runs past its track", false;
        time += dt;
        // A long wait's delta time is the low byte of its tick count.
        if (status == 0xFF && data[pos + 2] == 0xDC) time += 256u * data[pos + 3];
        events.push_back({time, dt, Bytes(data.begin() + pos + 1, data.begin() + pos + 1 + length)});
        pos += 1 + length;
    }
    if (events.empty() || events.back().body != Bytes{0xFF, 0xDF, 0x00})
        return error = "track does not end with FF DF 00", false;
    return true;
}

} // namespace

const Chunk* MfiFile::infoChunk(const std::string& id) const {
    for (const Chunk& c : info)
        if (c.id == id) return &c;
    return nullptr;
}

std::vector<std::string> MfiFile::infoIds() const {
    std::vector<std::string> ids;
    for (const Chunk& c : info) ids.push_back(c.id);
    return ids;
}

std::optional<MfiFile> readMfi(const std::string& s, std::string& error) {
    if (s.size() < 13 || s.compare(0, 4, "melo") != 0) return error = "no melo header", std::nullopt;
    if (be(s, 4, 4) != s.size() - 8) return error = "file length field disagrees", std::nullopt;
    MfiFile file;
    const std::size_t infoEnd = 10 + be(s, 8, 2);
    if (infoEnd > s.size()) return error = "information runs past the file", std::nullopt;
    file.dataType = static_cast<unsigned char>(s[10]);
    if (s[11] != 1) return error = "second data-type byte is not 1", std::nullopt;
    file.trackCount = static_cast<unsigned char>(s[12]);

    std::size_t pos = 13;
    while (pos < infoEnd) {
        if (pos + 6 > infoEnd) return error = "info chunk head cut short", std::nullopt;
        const std::size_t n = be(s, pos + 4, 2);
        if (pos + 6 + n > infoEnd) return error = "info chunk runs past the information", std::nullopt;
        file.info.push_back({s.substr(pos, 4), Bytes(s.begin() + pos + 6, s.begin() + pos + 6 + n)});
        pos += 6 + n;
    }
    while (pos < s.size()) {
        if (pos + 8 > s.size()) return error = "data chunk head cut short", std::nullopt;
        const std::size_t n = be(s, pos + 4, 4);
        if (pos + 8 + n > s.size()) return error = "data chunk runs past the file", std::nullopt;
        file.data.push_back({s.substr(pos, 4), Bytes(s.begin() + pos + 8, s.begin() + pos + 8 + n)});
        pos += 8 + n;
    }
    for (const Chunk& c : file.data) {
        if (c.id != "trac") continue;
        file.tracks.emplace_back();
        if (!readEvents(c.data, file.tracks.back(), error)) return std::nullopt;
    }
    if (file.tracks.size() != file.trackCount) return error = "track count disagrees", std::nullopt;
    return file;
}

std::optional<StepVoiceRead> readStepVoice(const MfiFile& file, std::string& error) {
    StepVoiceRead voice;
    for (const Chunk& c : file.data) {
        if (c.id != "adat") continue;
        const Bytes& d = c.data;
        if (d.size() < 13 || be(d, 0, 2) != 11 || d[2] != 0x80 || d[3] != 0 ||
            Bytes(d.begin() + 4, d.begin() + 8) != Bytes{'a', 'd', 'p', 'm'} || be(d, 8, 2) != 3 ||
            d[11] != 4)
            return error = "not a step-ADPCM adat header", std::nullopt;
        voice.rate = d[10] * 1000;
        if (d[12] == 1) {
            voice.first.assign(d.begin() + 13, d.end());
        } else if (d[12] == 10) {
            voice.stereo = true;
            if ((d.size() - 13) % 2) return error = "odd interleaved adat body", std::nullopt;
            for (std::size_t i = 13; i < d.size(); i += 2) {
                voice.first.push_back(static_cast<unsigned char>((d[i] & 0xF0) | (d[i + 1] >> 4)));
                voice.second.push_back(static_cast<unsigned char>((d[i] << 4) | (d[i + 1] & 0x0F)));
            }
        } else {
            return error = "unknown adat channel layout", std::nullopt;
        }
        return voice;
    }

    bool more[2] = {false, false};
    bool seen[2] = {false, false};
    for (const auto& track : file.tracks) {
        for (const Event& e : track) {
            const Bytes& b = e.body;
            if (b.size() < 6 || b[0] != 0xFF || b[1] != 0xFF) continue;
            const unsigned char kind = b[5];
            if (kind == 0x83) {
                if (b.size() < 9) return error = "short inline record", std::nullopt;
                voice.rate = b[7] == 0x44 ? 4000 : 8000;
                voice.first.insert(voice.first.end(), b.begin() + 9, b.end());
            } else if (kind == 0x86 && b.size() >= 9 && b[7] < 0x80) {
                const int ch = b[6] == 0x41 ? 1 : 0;
                if (seen[ch] && !more[ch]) return error = "block after a last block", std::nullopt;
                seen[ch] = true;
                more[ch] = b[8] == 1;
                voice.rate = b[7] == 4 ? 4000 : b[7] == 5 ? 8000 : 16000;
                Bytes& out = ch ? voice.second : voice.first;
                out.insert(out.end(), b.begin() + 9, b.end());
            }
        }
    }
    if (more[0] || more[1]) return error = "the last block says another follows", std::nullopt;
    voice.stereo = seen[1];
    return voice;
}

bool hasMetaEvent(const MfiFile& file, unsigned char code) {
    for (const auto& track : file.tracks)
        for (const Event& e : track)
            if (e.body.size() >= 2 && e.body[0] == 0xFF && e.body[1] == code) return true;
    return false;
}

} // namespace mfi_test
