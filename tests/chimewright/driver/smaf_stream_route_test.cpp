#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/job.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "chimewright/mmfconv/optional_data_chunk.hpp"
#include "chimewright/mmfconv/score_track.hpp"
#include "chimewright/mmfconv/smaf_file.hpp"
#include "shared/step_adpcm.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace testing_support;
namespace opt = cw::option;

namespace {

cw::JobSettings smafJob(std::uint32_t flags, const platform::Path& outputFolder) {
    cw::JobSettings settings;
    settings[cw::targetSmaf] = cw::makeTargetBlock(flags | opt::create, 1.0, 0, 5900);
    settings[cw::targetSmaf].outputPath = cw::targetOutputPath(outputFolder, cw::targetSmaf, "bell");
    return settings;
}

std::vector<unsigned char> bytesOf(const platform::Path& path) {
    const std::string s = fileBytes(path);
    return std::vector<unsigned char>(s.begin(), s.end());
}

// Low nibble first, from a fresh decoder.
std::vector<std::int16_t> decodeStream(const std::vector<unsigned char>& adpcm) {
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    std::vector<std::int16_t> samples;
    for (unsigned char b : adpcm) {
        samples.push_back(suite::stepAdpcmDecode(state, b & 0x0F));
        samples.push_back(suite::stepAdpcmDecode(state, b >> 4));
    }
    return samples;
}

// Signal-to-error ratio in dB of `decoded` against the first samples of `reference`.
double snrDb(const std::vector<std::int16_t>& reference, const std::vector<std::int16_t>& decoded) {
    double signal = 0, error = 0;
    for (std::size_t i = 0; i < decoded.size() && i < reference.size(); ++i) {
        signal += double(reference[i]) * reference[i];
        error += (double(reference[i]) - decoded[i]) * (double(reference[i]) - decoded[i]);
    }
    return 10 * std::log10(signal / std::max(error, 1.0));
}

struct BuiltSmaf {
    cw::smaf::File file;
    cw::smaf::ScoreTrack* track() {
        for (auto& c : file.chunks)
            if (auto* t = dynamic_cast<cw::smaf::ScoreTrack*>(c.get())) return t;
        return nullptr;
    }
    cw::smaf::OptionalDataChunk* opda() {
        for (auto& c : file.chunks)
            if (auto* o = dynamic_cast<cw::smaf::OptionalDataChunk*>(c.get())) return o;
        return nullptr;
    }
};

class SmafStreamRoute : public ::testing::Test {
protected:
    ScratchFolder work;
    ScratchFolder out;
    platform::Path input = work / "bell.wav";
    platform::Path mmf = out / "mmf" / "bell.mmf";
    cw::JobTexts texts{"bell", "bell", "", ""};

    void SetUp() override {
        WavSpec layout;
        layout.rate = 22050;
        putFile(input, makeWav(layout, sineWave(700, 22050, 22050, 12000)));
        putFile(work / cw::tarnwickFileName(), "stand-in"); // only its presence counts here
    }
    int convert(std::uint32_t flags) {
        return cw::convertFile(input, smafJob(flags, out.path()), work.path(), texts, 1.0, 0, 5900);
    }
    cw::WriterContext context(const cw::JobSettings& settings) {
        return cw::WriterContext{settings, work.path(), texts, 0, 5900};
    }
};

} // namespace

TEST_F(SmafStreamRoute, WritesTheSixteenKilohertzFileAsAStreamWithinTheLimit) {
    struct Case { std::uint32_t flags; bool whole; };
    for (const Case c : {Case{opt::rate16k, false}, Case{opt::rate16k | opt::unlimited, true}}) {
        ASSERT_EQ(convert(c.flags), 0);
        const std::vector<unsigned char> image = bytesOf(mmf);
        ASSERT_FALSE(image.empty());
        const std::vector<std::int16_t> reference = tempWavSamples(fileBytes(work / "_cwsmtmp.wav"));
        ASSERT_EQ(reference.size(), 16000u);

        BuiltSmaf built{cw::smaf::File(image)};
        ASSERT_TRUE(built.track() && built.track()->parsedStream);
        EXPECT_EQ(built.track()->parsedStream->sampleRate, 16000);
        const auto& wave = built.track()->parsedStream->bytes;
        const std::vector<unsigned char> adpcm(wave.begin() + 8, wave.end());
        if (c.whole) {
            EXPECT_EQ(adpcm.size(), 8000u);
            EXPECT_GT(image.size(), 8000u);
        } else {
            EXPECT_EQ(image.size(), 6000u);
        }
        EXPECT_GT(snrDb(reference, decodeStream(adpcm)), 15.0) << "the stream decodes back to the sound";
        ASSERT_TRUE(built.opda());
        ASSERT_EQ(built.opda()->groups.size(), 1u);
        EXPECT_TRUE(built.opda()->groups[0]->hasTitle);
        EXPECT_FALSE(built.opda()->groups[0]->hasCopyright);
    }
}

TEST_F(SmafStreamRoute, NothingIsWrittenWithoutTarnwick) {
    platform::deleteFile(work / cw::tarnwickFileName());
    EXPECT_EQ(convert(opt::rate16k | opt::unlimited), 1);
    EXPECT_FALSE(platform::fileExists(mmf));
}

TEST_F(SmafStreamRoute, DisabledTargetWritesNothing) {
    cw::JobSettings settings = smafJob(opt::rate16k | opt::unlimited, out.path());
    settings[cw::targetSmaf].enabled = 0;
    EXPECT_EQ(cw::writeSmafTarget(context(settings)), 0);
    EXPECT_FALSE(platform::fileExists(mmf));
}

TEST_F(SmafStreamRoute, SixteenKilohertzFileWithoutSamplesGives1050) {
    putFile(work / "_cwsmtmp.wav", std::string(44, '\0'));
    EXPECT_EQ(cw::buildWaveDataChunk(work.path() / cw::tempfile::latest16k, cw::smafLargeLimit).size(), 8u);
    EXPECT_EQ(cw::writeSmafTarget(context(smafJob(opt::rate16k, out.path()))), 1050);
    platform::deleteFile(work / "_cwsmtmp.wav");
    EXPECT_EQ(cw::writeSmafTarget(context(smafJob(opt::rate16k, out.path()))), 1050);
    EXPECT_FALSE(platform::fileExists(mmf));
}

TEST_F(SmafStreamRoute, WaveDataChunkStopsAtItsLimit) {
    WavSpec layout;
    putFile(work / "_cwsmtmp.wav", makeWav(layout, sineWave(500, 16000, 1001, 9000)));
    // 1001 samples: 501 bytes, the last pairing its sample with a zero.
    const std::vector<unsigned char> whole = cw::buildWaveDataChunk(work.path() / cw::tempfile::latest16k, cw::smafLargeLimit);
    ASSERT_EQ(whole.size(), 8u + 501u);
    EXPECT_EQ(std::vector<unsigned char>(whole.begin(), whole.begin() + 8),
              (std::vector<unsigned char>{'A', 'w', 'a', 0x01, 0x00, 0x00, 0x01, 0xF5}));
    const std::vector<unsigned char> cut = cw::buildWaveDataChunk(work.path() / cw::tempfile::latest16k, 100);
    ASSERT_EQ(cut.size(), 100u);
    EXPECT_EQ(cut[7], 92);
    EXPECT_TRUE(std::equal(cut.begin() + 8, cut.end(), whole.begin() + 8));
}

TEST_F(SmafStreamRoute, OutputThatCannotBeCreatedGives1025) {
    putFile(out / "mmf", "a file where the folder should be");
    EXPECT_EQ(convert(opt::rate16k), 1025);
}

TEST_F(SmafStreamRoute, LongTextsAreCutAtACharacterBoundary) {
    std::string copyright = "a";
    for (int i = 0; i < 126; ++i) copyright += "\x82\xA0"; // double-byte characters
    copyright += "b";                                      // 254 bytes in all
    texts.titleAnsi = std::string(254, 't');
    texts.copyrightAnsi = copyright;
    ASSERT_EQ(convert(opt::rate16k), 0);
    const std::vector<unsigned char> image = bytesOf(mmf);
    BuiltSmaf built{cw::smaf::File(image)};
    ASSERT_TRUE(built.opda());
    const auto& fields = built.opda()->groups.at(0)->fields;
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0]->size(), 4 + 252);
    EXPECT_EQ(fields[1]->size(), 4 + 251) << "a character that would cross 252 bytes is left out";
}
