#include "chimewright/mmfconv/score_track.hpp"
#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"

#include <gtest/gtest.h>

using namespace smaf_test;

namespace {

Bytes mtrId(int number) { return text("MTR") + bytes({number}); }

// A handy-phone track: seek information, an unknown sub-chunk, setup data, a sequence with a
// control, a note, a long pause, an exclusive without duration and the end of sequence.
const Bytes handySequence = bytes({
    0x00, 0x00, 0x30, 0x05, // duration 0, program change, channel 0
    0x01, 0x41, 0x0A,       // duration 1, note of channel 1, gate 10
    0x80, 0x00, 0xFF, 0x00, // duration 128, no operation
    0xFF, 0xF0, 0x02, 0x11, 0x22,
    0x00, 0x00, 0x00, 0x00, // end of sequence
});

Bytes seekInfo(std::uint32_t start, std::uint32_t stop) {
    return chunk("MspI", text("st:") + be32(start) + text(",") + text("sp:") + be32(stop) + text(","));
}

Bytes handyTrack(const Bytes& seek) {
    return chunk(mtrId(1), bytes({0x00, 0x00, 0x02, 0x02, 0x12, 0x34}) + seek +
                               chunk("Mxyz", bytes({1, 2, 3})) +
                               chunk("Mtsu", bytes({0xFF, 0xF0, 0x03, 0x43, 0x79, 0x06})) +
                               chunk("Mtsq", handySequence));
}

cw::smaf::ScoreTrack parse(const Bytes& image) {
    return cw::smaf::ScoreTrack(image);
}

cw::smaf::SequenceEntry note(bool mobile, const Bytes& entry) {
    cw::smaf::SequenceEntry n(mobile);
    EXPECT_EQ(n.parse(entry), static_cast<int>(entry.size()));
    return n;
}

Bytes eventOf(const cw::smaf::SequenceEntry& n) {
    return Bytes(n.eventBytes().begin(), n.eventBytes().end());
}

} // namespace

TEST(ScoreTrack, HandyPhoneTrackWritesBackTheSameBytes) {
    const Bytes image = handyTrack(seekInfo(4, 16));
    cw::smaf::ScoreTrack track = parse(image);
    EXPECT_EQ(track.trackNumber, 1);
    EXPECT_EQ(track.channelStatus[0], 1);
    EXPECT_EQ(track.channelStatus[3], 4);
    EXPECT_EQ(track.setup.size(), 1u);
    EXPECT_EQ(track.events.size(), 5u);
    EXPECT_EQ(track.otherSubchunks.size(), 2u);
    EXPECT_EQ(written(track), image);
}

TEST(ScoreTrack, SeekInformationMarksEventsAndFollowsEdits) {
    cw::smaf::ScoreTrack track = parse(handyTrack(seekInfo(4, 16)));
    EXPECT_TRUE(track.usesSeekInfo);
    // The start point is the note at offset 4, the stop point the end at offset 16.
    EXPECT_TRUE(track.events[1]->startMark());
    EXPECT_TRUE(track.events[4]->stopMark());
    EXPECT_EQ(track.startTime, 0);
    EXPECT_EQ(track.stopTime, 1 + 128);

    // Without the first event everything moves four bytes forward.
    track.events.erase(track.events.begin());
    const Bytes out = written(track);
    EXPECT_EQ(Bytes(out.begin() + 14, out.begin() + 14 + 24), seekInfo(0, 12));
}

TEST(ScoreTrack, WithoutSeekInformationTheFirstEventHasBothMarks) {
    cw::smaf::ScoreTrack track = parse(handyTrack({}));
    EXPECT_FALSE(track.usesSeekInfo);
    EXPECT_TRUE(track.events[0]->startMark());
    EXPECT_TRUE(track.events[0]->stopMark());
}

TEST(ScoreTrack, TooShortSubchunkEndsTheWalk) {
    const Bytes broken = chunk(mtrId(1), bytes({0x00, 0x00, 0x02, 0x02, 0x12, 0x34}) +
                                       chunk("Mtsq", handySequence) + text("Mtsu") + be32(100));
    cw::smaf::ScoreTrack track = parse(broken);
    EXPECT_EQ(track.events.size(), 5u);
    EXPECT_TRUE(track.setup.empty());
}

TEST(ScoreTrack, SequenceEndsAtAnEventThatDoesNotFit) {
    // A mobile sequence whose last note has lost its gate time.
    const Bytes sequence = bytes({0x00, 0xC0, 0x01, 0x00, 0x90, 0x3C, 0x40});
    const Bytes image = chunk(mtrId(0), bytes({0x01, 0x00, 0x02, 0x02}) + Bytes(16, 0) +
                                            chunk("Mtsq", sequence));
    cw::smaf::ScoreTrack track = parse(image);
    EXPECT_EQ(track.events.size(), 1u);
}

TEST(ScoreTrack, StreamIsWrittenAsMtspWithItsWaveHeader) {
    const Bytes image = chunk(mtrId(5), bytes({0x02, 0x00, 0x02, 0x02}) + Bytes(16, 0x40));
    cw::smaf::ScoreTrack track = parse(image);
    const Bytes wave = chunk(text("Awa") + bytes({1}), bytes({0x12, 0x34}));
    track.stream = std::make_unique<cw::smaf::Chunk>(wave);
    const Bytes expected =
        chunk(mtrId(5), bytes({0x02, 0x00, 0x02, 0x02}) + Bytes(16, 0x40) + chunk("Mtsu", {}) +
                            chunk("Mtsq", {}) +
                            chunk("Mtsp", chunk(text("Mwa") + bytes({1}),
                                                bytes({0x20, 0x3E, 0x80, 0x12, 0x34}))));
    EXPECT_EQ(written(track), expected);

    // Read back, the stream is kept apart as an "Awa" chunk of its rate.
    cw::smaf::ScoreTrack again = parse(expected);
    ASSERT_TRUE(again.parsedStream);
    EXPECT_EQ(again.parsedStream->bytes, wave);
    EXPECT_EQ(again.parsedStream->sampleRate, 16000);
    EXPECT_DOUBLE_EQ(again.parsedStream->durationMs, 0.25); // 4 samples at 16 kHz
    EXPECT_EQ(written(again), expected) << "a track read with its stream writes it back";
}

TEST(ScoreTrack, HandyPhoneDurationOf128RoundTrips) {
    const Bytes entry = bytes({0x80, 0x00, 0x41, 0x05});
    const cw::smaf::SequenceEntry n = note(false, entry);
    EXPECT_EQ(n.duration(), 128);
    EXPECT_EQ(n.gateTime(), 5);
    Bytes out(16);
    out.resize(n.write(out));
    EXPECT_EQ(out, entry);
    EXPECT_EQ(n.encodedSize(), 4);
}

TEST(ScoreTrack, WriteLeavesOutWhatTheCapacityCannotHold) {
    const cw::smaf::SequenceEntry n = note(true, bytes({0x81, 0x00, 0x90, 0x3C, 0x40, 0x05}));
    Bytes out(4, 0xEE);
    EXPECT_EQ(n.write(out), 2u); // the duration; the event does not fit
    EXPECT_EQ(out, bytes({0x81, 0x00, 0xEE, 0xEE}));
}

TEST(ScoreTrack, SettersBuildWholeEvents) {
    struct Case {
        const char* name;
        bool mobile;
        void (*set)(cw::smaf::SequenceEntry&);
        Bytes event;
        int channel;
    };
    const Case cases[] = {
        {"mobile bank select", true, [](cw::smaf::SequenceEntry& n) { n.setBankSelect(3, 9, 125); },
         bytes({0xB9, 0x00, 0x7D}), 9},
        {"mobile bank select LSB", true,
         [](cw::smaf::SequenceEntry& n) { n.setBankSelectLsb(3, 9, 0); }, bytes({0xB9, 0x20, 0x00}),
         9},
        {"mobile program", true, [](cw::smaf::SequenceEntry& n) { n.setProgram(3, 9, 0); },
         bytes({0xC9, 0x00}), 9},
        {"mobile control", true, [](cw::smaf::SequenceEntry& n) { n.setControl(3, 9, 10, 64); },
         bytes({0xB9, 0x0A, 0x40}), 9},
        {"handy bank select", false, [](cw::smaf::SequenceEntry& n) { n.setBankSelect(3, 2, 125); },
         bytes({0x00, 0xB1, 0x80}), 2},
        {"handy bank select 0", false, [](cw::smaf::SequenceEntry& n) { n.setBankSelect(3, 1, 0); },
         bytes({0x00, 0x71, 0x00}), 1},
        {"handy program", false, [](cw::smaf::SequenceEntry& n) { n.setProgram(3, 3, 5); },
         bytes({0x00, 0xF0, 0x05}), 3},
        {"handy control", false, [](cw::smaf::SequenceEntry& n) { n.setControl(3, 1, 7, 100); },
         bytes({0xFF, 0x00}), 1},
        {"handy bank LSB", false, [](cw::smaf::SequenceEntry& n) { n.setBankSelectLsb(3, 1, 0); },
         bytes({0xFF, 0x00}), 1},
    };
    for (const Case& c : cases) {
        cw::smaf::SequenceEntry n = note(c.mobile, c.mobile ? bytes({0x00, 0x90, 0x3C, 0x40, 0x05})
                                                            : bytes({0x00, 0x41, 0x05}));
        c.set(n);
        EXPECT_EQ(eventOf(n), c.event) << c.name;
        EXPECT_EQ(n.duration(), 3) << c.name;
        EXPECT_EQ(n.gateTime(), -1) << c.name;
        EXPECT_EQ(n.channel(), c.channel) << c.name;
    }
}

TEST(ScoreTrack, NopKeepsTheDurationOnly) {
    cw::smaf::SequenceEntry n = note(true, bytes({0x05, 0x99, 0x00, 0x7F, 0x02}));
    n.makeNop();
    EXPECT_EQ(eventOf(n), bytes({0xFF, 0x00}));
    EXPECT_EQ(n.duration(), 5);
    EXPECT_EQ(n.gateTime(), -1);
    EXPECT_EQ(n.channel(), -1);
}
