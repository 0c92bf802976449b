#include "chimewright/mmfconv/score_track.hpp"
#include "chimewright/mmfconv/smaf_file.hpp"
#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"

#include <gtest/gtest.h>

using namespace smaf_test;

namespace {

const Bytes cnti = chunk("CNTI", bytes({0x00, 0x32, 0x00, 0x00, 0x00}));

// A mobile score track with the given setup messages and sequence, timebases 4 ms.
Bytes mobileTrack(int number, const Bytes& setup, const Bytes& sequence, const Bytes& seek = {}) {
    return chunk(text("MTR") + bytes({number}),
                 bytes({0x02, 0x00, 0x02, 0x02}) + Bytes(16, 0x40) + seek + chunk("Mtsu", setup) +
                     chunk("Mtsq", sequence));
}

const Bytes wave = chunk(text("Awa") + bytes({1}), Bytes(44, 0x77));

// The stream's bank, program, volume and pan, put before the first note.
std::vector<Bytes> streamSetup() {
    return {bytes({0x00, 0xB9, 0x00, 0x7D}), bytes({0x00, 0xB9, 0x20, 0x00}), bytes({0x00, 0xC9, 0x00}),
            bytes({0x00, 0xB9, 0x07, 0x7D}), bytes({0x00, 0xB9, 0x0A, 0x40})};
}

std::vector<Bytes> joined(std::vector<Bytes> a, const std::vector<Bytes>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Attached {
    cw::smaf::File file;
    cw::smaf::ScoreTrack* track(std::size_t index) {
        return dynamic_cast<cw::smaf::ScoreTrack*>(file.chunks[index].get());
    }
};

Bytes entry(const cw::smaf::SequenceEntry& n) {
    Bytes out(64);
    out.resize(n.write(out));
    return out;
}

std::vector<Bytes> entries(const cw::smaf::ScoreTrack& track) {
    std::vector<Bytes> all;
    for (const auto& n : track.events) all.push_back(entry(*n));
    return all;
}

// A voice definition for bank 7C/00, program 5, key 3C (or key-bound: bank 7D).
Bytes voiceDefinition(int bankMsb) {
    const Bytes body = bytes({0x43, 0x79, 0x06, 0x7F, 0x01, bankMsb, 0x00, 0x05, 0x3C, 0, 0, 0, 0, 0x78, 0xF7});
    return bytes({0xF0, static_cast<int>(body.size())}) + body;
}

} // namespace

TEST(StreamAttach, RemovedVoiceSilencesTheChannelThatPlayedIt) {
    struct Case { int bankMsb; std::vector<bool> silenced; };
    // Channel 1 uses another program; channel 2 plays the voice with keys 3C and 40.
    for (const Case& c : {Case{0x7C, {false, true, true, true}}, Case{0x7D, {false, true, false, true}}}) {
        const Bytes sequence = bytes({
            0x00, 0xB1, 0x00, c.bankMsb, 0x00, 0xC1, 0x06,
            0x00, 0xB2, 0x00, c.bankMsb, 0x00, 0xB2, 0x20, 0x00, 0x00, 0xC2, 0x05,
            0x00, 0x91, 0x3C, 0x40, 0x01,
            0x00, 0x92, 0x3C, 0x40, 0x01,
            0x00, 0x92, 0x40, 0x40, 0x01,
            0x00, 0x82, 0x3C, 0x01,
            0x00, 0xFF, 0x2F, 0x00});
        const Bytes setup = voiceDefinition(c.bankMsb) + bytes({0xF0, 0x03, 0x43, 0x79, 0xF7});
        const Bytes image = smafFile(cnti + mobileTrack(0, setup, sequence));
        Attached a{cw::smaf::File(image)};
        ASSERT_TRUE(a.file.attachStream({}, 6, cw::smaf::Chunk(wave)));
        cw::smaf::ScoreTrack* track = a.track(1);
        ASSERT_EQ(track->setup.size(), 1u) << "the voice definition is removed, the other kept";
        for (std::size_t i = 0; i < 4; ++i) {
            const bool nop = track->events[5 + i]->eventLength() == 2 &&
                             track->events[5 + i]->eventBytes()[0] == 0xFF;
            EXPECT_EQ(nop, c.silenced[i]) << std::hex << c.bankMsb << " event " << i;
        }
        ASSERT_TRUE(track->stream);
        EXPECT_EQ(track->stream->bytes, wave);
    }
}

TEST(StreamAttach, OldStreamSetupAndTriggersAreCleared) {
    const Bytes setup = bytes({0xF0, 0x07, 0x43, 0x79, 0x06, 0x7F, 0x07, 0x00, 0xF7,
                               0xF0, 0x05, 0x43, 0x79, 0x06, 0x7F, 0x03});
    const Bytes sequence = bytes({0x00, 0x99, 0x00, 0x7F, 0x05, 0x00, 0x99, 0x01, 0x7F, 0x05,
                                  0x00, 0xFF, 0x2F, 0x00});
    const Bytes image = smafFile(cnti + mobileTrack(0, setup, sequence));
    Attached a{cw::smaf::File(image)};
    ASSERT_TRUE(a.file.attachStream({}, 6, cw::smaf::Chunk(wave)));
    EXPECT_TRUE(a.track(1)->setup.empty());
    EXPECT_EQ(entries(*a.track(1)),
              (std::vector<Bytes>{bytes({0x00, 0xFF, 0x00}), bytes({0x00, 0x99, 0x01, 0x7F, 0x05}),
                                  bytes({0x00, 0xFF, 0x2F, 0x00})}));
}

TEST(StreamAttach, TrackWithTheStreamBankIsChosen) {
    const Bytes plain = bytes({0x00, 0xFF, 0x2F, 0x00});
    const Bytes bankX = bytes({0x00, 0xB9, 0x00, 0x10, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes bank7D = bytes({0x00, 0xB9, 0x00, 0x7D, 0x00, 0xFF, 0x2F, 0x00});
    struct Case { std::vector<Bytes> sequences; std::size_t chosen; };
    const Case cases[] = {
        {{plain, plain}, 0},
        {{plain, bankX, plain}, 1},
        {{bankX, bank7D, bankX}, 1}, // the search ends at B9 00 7D
        {{bank7D, bankX}, 0},
    };
    for (const Case& c : cases) {
        Bytes tracks;
        for (std::size_t i = 0; i < c.sequences.size(); ++i)
            tracks = tracks + mobileTrack(static_cast<int>(i), {}, c.sequences[i]);
        const Bytes image = smafFile(cnti + tracks);
        Attached a{cw::smaf::File(image)};
        ASSERT_TRUE(a.file.attachStream({}, 6, cw::smaf::Chunk(wave)));
        for (std::size_t i = 0; i < c.sequences.size(); ++i)
            EXPECT_EQ(a.track(1 + i)->stream != nullptr, i == c.chosen) << c.chosen;
    }
}

TEST(StreamAttach, SetupGoesBeforeTheFirstControlChange) {
    const Bytes sequence = bytes({0x00, 0xF0, 0x03, 0x43, 0x79, 0xF7,  // an exclusive
                                  0x00, 0xC0, 0x00, 0x00, 0xB0, 0x07, 0x5A,
                                  0x00, 0xB9, 0x07, 0x69, 0x00, 0xC9, 0x01, 0x00, 0xE9, 0x00, 0x40,
                                  0x00, 0xFF, 0x2F, 0x00});
    const Bytes image = smafFile(cnti + mobileTrack(0, {}, sequence));
    Attached a{cw::smaf::File(image)};
    a.track(1)->insertStreamSetup();
    EXPECT_EQ(entries(*a.track(1)),
              (std::vector<Bytes>{bytes({0x00, 0xF0, 0x03, 0x43, 0x79, 0xF7}), bytes({0x00, 0xC0, 0x00}),
                                  bytes({0x00, 0xB9, 0x00, 0x7D}), bytes({0x00, 0xB9, 0x20, 0x00}),
                                  bytes({0x00, 0xC9, 0x00}), bytes({0x00, 0xB9, 0x07, 0x7D}),
                                  bytes({0x00, 0xB9, 0x0A, 0x40}), bytes({0x00, 0xB0, 0x07, 0x5A}),
                                  bytes({0x00, 0xFF, 0x2F, 0x00})}));
}

TEST(StreamAttach, TriggersFollowTheFirstNoteAndShareTheDurationAfterIt) {
    // A note at 0 ms, then 200 ms of nothing. Start times 0 and 100 ms: both triggers come
    // after the note (the reference), the second 25 ticks (100 ms) after the first.
    const Bytes sequence = bytes({0x00, 0x90, 0x3C, 0x40, 0x01, 0x32, 0xFF, 0x00, 0x00, 0xFF, 0x2F, 0x00});
    const Bytes image = smafFile(cnti + mobileTrack(0, {}, sequence));
    Attached a{cw::smaf::File(image)};
    ASSERT_TRUE(a.file.attachStream({0, 100}, 6, cw::smaf::Chunk(wave)));
    cw::smaf::ScoreTrack* track = a.track(1);
    EXPECT_EQ(entries(*track),
              joined(streamSetup(),
                     {bytes({0x00, 0x90, 0x3C, 0x40, 0x01}), bytes({0x00, 0x99, 0x00, 0x7F, 0x02}),
                      bytes({0x19, 0x99, 0x00, 0x7F, 0x02}), bytes({0x19, 0xFF, 0x00}),
                      bytes({0x00, 0xFF, 0x2F, 0x00})}));
}

TEST(StreamAttach, WithSeekInformationTheStartPointIsTheReference) {
    // The start point is the second note (offset 5, at 40 ms): no trigger before it.
    const Bytes sequence = bytes({0x00, 0x90, 0x3C, 0x40, 0x01, 0x0A, 0x90, 0x40, 0x40, 0x01,
                                  0x0A, 0xFF, 0x2F, 0x00});
    const Bytes seek = chunk("MspI", text("st:") + be32(5) + text(",sp:") + be32(10) + text(","));
    const Bytes image = smafFile(cnti + mobileTrack(0, {}, sequence, seek));
    Attached a{cw::smaf::File(image)};
    ASSERT_TRUE(a.track(1)->usesSeekInfo);
    ASSERT_TRUE(a.file.attachStream({0}, 1000, cw::smaf::Chunk(wave)));
    EXPECT_EQ(entries(*a.track(1)),
              joined(streamSetup(),
                     {bytes({0x00, 0x90, 0x3C, 0x40, 0x01}), bytes({0x0A, 0x90, 0x40, 0x40, 0x01}),
                      bytes({0x00, 0x99, 0x00, 0x7F, 0x81, 0x7A}), bytes({0x0A, 0xFF, 0x2F, 0x00})}));
}

TEST(StreamAttach, HandyPhoneTracksAreLeftAlone) {
    const Bytes track = chunk(text("MTR") + bytes({0}),
                              bytes({0x00, 0x00, 0x02, 0x02, 0x00, 0x00}) +
                                  chunk("Mtsq", bytes({0x00, 0x41, 0x05, 0x00, 0x00, 0x00, 0x00})));
    const Bytes image = smafFile(cnti + track);
    Attached a{cw::smaf::File(image)};
    EXPECT_FALSE(a.file.attachStream({0}, 6, cw::smaf::Chunk(wave)));
    EXPECT_EQ(written(a.file), smafFile(cnti + chunk(text("MTR") + bytes({0}),
                                                     bytes({0x00, 0x00, 0x02, 0x02, 0x00, 0x00}) +
                                                         chunk("Mtsu", {}) +
                                                         chunk("Mtsq", bytes({0x00, 0x41, 0x05, 0x00, 0x00, 0x00, 0x00})))));
}
