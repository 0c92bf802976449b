// Reads back what the MFi writers produce, checking every length field on the way, and takes
// the step-ADPCM voice out of the records or the "adat" chunk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mfi_test {

using Bytes = std::vector<unsigned char>;

struct Event {
    std::uint32_t time; // ticks from the start of the track
    unsigned char dt;
    Bytes body;         // from the status byte on
};

struct Chunk {
    std::string id;
    Bytes data;
};

struct MfiFile {
    unsigned char dataType = 0;
    unsigned char trackCount = 0;
    std::vector<Chunk> info;   // in file order
    std::vector<Chunk> data;   // "adat" and "trac" in file order
    std::vector<std::vector<Event>> tracks;

    const Chunk* infoChunk(const std::string& id) const;
    std::vector<std::string> infoIds() const;
};

// Nothing, with the reason in `error`, when a length field disagrees with what follows it.
std::optional<MfiFile> readMfi(const std::string& file, std::string& error);

// The voice of a step-ADPCM file: inline (V 83), blocks (V 86, by channel) or "adat".
struct StepVoiceRead {
    Bytes first;
    Bytes second;
    bool stereo = false;
    int rate = 0; // from the inline rate byte, the block rate code or the "adat" rate byte
};
std::optional<StepVoiceRead> readStepVoice(const MfiFile& file, std::string& error);

// True when any track holds a meta event with this code (FF code ..).
bool hasMetaEvent(const MfiFile& file, unsigned char code);

} // namespace mfi_test
