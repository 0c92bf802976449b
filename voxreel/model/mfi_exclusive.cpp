// The voice records inside exclusive events (dt FF FF nn nn data): byte 5 of the event is the
// vendor byte, the bytes after it select the record. Bytes are read only inside the event:
// a record shorter than what it needs has no effect.
#include "voxreel/model/mfi_event.hpp"
#include "voxreel/model/rate_tables.hpp"


namespace voxreel {

namespace {

class Record {
public:
    explicit Record(MfiEvent& event) : e_(event) {}

    // Byte i of the event, or -1 past its end (matching no selector).
    int at(int i) const { return i < e_.length ? e_.bytes[static_cast<std::size_t>(i)] : -1; }
    bool has(int minimumLength) const { return e_.length >= minimumLength; }

    void audio(int variantCode, int offset) {
        e_.isAudio = true;
        e_.variantCode = variantCode;
        e_.audioOffset = offset;
        e_.audioLength = e_.length - offset;
    }
    void rate(const RateEntry& entry) {
        if (!entry.found) return;
        e_.sampleRate = entry.rate;
        e_.codeWidth = entry.codeWidth;
    }
    void rate(double hz) { e_.sampleRate = hz; }

    // Data number and channel from byte k, packet mode from k + 1, continuation from k + 2;
    // packet modes 1 and 2 also start playback.
    void blockFields(int k) {
        e_.dataNumber = at(k) & 0x3F;
        e_.targetChannel = at(k) >> 6;
        e_.packetMode = at(k + 1) >> 6;
        e_.continues = (at(k + 2) & 1) != 0;
        if (e_.packetMode == 1 || e_.packetMode == 2) e_.isPlay = true;
    }
    void singleChannelBlock(int k) {
        e_.dataNumber = at(k) & 0x1F;
        e_.targetChannel = 0;
        e_.packetMode = 0;
        e_.continues = false;
    }
    void volumeFrom(int k) {
        e_.hasVolume = true;
        e_.volume = at(k) & 0x3F;
        e_.targetChannel = at(k) >> 6;
    }
    void panFrom(int k) {
        e_.hasPan = true;
        e_.pan = at(k) & 0x3F;
        e_.targetChannel = at(k) >> 6;
    }
    void volumeForAll(int value) {
        e_.hasVolume = true;
        e_.volume = value & 0x3F;
        e_.targetChannel = -1;
    }
    void playForAll(int dataNumber) {
        e_.isPlay = true;
        e_.dataNumber = dataNumber & 0x1F;
        e_.targetChannel = -1;
    }
    // Pan byte of the single-channel families: above 0x3F means centre.
    static int panValue(int byte) { return byte < 0x40 ? (byte & 0x3F) : 32; }

    MfiEvent& event() { return e_; }

private:
    MfiEvent& e_;
};

// The IMA four-track records (prefix 11 11 00 00 or F1 08 00 0F, then the record type at
// byte 9): volume, pan, data block and play, with the channel byte at 10.
void imaRecords(Record& r) {
    switch (r.at(9)) {
    case 0x81:
        if (r.has(11)) r.volumeFrom(10);
        break;
    case 0x82:
        if (r.has(11)) r.panFrom(10);
        break;
    case 0x88:
        if (!r.has(13)) break;
        r.audio(variant::ima, 13);
        if ((r.at(11) & 0x0F) == 5) r.rate(8000);
        if ((r.at(11) & 0x0F) == 6) r.rate(16000);
        r.blockFields(10);
        break;
    default: break;
    }
}

void vendor11(Record& r) {
    const int s6 = r.at(6), s7 = r.at(7), s8 = r.at(8);
    if (s6 == 0x01 && s7 == 0xF0 && s8 == 0x07) {
        if (!r.has(14)) return;
        r.audio(variant::standard, 13);
        r.rate(static_cast<double>(r.at(11) * 256 + r.at(12)));
        r.singleChannelBlock(9);
    } else if (s6 == 0x01 && s7 == 0xF0 && s8 == 0x06) {
        if (!r.has(12)) return;
        r.audio(variant::standard, 11);
        r.rate(8000);
        r.singleChannelBlock(9);
    } else if (s6 == 0x01 && s7 == 0xF1) {
        if (!r.has(11)) return;
        MfiEvent& e = r.event();
        if ((s8 & 0x0F) == 3) {
            e.isPlay = true;
            e.hasVolume = true;
            e.targetChannel = s8 >> 6;
            e.dataNumber = r.at(9) & 0x1F;
            e.volume = (r.at(10) >> 1) & 0x3F;
        } else if ((s8 & 0x0F) == 6) {
            e.hasPan = true;
            e.targetChannel = s8 >> 6;
            e.dataNumber = r.at(9) & 0x1F;
            e.pan = Record::panValue(r.at(10));
        }
    } else if (s6 == 0xF0 && s7 == 0x02) {
        if (!r.has(11)) return;
        r.audio(variant::singleRecord, 10);
        r.rate(r.at(9) == 1 ? 8000 : 4000);
        MfiEvent& e = r.event();
        e.dataNumber = s8 & 0x3F;
        e.targetChannel = s8 >> 6;
        e.packetMode = 0;
    } else if (s6 == 0xF1) {
        if (!r.has(9)) return;
        if ((s7 & 0x3F) == 0x20) {
            MfiEvent& e = r.event();
            e.isPlay = true;
            e.targetChannel = s7 >> 6;
            e.dataNumber = s8 & 0x1F;
        }
    } else if (s6 == 0xF2 && s7 == 0x01) {
        if (r.has(9)) r.volumeForAll(s8);
    } else if (s6 == 0x11 && s7 == 0x00 && s8 == 0x00) {
        imaRecords(r);
    }
}

void vendor21(Record& r) {
    const int s6 = r.at(6), s7 = r.at(7);
    if (s6 == 0x81 && r.has(8)) {
        r.volumeFrom(7);
    } else if (s6 == 0x82 && r.has(8)) {
        r.panFrom(7);
    } else if (s6 == 0x83 || s6 == 0x86) {
        if (!r.has(10)) return;
        r.audio(variant::standard, 10);
        r.rate(rateTableC(r.at(8)));
        r.blockFields(7);
    } else if (s6 == 0x01 && s7 == 0x03) {
        if (!r.has(11)) return;
        r.audio(variant::singleRecord, 10);
        r.rate(r.at(9) == 1 ? 8000 : 4000);
        MfiEvent& e = r.event();
        e.dataNumber = r.at(8) & 0x3F;
        e.targetChannel = r.at(8) >> 6;
        e.packetMode = 0;
    } else if (s6 == 0x01 && s7 == 0x05) {
        if (r.has(9)) r.playForAll(r.at(8));
    } else if (s6 == 0x01 && s7 == 0x06) {
        if (r.has(9)) r.volumeForAll(r.at(8));
    }
}

void vendor31(Record& r) {
    const int s6 = r.at(6), s7 = r.at(7);
    if (s6 == 0x10 && s7 == 0x07) {
        if (!r.has(13)) return;
        r.audio(variant::standard, 12);
        r.rate(static_cast<double>(r.at(10) * 256 + r.at(11)));
        r.singleChannelBlock(8);
    } else if (s6 == 0x10 && s7 == 0x06) {
        if (!r.has(11)) return;
        r.audio(variant::standard, 10);
        r.rate(8000);
        r.singleChannelBlock(8);
    } else if (s6 == 0x10) {
        if (!r.has(10)) return;
        MfiEvent& e = r.event();
        if ((s7 & 0x3F) == 0x09) {
            e.isPlay = true;
            e.hasVolume = true;
            e.targetChannel = s7 >> 6;
            e.dataNumber = r.at(8) & 0x1F;
            e.volume = r.at(9) & 0x3F;
        } else if ((s7 & 0x3F) == 0x0B) {
            e.hasPan = true;
            e.targetChannel = s7 >> 6;
            e.dataNumber = r.at(8) & 0x1F;
            e.pan = Record::panValue(r.at(9));
        }
    } else if ((s6 == 0x80 || s6 == 0x82) && r.has(8)) {
        // 0x80: the pan record of the stereo four-track files.
        r.panFrom(7);
    } else if (s6 == 0x81 && r.has(8)) {
        // The voice volume of the four-track files.
        r.volumeFrom(7);
    } else if (s6 == 0x84) {
        if (!r.has(14)) return;
        r.audio(variant::fourTrack, 14);
        r.rate(rateTableB(r.at(8) & 0x1F));
        r.blockFields(7);
    }
}

void vendor41(Record& r) {
    const int s6 = r.at(6);
    if (s6 == 0x81 && r.has(8)) {
        r.volumeFrom(7);
    } else if (s6 == 0x80 && r.has(8)) {
        r.panFrom(7);
    } else if (s6 == 0x83 || s6 == 0x86) {
        if (!r.has(10)) return;
        r.audio(s6 == 0x83 ? variant::standard : variant::alternate, 10);
        r.rate(rateTableA(r.at(8) & 0x1F));
        r.blockFields(7);
    } else if (s6 == 0x84) {
        if (!r.has(14)) return;
        r.audio(variant::fourTrack, 14);
        r.rate(rateTableB(r.at(8) & 0x1F));
        r.blockFields(7);
    }
}

void vendor51(Record& r) {
    const int s6 = r.at(6);
    if (s6 == 0x01) {
        if (!r.has(10)) return;
        r.audio(variant::standard, 9);
        r.rate((r.at(8) & 1) ? 8000 : 4000);
        r.singleChannelBlock(7);
    } else if (s6 == 0x05 && r.has(8)) {
        r.playForAll(r.at(7));
    } else if (s6 == 0x06 && r.has(8)) {
        r.volumeForAll(r.at(7));
    }
}

void vendor61(Record& r) {
    const int s6 = r.at(6);
    if (s6 == 0x81 && r.has(8)) {
        r.volumeFrom(7);
    } else if (s6 == 0x82 && r.has(8)) {
        r.panFrom(7);
    } else if (s6 == 0x83) {
        if (!r.has(10)) return;
        r.audio(variant::standard, 10);
        r.rate(rateTableB(r.at(8) & 0x1F));
        r.blockFields(7);
    } else if (s6 == 0x84) {
        if (!r.has(14)) return;
        r.audio(variant::fourTrack, 14);
        const int selector = r.at(8) & 0x1F;
        if (selector != 0x15) r.rate(rateTableB(selector));
        r.blockFields(7);
    }
}

void vendor71(Record& r) {
    const int s6 = r.at(6);
    if (s6 == 0x81 && r.has(8)) {
        r.volumeFrom(7);
    } else if ((s6 == 0x80 || s6 == 0x82) && r.has(8)) {
        // 0x80: the pan record of the stereo four-track files.
        r.panFrom(7);
    } else if (s6 == 0x83 || s6 == 0x86) {
        if (!r.has(10)) return;
        r.audio(variant::standard, 10);
        r.rate(rateTableA(r.at(8) & 0x1F));
        r.blockFields(7);
    } else if (s6 == 0x84) {
        if (!r.has(14)) return;
        r.audio(variant::alternate, 14);
        r.rate(rateTableB(r.at(8) & 0x1F));
        r.blockFields(7);
    }
}

void vendorF1(Record& r) {
    const int s6 = r.at(6), s7 = r.at(7);
    if (s6 == 0x08 && s7 == 0x00 && r.at(8) == 0x0F) {
        imaRecords(r);
        return;
    }
    if (s6 != 0x06) return;
    r.event().vendorCode = 0x21;
    if (s7 == 0x81 && r.has(9)) {
        r.volumeFrom(8);
    } else if (s7 == 0x82 && r.has(9)) {
        r.panFrom(8);
    } else if (s7 == 0x83 || s7 == 0x86) {
        if (!r.has(11)) return;
        r.audio(variant::standard, 11);
        const RateEntry entry = rateTableB(r.at(9) & 0x1F);
        if (entry.found) r.rate(entry);
        else if ((r.at(9) & 0x0F) == 6) r.rate(16000);
        r.blockFields(8);
    }
}

} // namespace

void decodeExclusiveEvent(MfiEvent& event) {
    if (event.length < 7) return;
    Record record(event);
    event.vendorCode = event.bytes[5];
    switch (event.vendorCode) {
    case 0x11: vendor11(record); break;
    case 0x21: vendor21(record); break;
    case 0x31: vendor31(record); break;
    case 0x41: vendor41(record); break;
    case 0x51: vendor51(record); break;
    case 0x61: vendor61(record); break;
    case 0x71: vendor71(record); break;
    case 0xF1: vendorF1(record); break;
    default: break;
    }
}

} // namespace voxreel
