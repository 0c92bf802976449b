// The bundled sample through whole conversions with every MFi target enabled, one rate or
// size option at a time for every target that offers it: each file is whole (its length
// fields agree with its size) and its decoded voice follows the temporary WAV file it was
// encoded from.
#include "chimewright/driver/job.hpp"
#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "tests/chimewright/mfi/family_voice_reader.hpp"
#include "tests/chimewright/mfi/mfi_test_reader.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>

using namespace testing_support;
namespace opt = cw::option;

namespace {

enum class Family { stepHigh, stepLow, g726, ima };

struct Model {
    int target;
    Family family;
    std::uint32_t offered; // option bits besides "Create"
};

constexpr std::uint32_t low = opt::unlimited | opt::rate4k | opt::rate8k;
constexpr std::uint32_t mid = low | opt::stereo8k | opt::rate16k;
constexpr std::uint32_t both = mid | opt::stereo16k;
constexpr std::uint32_t all = both | opt::rate32k2bit | opt::rate32k4bit;
constexpr std::uint32_t imaRows = opt::unlimited | opt::rate8k | opt::rate16k;

// The 23 MFi targets and the options their rows offer.
const Model models[] = {
    {cw::targetN503, Family::stepLow, low},     {cw::targetN504, Family::stepLow, mid},
    {cw::targetN505, Family::stepLow, both},    {cw::targetF503, Family::stepLow, low},
    {cw::targetF504, Family::stepHigh, low},    {cw::targetF505, Family::stepHigh, both},
    {cw::targetP211, Family::stepHigh, low},    {cw::targetP505, Family::g726, all},
    {cw::targetP900, Family::stepHigh, both},   {cw::targetD211, Family::g726, low},
    {cw::targetD505, Family::g726, all},        {cw::targetSh251, Family::stepHigh, low},
    {cw::targetSh505, Family::stepHigh, low | opt::rate16k},
    {cw::targetSh252, Family::g726, all},       {cw::targetSo504, Family::stepLow, mid},
    {cw::targetSo505, Family::stepLow, mid},    {cw::targetSo505is, Family::g726, all},
    {cw::targetSa700, Family::stepHigh, both},  {cw::targetSa702, Family::g726, all},
    {cw::targetP903, Family::g726, all},        {cw::targetL600, Family::ima, imaRows},
    {cw::targetN600, Family::ima, imaRows},     {cw::targetM702, Family::ima, imaRows},
};

struct OptionRun {
    const char* name;
    std::uint32_t option;   // the bit that must be offered
    std::uint32_t flags;    // what is set
};

const OptionRun runs[] = {
    {"4kHz", opt::rate4k, opt::rate4k},
    {"8kHz", opt::rate8k, opt::rate8k},
    {"8kStereo", opt::stereo8k, opt::stereo8k},
    {"16kHz", opt::rate16k, opt::rate16k},
    {"16kStereo", opt::stereo16k, opt::stereo16k},
    {"32kHz(2bit)", opt::rate32k2bit, opt::rate32k2bit},
    {"32kHz(4bit)", opt::rate32k4bit, opt::rate32k4bit},
    {"Unlimited", opt::unlimited, opt::unlimited | opt::rate8k},
};

// Lowest correlation accepted per family (the sample measures 0.98 to 0.9997 in every
// family); 2-bit G.726 carries less of the sound.
double floorOf(Family family, bool twoBit) {
    switch (family) {
    case Family::stepHigh: return 0.97;
    case Family::stepLow: return 0.97;
    case Family::g726: return twoBit ? 0.9 : 0.97;
    case Family::ima: return 0.97;
    }
    return 1.0;
}

std::vector<double> tempSamples(const platform::Path& path, bool everyOther) {
    const auto all16 = tempWavSamples(fileBytes(path));
    std::vector<double> out;
    for (std::size_t i = 0; i < all16.size(); i += everyOther ? 2 : 1) out.push_back(all16[i]);
    return out;
}

// Normalised correlation over the samples both hold.
double correlation(const std::vector<std::int16_t>& decoded, const std::vector<double>& reference) {
    const std::size_t n = std::min(decoded.size(), reference.size());
    double xy = 0, xx = 0, yy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        xy += decoded[i] * reference[i];
        xx += double(decoded[i]) * decoded[i];
        yy += reference[i] * reference[i];
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0.0;
}

struct Decoded {
    std::vector<std::int16_t> left, right;
    bool stereo = false;
    bool twoBit = false;
};

std::optional<Decoded> decodeVoice(Family family, const mfi_test::MfiFile& file, std::string& error) {
    Decoded d;
    auto step = [](const mfi_test::Bytes& b, suite::StepAdpcmPacking packing) {
        std::vector<std::int16_t> s(2 * b.size());
        suite::decodeStepAdpcmStream(b, packing, s);
        return s;
    };
    switch (family) {
    case Family::stepHigh: {
        const auto v = mfi_test::readStepVoice(file, error);
        if (!v) return std::nullopt;
        d.left = step(v->first, suite::StepAdpcmPacking::highNibbleFirst);
        d.right = step(v->second, suite::StepAdpcmPacking::highNibbleFirst);
        d.stereo = v->stereo;
        return d;
    }
    case Family::stepLow: {
        const auto v = mfi_test::readLowNibbleVoice(file, error);
        if (!v) return std::nullopt;
        d.left = step(v->first, suite::StepAdpcmPacking::lowNibbleFirst);
        d.right = step(v->second, suite::StepAdpcmPacking::lowNibbleFirst);
        d.stereo = v->stereo;
        return d;
    }
    case Family::g726: {
        const auto v = mfi_test::readG726Voice(file, error);
        if (!v) return std::nullopt;
        d.twoBit = v->bits == 2 || v->rateField == 0x44 || v->rateField == 0x54;
        const auto width = d.twoBit ? suite::G726CodeWidth::twoBits : suite::G726CodeWidth::fourBits;
        auto g726 = [width](const mfi_test::Bytes& b) {
            std::vector<std::int16_t> s(b.size() * suite::g726SamplesPerByte(width));
            suite::decodeG726Stream(b, width, s);
            return s;
        };
        d.left = g726(v->first);
        d.right = g726(v->second);
        d.stereo = v->stereo;
        return d;
    }
    case Family::ima: {
        const auto v = mfi_test::readImaVoice(file, error);
        if (!v) return std::nullopt;
        auto ima = [](const mfi_test::Bytes& b) {
            std::vector<std::int16_t> s(b.size() / 256 * suite::imaAdpcmSamplesPerBlock);
            suite::decodeImaAdpcmBlocks(b, s);
            return s;
        };
        d.left = ima(v->first);
        d.right = ima(v->second);
        d.stereo = v->stereo;
        return d;
    }
    }
    return std::nullopt;
}

// The temporary file a target's voice came from, read as the driver read it.
std::vector<double> referenceOf(const platform::Path& work, Family family, std::uint32_t flags,
                                bool right) {
    if (flags & opt::stereo8k) return tempSamples(work / (right ? "_cwmrtmp.wav" : "_cwmltmp.wav"), false);
    if (flags & opt::stereo16k) return tempSamples(work / (right ? "_cwhrtmp.wav" : "_cwhltmp.wav"), false);
    if (flags & (opt::rate32k2bit | opt::rate32k4bit)) return tempSamples(work / "_cwm32tmp.wav", false);
    if (flags & opt::rate16k) return tempSamples(work / "_cwsmtmp.wav", false);
    // 8 kHz: the low-nibble and G.726 drivers read "_cwm8tmp.wav", the others "_cwmtmp.wav";
    // at 4 kHz the step drivers take every other sample and G.726 codes every sample in 2 bits.
    const bool own8k = family == Family::stepLow || family == Family::g726;
    if (flags & opt::rate4k) {
        if (family == Family::g726) return tempSamples(work / "_cwm8tmp.wav", false);
        return tempSamples(work / (family == Family::stepLow ? "_cwm4tmp.wav" : "_cwmtmp.wav"), true);
    }
    return tempSamples(work / (own8k ? "_cwm8tmp.wav" : "_cwmtmp.wav"), false);
}

} // namespace

TEST(SampleEveryTarget, EveryMfiTargetWithEveryOptionItOffers) {
    const char* root = std::getenv("CW_SOURCE_DIR");
    ASSERT_TRUE(root) << "CW_SOURCE_DIR is not set";
    const platform::Path input = platform::Path(root) / "samples" / "chime.wav";
    ASSERT_FALSE(fileBytes(input).empty()) << input;

    for (const OptionRun& run : runs) {
        SCOPED_TRACE(run.name);
        ScratchFolder work, out;
        cw::JobSettings settings{};
        for (const Model& m : models) {
            if (!(m.offered & run.option)) continue;
            const auto index = static_cast<std::size_t>(m.target);
            settings[index] = cw::makeTargetBlock(run.flags | opt::create, 1.0,
                                                  cw::targetTable[index].largeBudget, 0);
            settings[index].outputPath = cw::targetOutputPath(out.path(), m.target, "chime");
        }
        const cw::JobTexts texts{"chime", "chime", "", ""};
        const cw::MfiOptions mfi{.loop = 1, .userSizeLimit = 100000};
        const int code = cw::convertFile(input, settings, work.path(), texts, 1.0, 200, 5900, mfi);
        ASSERT_TRUE(code == 0 || code == 1) << code; // 1: no SMAF route without tarnwick

        for (const Model& m : models) {
            if (!(m.offered & run.option)) continue;
            const char* key = cw::targetTable[static_cast<std::size_t>(m.target)].key;
            SCOPED_TRACE(key);
            std::string error;
            const auto file = mfi_test::readMfi(fileBytes(out.path() / key / "chime.mld"), error);
            ASSERT_TRUE(file) << error;
            const auto* title = file->infoChunk("titl");
            ASSERT_TRUE(title);
            EXPECT_EQ(std::string(title->data.begin(), title->data.end()), "chime");

            const auto decoded = decodeVoice(m.family, *file, error);
            ASSERT_TRUE(decoded) << error;
            const bool stereo = (run.flags & (opt::stereo8k | opt::stereo16k)) != 0;
            ASSERT_EQ(decoded->stereo, stereo);
            // At least a second of sound at the lowest rate.
            EXPECT_GT(decoded->left.size(), 4000u);
            const double left = correlation(decoded->left, referenceOf(work.path(), m.family, run.flags, false));
            std::printf("    [%s %s] correlation %.4f", run.name, key, left);
            EXPECT_GE(left, floorOf(m.family, decoded->twoBit));
            if (stereo) {
                const double right = correlation(decoded->right, referenceOf(work.path(), m.family, run.flags, true));
                std::printf(", right %.4f", right);
                EXPECT_GE(right, floorOf(m.family, false));
            }
            std::printf("\n");
        }
    }
}
