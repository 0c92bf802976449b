#include "chimewright/mmfconv/contents_info_chunk.hpp"
#include "chimewright/mmfconv/optional_data_chunk.hpp"
#include "chimewright/mmfconv/score_track.hpp"
#include "chimewright/mmfconv/smaf_file.hpp"
#include "chimewright/mmfconv/stream_templates.hpp"
#include "shared/smaf_crc.hpp"
#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace smaf_test;

namespace {

const Bytes emptyCnti = chunk("CNTI", bytes({0x00, 0x01, 0x00, 0x00, 0x00}));

cw::smaf::File parse(const Bytes& image) {
    return cw::smaf::File(image);
}

// A written file is complete: its size field counts what follows it and it ends with the
// check code of everything before.
void expectWellFormed(const Bytes& image) {
    ASSERT_GE(image.size(), 10u);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 4), text("MMMD"));
    EXPECT_EQ(Bytes(image.begin() + 4, image.begin() + 8),
              be32(static_cast<std::uint32_t>(image.size() - 8)));
    EXPECT_EQ(Bytes(image.end() - 2, image.end()), be16(suite::smafCrc16(image.data(), image.size() - 2)));
}

Bytes rewritten(const Bytes& image) {
    cw::smaf::File file = parse(image);
    return written(file);
}

Bytes fixture(const char* name) {
    const char* root = std::getenv("CW_SOURCE_DIR");
    if (!root) return {};
    const std::string bytes = testing_support::fileBytes(platform::Path(root) / "tests/data/smaf" / name);
    return Bytes(bytes.begin(), bytes.end());
}

bool ffmpegAvailable() {
#ifdef _WIN32
    return false; // under Wine the Linux tool cannot be started
#else
    return std::system("ffmpeg -version >/dev/null 2>&1") == 0;
#endif
}

} // namespace

TEST(SmafFile, CntiOnlyFileIs23Bytes) {
    const Bytes image = smafFile(emptyCnti);
    ASSERT_EQ(image.size(), 23u);
    EXPECT_EQ(Bytes(image.begin() + 4, image.begin() + 8), be32(15));
    cw::smaf::File file = parse(image);
    EXPECT_EQ(file.size(), 23);
    EXPECT_EQ(file.storedCrc, 0x6072);
    EXPECT_EQ(file.computedCrc, 0x6072);
    EXPECT_EQ(written(file), image);
}

TEST(SmafFile, UnknownChunksStayInTheTreeButAreNotWritten) {
    const Bytes track = chunk(text("ATR") + bytes({0}), bytes({0, 0, 0x11, 0, 2, 2}));
    const Bytes image = smafFile(emptyCnti + chunk("XYZW", bytes({1, 2, 3})) + track);
    cw::smaf::File file = parse(image);
    ASSERT_EQ(file.chunks.size(), 3u);
    EXPECT_EQ(file.chunks[1]->bytes, chunk("XYZW", bytes({1, 2, 3})));
    EXPECT_EQ(file.size(), 8 + 13 + 14 + 2);
    EXPECT_EQ(written(file), smafFile(emptyCnti + track));
}

TEST(SmafFile, OnlyTheFirstCntiAndOpdaAreWritten) {
    const Bytes opda = chunk("OPDA", {});
    const Bytes other = chunk("CNTI", bytes({0x00, 0x32, 0x00, 0x00, 0x00}));
    EXPECT_EQ(rewritten(smafFile(emptyCnti + opda + other + opda)), smafFile(emptyCnti + opda));
}

TEST(SmafFile, WalkStopsAtTheFirstChunkThatDoesNotFit) {
    Bytes image = smafFile(emptyCnti + text("ATR") + bytes({0}) + be32(1000) + bytes({0, 0, 0x11}));
    cw::smaf::File file = parse(image);
    EXPECT_EQ(file.chunks.size(), 1u);
}

TEST(SmafFile, ChunksTooShortForTheirKindAreKeptAsUnknown) {
    const Bytes shortTrack = chunk(text("MTR") + bytes({0}), bytes({0x02, 0x00, 0x02, 0x02}));
    const Bytes shortCnti = chunk("CNTI", bytes({0x00}));
    cw::smaf::File file = parse(smafFile(shortCnti + shortTrack));
    EXPECT_EQ(file.chunks.size(), 2u);
    EXPECT_EQ(file.size(), 10);
}

TEST(SmafFile, ContentsInfoInOptionalDataReplacesTheFirstOpda) {
    const Bytes oldOpda = chunk("OPDA", chunk(text("Dch") + bytes({0}), text("ST") + be16(1) + text("x")));
    cw::smaf::File file = parse(smafFile(emptyCnti + chunk("XYZW", {}) + oldOpda));
    EXPECT_TRUE(file.setContentsInfo(nullptr, nullptr, true));
    // A new, empty OPDA directly after the CNTI; the old one is gone.
    EXPECT_EQ(written(file), smafFile(chunk("CNTI", bytes({0x00, 0x32, 0x00, 0x00, 0x00})) +
                                      chunk("OPDA", {})));
    EXPECT_EQ(file.chunks.size(), 3u);
}

TEST(SmafFile, FileWithoutCntiGetsNoOpda) {
    const Bytes track = chunk(text("ATR") + bytes({0}), bytes({0, 0, 0x11, 0, 2, 2}));
    cw::smaf::File file = parse(smafFile(track));
    file.setContentsInfo("t", "c", true);
    EXPECT_EQ(written(file), smafFile(track));
}

TEST(SmafFile, TemplatesWriteBackEveryChunkButTheDroppedOptionalData) {
    // Lengths whose numbers the templates hold in their shortest form (a short template
    // patched with fewer than 128 ticks holds a padded number, written back in one byte).
    for (int ticks : {250, 0x3FFF, 0x4000, 16634, 0x1FFFFF}) {
        const Bytes image = cw::smaf::streamTemplate(ticks);
        const Bytes out = rewritten(image);
        expectWellFormed(out);
        const std::vector<Bytes> in = topChunks(image);
        const std::vector<Bytes> back = topChunks(out);
        ASSERT_EQ(in.size(), 3u);
        ASSERT_EQ(back.size(), 3u);
        EXPECT_EQ(back[0], in[0]) << "CNTI " << ticks;
        // The one data chunk has code type 0xFF: kept in the tree, not written.
        EXPECT_EQ(back[1], chunk("OPDA", {})) << ticks;
        EXPECT_EQ(back[2], in[2]) << "MTR " << ticks;
    }
}

TEST(SmafFile, TemplatesCarryTheLengthInGateAndFinalDuration) {
    struct Case { int ticks; std::size_t size; };
    for (const Case c : {Case{0x3FFF, 184}, Case{0x4000, 186}}) {
        const Bytes image = cw::smaf::streamTemplate(c.ticks);
        EXPECT_EQ(image.size(), c.size) << c.ticks;
        cw::smaf::File file = parse(image);
        ASSERT_EQ(file.chunks.size(), 3u);
        auto* track = dynamic_cast<cw::smaf::ScoreTrack*>(file.chunks[2].get());
        ASSERT_TRUE(track);
        ASSERT_EQ(track->events.size(), 13u);
        EXPECT_EQ(track->setup.size(), 2u);
        EXPECT_EQ(track->events[11]->gateTime(), c.ticks);
        EXPECT_EQ(track->events[12]->duration(), c.ticks);
        auto* opda = dynamic_cast<cw::smaf::OptionalDataChunk*>(file.chunks[1].get());
        ASSERT_TRUE(opda);
        ASSERT_EQ(opda->groups.size(), 1u);
        EXPECT_EQ(opda->groups[0]->codeType, 0xFF);
        EXPECT_EQ(opda->groups[0]->fields.size(), 3u);
    }
}

TEST(SmafFile, FilesOfAnIndependentWriterWriteBackUnchanged) {
    for (const char* name : {"ffmpeg_8000.mmf", "ffmpeg_4000_titled.mmf"}) {
        const Bytes image = fixture(name);
        ASSERT_FALSE(image.empty()) << name << " (is CW_SOURCE_DIR set?)";
        const Bytes out = rewritten(image);
        expectWellFormed(out);
        // That writer ends its files without a check code; every chunk comes back as it was.
        EXPECT_EQ(topChunks(out), topChunks(image)) << name;
        EXPECT_EQ(topChunks(image).size(), 3u) << name;
    }
}

TEST(SmafFile, FreshlyWrittenFilesOfAnIndependentWriterWriteBackUnchanged) {
    if (!ffmpegAvailable()) GTEST_SKIP() << "ffmpeg is not installed";
    testing_support::ScratchFolder folder;
    testing_support::WavSpec layout;
    testing_support::putFile(folder / "in.wav",
                             testing_support::makeWav(layout, testing_support::sineWave(523, 8000, 3000, 9000)));
    for (const char* rate : {"8000", "4000"}) {
        const platform::Path out = folder / (std::string("out") + rate + ".mmf");
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y -i \"" +
                                    (folder / "in.wav").string() + "\" -ar " + rate +
                                    " -ac 1 -c:a adpcm_yamaha \"" + out.string() + "\" >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string written = testing_support::fileBytes(out);
        const Bytes image(written.begin(), written.end());
        const Bytes back = rewritten(image);
        expectWellFormed(back);
        EXPECT_EQ(topChunks(back), topChunks(image)) << rate;
    }
}
