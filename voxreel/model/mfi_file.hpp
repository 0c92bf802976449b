// The model of one MFi file: the information texts, the tracks with their events and the
// "adat" voice chunks, read from a load buffer of at most 1 MiB.
#pragma once

#include "voxreel/model/mfi_event.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace voxreel {

class VoiceRenderer;

// The largest file the player reads; a file of this size or more is not played.
constexpr std::size_t maxRingtoneBytes = 1048576;

struct MfiTrack {
    std::vector<unsigned char> chunk; // the whole chunk, header included
    int dataLength = 0;
    int number = 0;                   // 0 for the first "trac" chunk
    std::vector<MfiEvent> events;
    bool truncated = false;           // an event ran past the chunk's end; the list stops there
};

// One "adat" chunk. Offsets below count from the chunk's first byte.
struct MfiAudioData {
    std::vector<unsigned char> chunk;
    int dataLength = 0;
    int number = 0;          // 0 for the first "adat" chunk
    int headerLength = 0;    // 16-bit value at 8
    int formatCode = 0;      // byte 10: 0x80 step ADPCM, 0x81 G.726, 0x83 IMA ADPCM
    int formatExtra = 0;     // byte 11
    int rateKHz = 0;         // byte 18
    int bitsPerCode = 0;     // byte 19
    int channels = 0;        // byte 20, bits 2-0
    int stereoLayout = 0;    // byte 20, bits 7-3: 0 = two halves, else nibble-interleaved
    int audioOffset = 21;
    int audioLength = 0;     // from 21 to the chunk's end

    std::span<const unsigned char> audio() const {
        return std::span<const unsigned char>(chunk).subspan(
            static_cast<std::size_t>(audioOffset), static_cast<std::size_t>(audioLength));
    }
};

// Information sub-chunks, in the order the model keeps them.
enum InfoIndex {
    infoSorc, infoTitl, infoVers, infoDate, infoCopy, infoProt, infoNote, infoExst, infoAuth,
    infoSupt, infoAinf, infoThrd, infoCount
};
extern const std::array<const char*, infoCount> infoIds;

struct MfiInfo {
    std::vector<unsigned char> chunk; // id, 16-bit length, data; empty when absent
    int length = 0;                   // data length
    std::span<const unsigned char> data() const {
        if (chunk.size() < 6) return {};
        return std::span<const unsigned char>(chunk).subspan(6);
    }
};

// What rendering a model yields for the type label.
struct MfiRenderResult {
    int version = 0;
    int vendorCode = 0;
    int variantCode = 0;
    int rate = 0;
};

class MfiFile {
public:
    std::vector<MfiTrack> tracks;
    std::vector<MfiAudioData> audioData;
    std::int64_t fileSize = 0;   // the length field + 8
    std::int64_t mldSize = 0;    // the length field at offset 4
    int firstTracDist = 0;       // information length, counted from offset 10
    int majorType = 0, minorType = 0, tracCount = 0;
    std::array<MfiInfo, infoCount> info;

    // Reads a file image. Everything read lies inside `buffer`; a file whose length field
    // says more than 1 MiB leaves the model empty.
    static MfiFile parse(std::span<const unsigned char> buffer);

    // The "vers" text "dddd" as a number; 0 without it.
    int version() const;

    // Schedules the voice data on the renderer in a new render job and starts playback.
    // Marks the events whose data went into an earlier block.
    MfiRenderResult render(VoiceRenderer& renderer);
};

// Splits a "trac" chunk (header included) into events and decodes them.
MfiTrack parseMfiTrack(std::span<const unsigned char> chunk, int number);

MfiAudioData parseMfiAudioData(std::span<const unsigned char> chunk, int number);

} // namespace voxreel
