#include "voxreel/model/mfi_event.hpp"

namespace voxreel {

namespace {

// Milliseconds per tick times the tempo, by the low four bits of a tempo event's code;
// 0 where the code sets no tempo.
double tempoBase(int timeBase) {
    static constexpr double bases[16] = {10000, 5000, 2500, 1250, 625, 312.5, 156.25, 0,
                                         4000,  2000, 1000, 500,  250, 125,   62.5,   0};
    return bases[timeBase & 0x0F];
}

bool isExtendedStatus(unsigned char status) {
    return status == 0x3F || status == 0x7F || status == 0xEF;
}

void decodeNote(MfiEvent& event) {
    const unsigned char status = event.bytes[1];
    event.code = 0;
    event.channel = status >> 6;
    event.key = status & 0x3F;
    event.gate = event.bytes[2];
    event.velocity = event.bytes[3] >> 2;
}

} // namespace

MfiEvent decodeMfiEvent(std::span<const unsigned char> bytes) {
    MfiEvent event;
    event.bytes.assign(bytes.begin(), bytes.end());
    event.length = static_cast<int>(bytes.size());
    if (bytes.size() < 4) return event;

    const unsigned char status = bytes[1];
    const unsigned char kind = bytes[2];
    event.delta = bytes[0];
    if (status != 0xFF && !isExtendedStatus(status)) {
        decodeNote(event);
        return event;
    }
    event.code = static_cast<std::uint16_t>(status * 256 + kind);

    if (event.code == 0xFFDC) {
        event.delta = bytes[0] + bytes[3] * 256;
    } else if (event.code == 0xFFB0) {
        event.hasMasterVolume = true;
        event.masterVolume = bytes[3];
    } else if (event.code >= 0xFFC0 && event.code <= 0xFFCF) {
        const double base = tempoBase(kind);
        if (base > 0) {
            const int tempo = bytes[3] < 20 ? 20 : bytes[3];
            event.hasTempo = true;
            event.msPerTick = base / tempo;
        }
    } else if (event.code == 0x7F00) {
        if (bytes.size() >= 5) {
            event.isPlay = true;
            event.targetChannel = bytes[3] >> 6;
            event.dataNumber = bytes[3] & 0x3F;
            event.packetMode = 1;
            event.hasVolume = true;
            event.volume = bytes[4] & 0x3F;
        }
    } else if (event.code == 0x7F80) {
        event.hasVolume = true;
        event.volume = bytes[3] & 0x3F;
        event.targetChannel = bytes[3] >> 6;
    } else if (event.code == 0x7F81) {
        event.hasPan = true;
        event.pan = bytes[3] & 0x3F;
        event.targetChannel = bytes[3] >> 6;
    } else if (event.code == 0xFFFF) {
        decodeExclusiveEvent(event);
    }
    return event;
}

} // namespace voxreel
