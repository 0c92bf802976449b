#include "chimewright/mmfconv/contents_info_chunk.hpp"
#include "chimewright/mmfconv/score_track.hpp"
#include "chimewright/mmfconv/smaf_file.hpp"
#include "chimewright/mmfconv/stream_smaf_builder.hpp"
#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"

#include <gtest/gtest.h>

using namespace smaf_test;

namespace {

constexpr int bufferSize = 0x100000;

// An "Awa" chunk with `dataBytes` ADPCM bytes of a repeating pattern.
Bytes waveChunk(std::size_t dataBytes) {
    Bytes data(dataBytes);
    for (std::size_t i = 0; i < dataBytes; ++i) data[i] = static_cast<unsigned char>(i * 7 + 3);
    return chunk(text("Awa") + bytes({1}), data);
}

Bytes build(const Bytes& wave, const char* title, const char* copyright, int limit) {
    Bytes out(bufferSize);
    out.resize(cw::smaf::buildStreamSmaf(wave, out, title, copyright, limit));
    return out;
}

// The events of the score track in a built file.
struct BuiltTrack {
    cw::smaf::File file;
    cw::smaf::ScoreTrack* track() {
        for (auto& c : file.chunks)
            if (auto* t = dynamic_cast<cw::smaf::ScoreTrack*>(c.get())) return t;
        return nullptr;
    }
};

} // namespace

TEST(StreamSmafBuilder, SmallWaveGivesTheDocumentedFile) {
    // 52-byte wave chunk: ms = 48 / 8 = 6, L = 1 tick, trigger gate g = 6 / 4 + 0.5 = 2.
    const Bytes wave = waveChunk(44);
    const Bytes data(wave.begin() + 8, wave.end());
    const Bytes sequence = bytes({
        0x00, 0xF0, 0x07, 0x43, 0x79, 0x06, 0x7F, 0x00, 0x64, 0xF7,
        0x00, 0xB9, 0x00, 0x7D,
        0x00, 0xB9, 0x20, 0x00,
        0x00, 0xC9, 0x00,
        0x00, 0xB9, 0x07, 0x7D,
        0x00, 0xB9, 0x0A, 0x40,
        0x00, 0xB0, 0x00, 0x00,
        0x00, 0xC0, 0x00,
        0x00, 0xB0, 0x07, 0x5A,
        0x00, 0xB0, 0x0A, 0x40,
        0x00, 0xB0, 0x0B, 0x7F,
        0x00, 0x90, 0x00, 0x00, 0x01,
        0x00, 0x99, 0x00, 0x7F, 0x02,
        0x01, 0xFF, 0x2F, 0x00});
    const Bytes expected = smafFile(
        chunk("CNTI", bytes({0x00, 0x32, 0x00, 0x01, 0x00})) +
        chunk("OPDA", chunk(text("Dch") + bytes({0x00}),
                            text("ST") + be16(4) + text("bell") + text("CR") + be16(2) + text("me"))) +
        chunk(text("MTR") + bytes({0x05}),
              bytes({0x02, 0x00, 0x02, 0x02, 0x00}) + Bytes(15, 0x40) +
                  chunk("Mtsu", bytes({0xF0, 0x06, 0x43, 0x79, 0x06, 0x7F, 0x7F, 0xF7})) +
                  chunk("Mtsq", sequence) +
                  chunk("Mtsp", chunk(text("Mwa") + bytes({0x01}), bytes({0x20, 0x3E, 0x80}) + data))));
    ASSERT_EQ(expected.size(), 230u);
    EXPECT_EQ(build(wave, "bell", "me", 6000), expected);
}

TEST(StreamSmafBuilder, AbsentTextsLeaveTheirFieldsOut) {
    struct Case { const char* title; const char* copyright; int copyStatus; Bytes opda; };
    const Case cases[] = {
        {"t", nullptr, 0, chunk("OPDA", chunk(text("Dch") + bytes({0}), text("ST") + be16(1) + text("t")))},
        {nullptr, nullptr, 0, chunk("OPDA", {})},
    };
    for (const Case& c : cases) {
        const std::vector<Bytes> chunks = topChunks(build(waveChunk(44), c.title, c.copyright, 6000));
        ASSERT_EQ(chunks.size(), 3u);
        EXPECT_EQ(chunks[0], chunk("CNTI", bytes({0x00, 0x32, 0x00, c.copyStatus, 0x00})));
        EXPECT_EQ(chunks[1], c.opda);
    }
}

TEST(StreamSmafBuilder, LengthInTicksReachesGateAndEndOnBothSidesOfTheTemplateSwitch) {
    // L = ((length - 4) / 8) / 4: 0x3FFF ticks is the last for the short template.
    struct Case { std::size_t dataBytes; int ticks; };
    for (const Case c : {Case{8 * 4 * 0x3FFF - 4, 0x3FFF}, Case{8 * 4 * 0x4000 - 4, 0x4000}}) {
        const Bytes image = build(waveChunk(c.dataBytes), "t", nullptr, 800000);
        ASSERT_FALSE(image.empty());
        BuiltTrack built{cw::smaf::File(image)};
        cw::smaf::ScoreTrack* track = built.track();
        ASSERT_TRUE(track);
        const auto& events = track->events;
        ASSERT_GE(events.size(), 3u);
        EXPECT_EQ(events[events.size() - 3]->gateTime(), c.ticks); // the channel-0 note
        EXPECT_EQ(events.back()->duration(), c.ticks);
        EXPECT_EQ(events[events.size() - 2]->gateTime(), c.ticks); // the trigger: ms / 4, rounded
        ASSERT_TRUE(track->parsedStream);
        EXPECT_EQ(track->parsedStream->bytes.size(), c.dataBytes + 8);
    }
}

TEST(StreamSmafBuilder, LongWaveIsCutInTwoPassesToTheLimit) {
    const Bytes wave = waveChunk(20000);
    const Bytes image = build(wave, "title", "copyright", 6000);
    // The first pass cuts the wave chunk to 6000 bytes; the file overshoots by what surrounds
    // the wave, and the second pass cuts exactly that.
    ASSERT_EQ(image.size(), 6000u);
    BuiltTrack built{cw::smaf::File(image)};
    ASSERT_TRUE(built.track() && built.track()->parsedStream);
    const Bytes& kept = built.track()->parsedStream->bytes;
    const std::size_t overhead = 6000 - kept.size();
    EXPECT_GT(overhead, 100u);
    EXPECT_TRUE(std::equal(kept.begin() + 8, kept.end(), wave.begin() + 8)) << "a prefix of the wave";
    EXPECT_EQ(build(waveChunk(20000), "title", "copyright", 800000).size(), 20008 + overhead)
        << "the large limit keeps the whole wave";
}

TEST(StreamSmafBuilder, WaveThatFitsIsKeptWhole) {
    const Bytes wave = waveChunk(3000);
    const Bytes image = build(wave, "t", nullptr, 6000);
    ASSERT_FALSE(image.empty());
    EXPECT_LE(image.size(), 6000u);
    BuiltTrack built{cw::smaf::File(image)};
    EXPECT_EQ(built.track()->parsedStream->bytes, wave);
}

TEST(StreamSmafBuilder, RefusesWhatItCannotBuild) {
    const Bytes wave = waveChunk(44);
    Bytes notAwa = wave;
    notAwa[0] = 'M';
    EXPECT_TRUE(build(notAwa, "t", "c", 6000).empty());
    // A limit below 16 bytes never cuts the wave, so the file cannot fit.
    EXPECT_TRUE(build(wave, "t", "c", 15).empty());
    // An output buffer too small for the file.
    Bytes out(100);
    EXPECT_EQ(cw::smaf::buildStreamSmaf(wave, out, "t", "c", 6000), 0u);
}
