#include "shared/smaf_events.hpp"

#include <gtest/gtest.h>

#include <vector>

using suite::SmafEncoding;

namespace {

const SmafEncoding handy = SmafEncoding::handyPhone;
const SmafEncoding mobile = SmafEncoding::mobile;

struct EntryCase {
    const char* name;
    SmafEncoding encoding;
    std::vector<unsigned char> bytes; // the entry, possibly followed by more
    std::size_t length;               // 0: nothing decoded
    int duration;
    std::size_t eventLength;
    int gate;
    int channel;
};

} // namespace

TEST(SmafSequenceEvents, DecodesEntriesOfBothEncodings) {
    const EntryCase cases[] = {
        {"handy: end of sequence", handy, {0x00, 0x00, 0x00, 0x00}, 4, -1, 4, -1, -1},
        {"handy: exclusive without duration", handy, {0xFF, 0xF0, 0x02, 0x11, 0x22, 0x00}, 5, -1, 5, -1, -1},
        {"handy: note, 2-byte duration and gate", handy, {0x80, 0x00, 0x41, 0x80, 0x48, 0x09}, 5, 128, 1, 200, 1},
        {"handy: audio play on channel 0", handy, {0x01, 0x01, 0x20, 0x21}, 3, 1, 1, 32, 0},
        {"handy: control 00 37 7F", handy, {0x01, 0x00, 0x37, 0x7F}, 4, 1, 3, -1, 0},
        {"handy: program on channel 3", handy, {0x00, 0x00, 0xF0, 0x05}, 4, 0, 3, -1, 3},
        {"handy: two-byte 00 event", handy, {0x05, 0x00, 0x45, 0x00}, 3, 5, 2, -1, 1},
        {"handy: no operation", handy, {0x7F, 0xFF, 0x00}, 3, 127, 2, -1, -1},
        {"handy: gate missing", handy, {0x00, 0x41}, 0, -1, 0, -1, -1},
        {"handy: exclusive running past the end", handy, {0xFF, 0xF0, 0x05, 0x01}, 0, -1, 0, -1, -1},
        {"mobile: note 9n with 2-byte gate", mobile, {0x00, 0x90, 0x00, 0x00, 0x81, 0x7A}, 6, 0, 3, 250, 0},
        {"mobile: note 8n", mobile, {0x81, 0x00, 0x8A, 0x3C, 0x05}, 5, 128, 2, 5, 10},
        {"mobile: control", mobile, {0x00, 0xB9, 0x00, 0x7D}, 4, 0, 3, -1, 9},
        {"mobile: program", mobile, {0x00, 0xC9, 0x00}, 3, 0, 2, -1, 9},
        {"mobile: pitch bend", mobile, {0x00, 0xE2, 0x00, 0x40}, 4, 0, 3, -1, 2},
        {"mobile: exclusive", mobile, {0x00, 0xF0, 0x03, 0x43, 0x79, 0xF7}, 6, 0, 5, -1, -1},
        {"mobile: end of sequence", mobile, {0x81, 0x7A, 0xFF, 0x2F, 0x00}, 5, 250, 3, -1, -1},
        {"mobile: no operation", mobile, {0x00, 0xFF, 0x00}, 3, 0, 2, -1, -1},
        {"mobile: counted FF event", mobile, {0x00, 0xFF, 0x02, 0xAA, 0xBB}, 5, 0, 4, -1, -1},
        {"mobile: data byte as event", mobile, {0x00, 0x45, 0x00}, 0, -1, 0, -1, -1},
        {"mobile: F5 is no event", mobile, {0x00, 0xF5, 0x00}, 0, -1, 0, -1, -1},
        {"mobile: gate cut off", mobile, {0x00, 0x90, 0x00, 0x00, 0x81}, 0, -1, 0, -1, -1},
        {"fewer than three bytes", mobile, {0x00, 0xC0}, 0, -1, 0, -1, -1},
    };
    for (const EntryCase& c : cases) {
        const suite::SmafSequenceEvent e =
            suite::decodeSmafSequenceEvent(c.encoding, c.bytes.data(), c.bytes.size());
        EXPECT_EQ(e.length, c.length) << c.name;
        if (c.length == 0) continue;
        EXPECT_EQ(e.duration, c.duration) << c.name;
        EXPECT_EQ(e.eventLength, c.eventLength) << c.name;
        EXPECT_EQ(e.gateTime, c.gate) << c.name;
        EXPECT_EQ(suite::smafEventChannel(c.encoding, c.bytes.data() + e.eventOffset, e.eventLength),
                  c.channel)
            << c.name;
    }
}

TEST(SmafSequenceEvents, NeverReadsPastTheBytesGiven) {
    // Every prefix of a valid sequence either decodes within itself or not at all.
    const std::vector<unsigned char> sequence = {0x00, 0xF0, 0x07, 0x43, 0x79, 0x06, 0x7F, 0x00,
                                                 0x64, 0xF7, 0x00, 0x90, 0x00, 0x00, 0x81, 0x7A};
    for (std::size_t n = 0; n <= sequence.size(); ++n) {
        std::vector<unsigned char> prefix(sequence.begin(), sequence.begin() + static_cast<long>(n));
        const auto e = suite::decodeSmafSequenceEvent(mobile, prefix.data(), prefix.size());
        EXPECT_LE(e.length, n);
        EXPECT_EQ(e.length, n >= 10 ? 10u : 0u) << n;
    }
}
