// Every target of the vendor 0x21, 0x41 and 0x71 drivers with every option its row offers:
// the file lands in the target's folder, its length fields agree with its size, and its voice
// decodes to exactly what the encoder reconstructed from the right temporary file.
#include "chimewright/mfi/mfi_drivers.hpp"
#include "shared/step_adpcm.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "tests/chimewright/mfi/driver_fixture.hpp"
#include "tests/chimewright/mfi/mfi_test_reader.hpp"
#include "tests/support/scratch.hpp"

#include <algorithm>

using namespace mfi_test;
namespace opt = cw::option;

namespace {

enum class Form { inlineVoice, blocks, stereoBlocks, adat, stereoAdat };

struct TargetCase {
    const char* name;
    int target;
    std::uint32_t flags;
    Form form;
    const char* version;
    int vendor;      // of the voice records; 0 for "adat"
    int panRecord;   // of the mono block files
    int rate;
    const TempSource* first;
    const TempSource* second; // stereo only
    bool everyOtherSample;
    std::size_t bytesPerChannel;
};

constexpr std::uint32_t unlimited = opt::unlimited;

// The user size limit of these runs; the 65200 budget of p211 stays fixed.
constexpr int userLimit = 7000;

// Budgets: 10000 for the small size class (f504, p211, sh251), 20000 for the large one;
// stereo: right channel half the budget, both cut to the shorter. Files: 12000 bytes of
// 8 kHz mono, 16000 of 16 kHz mono, 12000/11200 of 8 kHz channels, 16000/15200 of 16 kHz.
const TargetCase targetCases[] = {
    {"f504 8kHz", cw::targetF504, opt::rate8k, Form::inlineVoice, "0300", 0x21, 0, 8000, &mono8k, nullptr, false, 10000},
    {"f504 4kHz", cw::targetF504, opt::rate4k, Form::inlineVoice, "0300", 0x21, 0, 4000, &mono8k, nullptr, true, 6000},
    {"f504 Unlimited", cw::targetF504, unlimited | opt::rate8k, Form::inlineVoice, "0300", 0x21, 0, 8000, &mono8k, nullptr, false, userLimit},
    {"f504 8kStereo not offered", cw::targetF504, opt::stereo8k, Form::inlineVoice, "0300", 0x21, 0, 8000, &mono8k, nullptr, false, 10000},
    {"f505 8kHz", cw::targetF505, opt::rate8k, Form::blocks, "0300", 0x21, 0x82, 8000, &mono8k, nullptr, false, 12000},
    {"f505 4kHz", cw::targetF505, opt::rate4k, Form::blocks, "0300", 0x21, 0x82, 4000, &mono8k, nullptr, true, 6000},
    {"f505 8kStereo", cw::targetF505, opt::stereo8k, Form::stereoBlocks, "0300", 0x21, 0x82, 8000, &left8k, &right8k, false, 10000},
    {"f505 16kHz", cw::targetF505, opt::rate16k, Form::blocks, "0300", 0x21, 0x82, 16000, &mono16k, nullptr, false, 16000},
    {"f505 16kStereo", cw::targetF505, opt::stereo16k, Form::stereoBlocks, "0300", 0x21, 0x82, 16000, &left16k, &right16k, false, 10000},
    {"f505 Unlimited 16kHz", cw::targetF505, unlimited | opt::rate16k, Form::blocks, "0300", 0x21, 0x82, 16000, &mono16k, nullptr, false, userLimit},
    {"p211 8kHz", cw::targetP211, opt::rate8k, Form::inlineVoice, "0200", 0x41, 0, 8000, &mono8k, nullptr, false, 10000},
    {"p211 4kHz", cw::targetP211, opt::rate4k, Form::inlineVoice, "0200", 0x41, 0, 4000, &mono8k, nullptr, true, 6000},
    {"p211 Unlimited", cw::targetP211, unlimited | opt::rate8k, Form::inlineVoice, "0200", 0x41, 0, 8000, &mono8k, nullptr, false, 12000},
    {"p900 8kHz", cw::targetP900, opt::rate8k, Form::blocks, "0301", 0x41, 0x80, 8000, &mono8k, nullptr, false, 12000},
    {"p900 4kHz", cw::targetP900, opt::rate4k, Form::blocks, "0301", 0x41, 0x80, 4000, &mono8k, nullptr, true, 6000},
    {"p900 8kStereo", cw::targetP900, opt::stereo8k, Form::stereoBlocks, "0301", 0x41, 0x80, 8000, &left8k, &right8k, false, 10000},
    {"p900 hidden 8kStereo bit", cw::targetP900, opt::stereo8kAlt, Form::stereoBlocks, "0301", 0x41, 0x80, 8000, &left8k, &right8k, false, 10000},
    {"p900 16kHz", cw::targetP900, opt::rate16k, Form::blocks, "0301", 0x41, 0x80, 16000, &mono16k, nullptr, false, 16000},
    {"p900 16kStereo", cw::targetP900, opt::stereo16k, Form::stereoBlocks, "0301", 0x41, 0x80, 16000, &left16k, &right16k, false, 10000},
    {"p900 Unlimited", cw::targetP900, unlimited | opt::rate8k, Form::blocks, "0301", 0x41, 0x80, 8000, &mono8k, nullptr, false, userLimit},
    {"sa700 8kHz", cw::targetSa700, opt::rate8k, Form::adat, "0400", 0, 0, 8000, &mono8k, nullptr, false, 12000},
    {"sa700 4kHz", cw::targetSa700, opt::rate4k, Form::adat, "0400", 0, 0, 4000, &mono8k, nullptr, true, 6000},
    {"sa700 8kStereo", cw::targetSa700, opt::stereo8k, Form::stereoAdat, "0400", 0, 0, 8000, &left8k, &right8k, false, 10000},
    {"sa700 16kHz", cw::targetSa700, opt::rate16k, Form::adat, "0400", 0, 0, 16000, &mono16k, nullptr, false, 16000},
    {"sa700 16kStereo", cw::targetSa700, opt::stereo16k, Form::stereoAdat, "0400", 0, 0, 16000, &left16k, &right16k, false, 10000},
    {"sa700 Unlimited", cw::targetSa700, unlimited | opt::rate16k, Form::adat, "0400", 0, 0, 16000, &mono16k, nullptr, false, userLimit},
    {"sh251 8kHz", cw::targetSh251, opt::rate8k, Form::inlineVoice, "0300", 0x71, 0, 8000, &mono8k, nullptr, false, 10000},
    {"sh251 4kHz", cw::targetSh251, opt::rate4k, Form::inlineVoice, "0300", 0x71, 0, 4000, &mono8k, nullptr, true, 6000},
    {"sh251 Unlimited", cw::targetSh251, unlimited | opt::rate8k, Form::inlineVoice, "0300", 0x71, 0, 8000, &mono8k, nullptr, false, userLimit},
    {"sh505 8kHz", cw::targetSh505, opt::rate8k, Form::blocks, "0300", 0x71, 0x82, 8000, &mono8k, nullptr, false, 12000},
    {"sh505 4kHz", cw::targetSh505, opt::rate4k, Form::blocks, "0300", 0x71, 0x82, 4000, &mono8k, nullptr, true, 6000},
    {"sh505 16kHz", cw::targetSh505, opt::rate16k, Form::blocks, "0300", 0x71, 0x82, 16000, &mono16k, nullptr, false, 16000},
    {"sh505 16kStereo not offered", cw::targetSh505, opt::stereo16k, Form::blocks, "0300", 0x71, 0x82, 8000, &mono8k, nullptr, false, 12000},
    {"sh505 Unlimited", cw::targetSh505, unlimited | opt::rate16k, Form::blocks, "0300", 0x71, 0x82, 16000, &mono16k, nullptr, false, userLimit},
};

// The predictor after every code, as the encoder's state follows it: conditioned samples
// (0.95 gain and the 64-sample dither, indexed per sample encoded) from a fresh state; missing
// samples at the end are zero.
std::vector<std::int16_t> encoderReconstruction(const std::vector<std::int16_t>& source,
                                                bool everyOtherSample, std::size_t bytes) {
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    std::vector<std::int16_t> out;
    std::uint32_t index = 0;
    const std::size_t stride = everyOtherSample ? 2 : 1;
    for (std::size_t b = 0; b < bytes; ++b) {
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t at = (2 * b + k) * stride;
            const std::int16_t s = at < source.size() ? source[at] : 0;
            suite::stepAdpcmEncode(state, suite::conditionSample(s, index++));
            out.push_back(state.predictor);
        }
    }
    return out;
}

std::vector<std::int16_t> decode(const Bytes& voice) {
    std::vector<std::int16_t> samples(voice.size() * 2);
    suite::decodeStepAdpcmStream(voice, suite::StepAdpcmPacking::highNibbleFirst, samples);
    return samples;
}

// Every extended record's first data byte.
void expectVendor(const MfiFile& file, int vendor) {
    for (const auto& track : file.tracks) {
        for (const Event& e : track) {
            if (e.body.size() > 4 && e.body[0] == 0xFF && e.body[1] == 0xFF) {
                EXPECT_EQ(e.body[4], vendor) << "record at tick " << e.time;
            }
        }
    }
}

// The play records (V 86 c r with r >= 0x80): channel byte and tick.
std::vector<std::pair<int, std::uint32_t>> plays(const MfiFile& file) {
    std::vector<std::pair<int, std::uint32_t>> found;
    for (const Event& e : file.tracks.at(0))
        if (e.body.size() == 9 && e.body[1] == 0xFF && e.body[5] == 0x86 && e.body[7] >= 0x80)
            found.emplace_back(e.body[6], e.time);
    return found;
}

class StepTargets : public StepDriverTest {};

} // namespace

TEST_F(StepTargets, EveryTargetAndOption) {
    putSources();
    options.userSizeLimit = userLimit;
    for (const TargetCase& c : targetCases) {
        for (int loop : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << (loop ? ", loop" : ""));
            for (const auto& entry : std::filesystem::directory_iterator(out.path()))
                std::filesystem::remove_all(entry.path());
            settings = {};
            enable(c.target, c.flags);
            options.loop = loop;
            extraSilenceMs = loop ? 250 : 0;

            ASSERT_EQ(cw::runMfiDrivers(context()), 0);
            const auto written = outputs();
            ASSERT_EQ(written.size(), 1u);
            EXPECT_EQ(written[0], out.path() / cw::targetTable[c.target].key / "bell.mld");

            std::string error;
            const auto file = readMfi(testing_support::fileBytes(written[0]), error);
            ASSERT_TRUE(file) << error;
            const auto* vers = file->infoChunk("vers");
            ASSERT_TRUE(vers);
            EXPECT_EQ(std::string(vers->data.begin(), vers->data.end()), c.version);
            const bool adat = c.form == Form::adat || c.form == Form::stereoAdat;
            EXPECT_EQ(file->dataType, adat ? 1 : 2);
            const bool twoTracks = c.form == Form::inlineVoice && extraSilenceMs > 0;
            EXPECT_EQ(file->trackCount, twoTracks ? 2 : 1);
            if (!adat) expectVendor(*file, c.vendor);
            EXPECT_EQ(hasMetaEvent(*file, 0xDD), loop == 1);

            const auto voice = readStepVoice(*file, error);
            ASSERT_TRUE(voice) << error;
            EXPECT_EQ(voice->rate, c.rate);
            ASSERT_EQ(voice->first.size(), c.bytesPerChannel);
            EXPECT_EQ(decode(voice->first),
                      encoderReconstruction(sourceSamples(*c.first), c.everyOtherSample,
                                            c.bytesPerChannel));
            const bool stereo = c.second != nullptr;
            ASSERT_EQ(voice->stereo, stereo);
            if (stereo) {
                ASSERT_EQ(voice->second.size(), c.bytesPerChannel);
                EXPECT_EQ(decode(voice->second),
                          encoderReconstruction(sourceSamples(*c.second), false, c.bytesPerChannel));
            }

            if (c.form == Form::blocks) {
                const auto p = plays(*file);
                ASSERT_EQ(p.size(), 1u);
                EXPECT_EQ(p[0].first, 0x00);
                bool panned = false;
                for (const Event& e : file->tracks[0])
                    panned |= e.body == Bytes{0xFF, 0xFF, 0x00, 0x03, Bytes::value_type(c.vendor),
                                              Bytes::value_type(c.panRecord), 0x20};
                EXPECT_TRUE(panned);
            }
            if (c.form == Form::stereoBlocks) {
                const auto p = plays(*file);
                ASSERT_EQ(p.size(), 2u);
                EXPECT_EQ(p[0].first, 0x00);
                EXPECT_EQ(p[1].first, 0x41);
                EXPECT_EQ(p[0].second, p[1].second);
            }
        }
    }
}

TEST_F(StepTargets, AllTargetsOfOneInputEachInTheirFolder) {
    putSources();
    for (int target : {cw::targetF504, cw::targetF505, cw::targetP211, cw::targetP900,
                       cw::targetSa700, cw::targetSh251, cw::targetSh505})
        enable(target, opt::rate8k, 0.5);
    ASSERT_EQ(cw::runMfiDrivers(context()), 0);
    auto written = outputs();
    std::sort(written.begin(), written.end());
    std::vector<platform::Path> expected;
    for (const char* key : {"f504", "f505", "p211", "p900", "sa700", "sh251", "sh505"})
        expected.push_back(out.path() / key / "bell.mld");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    for (const auto& path : written) {
        std::string error;
        const auto file = readMfi(testing_support::fileBytes(path), error);
        ASSERT_TRUE(file) << path << ": " << error;
        // Volume 0.5: master volume 64 where the form has one, voice volume 32 in the records.
        bool master = false;
        for (const Event& e : file->tracks[0])
            if (e.body.size() == 3 && e.body[0] == 0xFF && e.body[1] == 0xB0) master = e.body[2] == 64;
        const bool inlineForm = path.parent_path().filename() == "f504" ||
                                path.parent_path().filename() == "p211" ||
                                path.parent_path().filename() == "sh251";
        EXPECT_EQ(master, !inlineForm) << path;
    }
}
