// One event of an MFi track, as stored and as the player reads it: timing, notes, tempo,
// volumes, pans, and the voice data and play requests of every handset family's records.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace voxreel {

// Decoder variants of voice data (with the vendor code they choose the decoder and label).
namespace variant {
constexpr int singleRecord = 200; // the one-record voices of the "0200" files
constexpr int standard = 300;
constexpr int fourTrack = 301;    // four-track blocks
constexpr int alternate = 302;
constexpr int ima = 303;          // IMA ADPCM blocks of the prefixed four-track records
} // namespace variant

// The vendor code that stands for an "adat" chunk; its variant is the chunk's format code.
constexpr int adatVendorCode = 400;
// Vendor code of the records prefixed F1 08 00 0F.
constexpr int prefixedF1Vendor = 0xF1;

struct MfiEvent {
    std::vector<unsigned char> bytes; // from the delta-time byte on
    int length = 0;
    std::uint16_t code = 0;           // byte 1 x 256 + byte 2; 0 for notes
    int delta = 0;                    // ticks since the previous event

    int channel = 0, key = 0, gate = 0, velocity = 0; // notes only

    int vendorCode = 0;
    bool isAudio = false;
    int variantCode = 0;
    int audioOffset = 0, audioLength = 0; // ADPCM bytes inside `bytes`
    double sampleRate = 0;                // Hz; 0 when the event does not say

    bool hasMasterVolume = false;
    int masterVolume = 0;
    bool hasVolume = false;
    int volume = 63; // 0-63
    bool isPlay = false;
    bool hasPan = false;
    int pan = 32; // 0-63, 32 = centre
    bool hasTempo = false;
    double msPerTick = 0;

    int targetChannel = 0; // 0-3; -1 = every channel
    int dataNumber = 0;    // the audio block the event fills or plays
    int packetMode = 0;    // 0-3
    bool continues = false; // more data for the same block follows
    bool merged = false;    // set while scheduling: the data went into an earlier block
    int codeWidth = 4;      // ADPCM bits per code: 4, or 2

    std::span<const unsigned char> audio() const {
        return std::span<const unsigned char>(bytes).subspan(
            static_cast<std::size_t>(audioOffset), static_cast<std::size_t>(audioLength));
    }
};

// Decodes one event from exactly its bytes (at least 4; the track parser frames them).
MfiEvent decodeMfiEvent(std::span<const unsigned char> bytes);

// The exclusive event (FF FF) part of decodeMfiEvent: the records of every vendor.
void decodeExclusiveEvent(MfiEvent& event);

} // namespace voxreel
