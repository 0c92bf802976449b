// Every target of the low-nibble, G.726 and IMA drivers with every option its row offers: the
// file lands in the target's folder, its length fields agree with its size, its layout is the
// family's, and its voice is what the codec makes of the right temporary file within the
// target's budget.
#include "chimewright/mfi/mfi_drivers.hpp"
#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/step_adpcm.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "tests/chimewright/mfi/family_fixture.hpp"
#include "tests/chimewright/mfi/family_voice_reader.hpp"
#include "tests/support/scratch.hpp"

#include <algorithm>
#include <filesystem>

using namespace mfi_test;
namespace opt = cw::option;

namespace {

enum class Layout {
    singleRest, vendor11Short, vendor11Blocks, vendor31,             // low nibble
    inline61, singleTrack61, fourTrack, adat0400, adat0500,          // G.726
    imaFourTrack, imaAdat,                                           // IMA
};

enum class Codec { lowNibble, g726Four, g726Two, ima };

struct TargetCase {
    const char* name;
    int target;
    std::uint32_t flags;
    Layout layout;
    const char* version;
    int vendor;     // first byte of every extended record (0 for the "adat" files)
    int rateField;  // the records' rate byte or 16-bit rate, or the "adat" kHz byte
    Codec codec;
    const TempSource* first;
    const TempSource* second; // stereo only
    std::size_t bytesPerChannel;
};

constexpr std::uint32_t unlimited = opt::unlimited;
constexpr int userLimit = 7000;

// Budgets: 10000 for n503, n504, f503, so504 and d211, 20000 for the others; with
// "Unlimited" 65200 for n503, n504, f503, so504, so505, the user limit (7000) elsewhere.
// Stereo: the right channel gets half the budget and both are cut to the shorter. IMA keeps
// whole 256-byte blocks: 48 of the 3-s 8 kHz file, 64 of the 2-s 16 kHz file, 27 in 7000.
// Step ADPCM and 4-bit G.726 take two samples a byte, 2-bit G.726 four.
const TargetCase targetCases[] = {
    // n503: single-rest, vendor 0x11.
    {"n503 8kHz", cw::targetN503, opt::rate8k, Layout::singleRest, "0200", 0x11, 1, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"n503 4kHz", cw::targetN503, opt::rate4k, Layout::singleRest, "0200", 0x11, 0, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"n503 Unlimited", cw::targetN503, unlimited | opt::rate8k, Layout::singleRest, "0200", 0x11, 1, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"n503 16kHz not offered", cw::targetN503, opt::rate16k, Layout::singleRest, "0200", 0x11, 1, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    // f503: single-rest, vendor 0x21.
    {"f503 8kHz", cw::targetF503, opt::rate8k, Layout::singleRest, "0200", 0x21, 1, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"f503 4kHz", cw::targetF503, opt::rate4k, Layout::singleRest, "0200", 0x21, 0, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"f503 Unlimited 4kHz", cw::targetF503, unlimited | opt::rate4k, Layout::singleRest, "0200", 0x21, 0, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    // n504: vendor 0x11 short form.
    {"n504 8kHz", cw::targetN504, opt::rate8k, Layout::vendor11Short, "0300", 0x11, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"n504 4kHz", cw::targetN504, opt::rate4k, Layout::vendor11Short, "0300", 0x11, 4000, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"n504 8kStereo", cw::targetN504, opt::stereo8k, Layout::vendor11Short, "0300", 0x11, 8000, Codec::lowNibble, &left8k, &right8k, 5000},
    {"n504 16kHz", cw::targetN504, opt::rate16k, Layout::vendor11Short, "0300", 0x11, 16000, Codec::lowNibble, &mono16k, nullptr, 10000},
    {"n504 Unlimited 16kHz", cw::targetN504, unlimited | opt::rate16k, Layout::vendor11Short, "0300", 0x11, 16000, Codec::lowNibble, &mono16k, nullptr, 16000},
    {"n504 16kStereo not offered", cw::targetN504, opt::stereo16k, Layout::vendor11Short, "0300", 0x11, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    // n505: vendor 0x11 block form.
    {"n505 8kHz", cw::targetN505, opt::rate8k, Layout::vendor11Blocks, "0300", 0x11, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"n505 4kHz", cw::targetN505, opt::rate4k, Layout::vendor11Blocks, "0300", 0x11, 4000, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"n505 8kStereo", cw::targetN505, opt::stereo8k, Layout::vendor11Blocks, "0300", 0x11, 8000, Codec::lowNibble, &left8k, &right8k, 10000},
    {"n505 16kHz", cw::targetN505, opt::rate16k, Layout::vendor11Blocks, "0300", 0x11, 16000, Codec::lowNibble, &mono16k, nullptr, 16000},
    {"n505 16kStereo", cw::targetN505, opt::stereo16k, Layout::vendor11Blocks, "0300", 0x11, 16000, Codec::lowNibble, &left16k, &right16k, 10000},
    {"n505 Unlimited 16kHz", cw::targetN505, unlimited | opt::rate16k, Layout::vendor11Blocks, "0300", 0x11, 16000, Codec::lowNibble, &mono16k, nullptr, userLimit},
    // so504 and so505: vendor 0x31.
    {"so504 8kHz", cw::targetSo504, opt::rate8k, Layout::vendor31, "0300", 0x31, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"so504 4kHz", cw::targetSo504, opt::rate4k, Layout::vendor31, "0300", 0x31, 4000, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"so504 8kStereo", cw::targetSo504, opt::stereo8k, Layout::vendor31, "0300", 0x31, 8000, Codec::lowNibble, &left8k, &right8k, 5000},
    {"so504 16kHz", cw::targetSo504, opt::rate16k, Layout::vendor31, "0300", 0x31, 16000, Codec::lowNibble, &mono16k, nullptr, 10000},
    {"so504 Unlimited 16kHz", cw::targetSo504, unlimited | opt::rate16k, Layout::vendor31, "0300", 0x31, 16000, Codec::lowNibble, &mono16k, nullptr, 16000},
    {"so505 8kHz", cw::targetSo505, opt::rate8k, Layout::vendor31, "0300", 0x31, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    {"so505 4kHz", cw::targetSo505, opt::rate4k, Layout::vendor31, "0300", 0x31, 4000, Codec::lowNibble, &mono8kNarrow, nullptr, 5200},
    {"so505 8kStereo", cw::targetSo505, opt::stereo8k, Layout::vendor31, "0300", 0x31, 8000, Codec::lowNibble, &left8k, &right8k, 10000},
    {"so505 16kHz", cw::targetSo505, opt::rate16k, Layout::vendor31, "0300", 0x31, 16000, Codec::lowNibble, &mono16k, nullptr, 16000},
    {"so505 Unlimited 8kHz", cw::targetSo505, unlimited | opt::rate8k, Layout::vendor31, "0300", 0x31, 8000, Codec::lowNibble, &mono8kNormal, nullptr, 10000},
    // d211: inline vendor 0x61.
    {"d211 8kHz", cw::targetD211, opt::rate8k, Layout::inline61, "0200", 0x61, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"d211 4kHz", cw::targetD211, opt::rate4k, Layout::inline61, "0200", 0x61, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"d211 Unlimited", cw::targetD211, unlimited | opt::rate8k, Layout::inline61, "0200", 0x61, 0x45, Codec::g726Four, &mono8kNormal, nullptr, userLimit},
    {"d211 16kHz not offered", cw::targetD211, opt::rate16k, Layout::inline61, "0200", 0x61, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    // d505: single-track vendor 0x61.
    {"d505 8kHz", cw::targetD505, opt::rate8k, Layout::singleTrack61, "0300", 0x61, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"d505 4kHz", cw::targetD505, opt::rate4k, Layout::singleTrack61, "0300", 0x61, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"d505 8kStereo", cw::targetD505, opt::stereo8k, Layout::singleTrack61, "0300", 0x61, 0x45, Codec::g726Four, &left8k, &right8k, 10000},
    {"d505 16kHz", cw::targetD505, opt::rate16k, Layout::singleTrack61, "0300", 0x61, 0x4D, Codec::g726Four, &mono16k, nullptr, 16000},
    {"d505 16kStereo", cw::targetD505, opt::stereo16k, Layout::singleTrack61, "0300", 0x61, 0x4D, Codec::g726Four, &left16k, &right16k, 10000},
    {"d505 32kHz(2bit)", cw::targetD505, opt::rate32k2bit, Layout::singleTrack61, "0300", 0x61, 0x54, Codec::g726Two, &mono32k, nullptr, 12000},
    {"d505 32kHz(4bit)", cw::targetD505, opt::rate32k4bit, Layout::singleTrack61, "0300", 0x61, 0x55, Codec::g726Four, &mono32k, nullptr, 20000},
    {"d505 Unlimited 32kHz(4bit)", cw::targetD505, unlimited | opt::rate32k4bit, Layout::singleTrack61, "0300", 0x61, 0x55, Codec::g726Four, &mono32k, nullptr, userLimit},
    // p505, sh252, so505is: four-track vendors 0x41, 0x71, 0x31.
    {"p505 8kHz", cw::targetP505, opt::rate8k, Layout::fourTrack, "0300", 0x41, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"p505 4kHz", cw::targetP505, opt::rate4k, Layout::fourTrack, "0300", 0x41, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"p505 8kStereo", cw::targetP505, opt::stereo8k, Layout::fourTrack, "0300", 0x41, 0x45, Codec::g726Four, &left8k, &right8k, 10000},
    {"p505 16kHz", cw::targetP505, opt::rate16k, Layout::fourTrack, "0300", 0x41, 0x4D, Codec::g726Four, &mono16k, nullptr, 16000},
    {"p505 16kStereo", cw::targetP505, opt::stereo16k, Layout::fourTrack, "0300", 0x41, 0x4D, Codec::g726Four, &left16k, &right16k, 10000},
    {"p505 32kHz(2bit)", cw::targetP505, opt::rate32k2bit, Layout::fourTrack, "0300", 0x41, 0x54, Codec::g726Two, &mono32k, nullptr, 12000},
    {"p505 32kHz(4bit)", cw::targetP505, opt::rate32k4bit, Layout::fourTrack, "0300", 0x41, 0x55, Codec::g726Four, &mono32k, nullptr, 20000},
    {"p505 Unlimited", cw::targetP505, unlimited | opt::rate8k, Layout::fourTrack, "0300", 0x41, 0x45, Codec::g726Four, &mono8kNormal, nullptr, userLimit},
    {"sh252 8kHz", cw::targetSh252, opt::rate8k, Layout::fourTrack, "0300", 0x71, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"sh252 4kHz", cw::targetSh252, opt::rate4k, Layout::fourTrack, "0300", 0x71, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"sh252 8kStereo", cw::targetSh252, opt::stereo8k, Layout::fourTrack, "0300", 0x71, 0x45, Codec::g726Four, &left8k, &right8k, 10000},
    {"sh252 16kHz", cw::targetSh252, opt::rate16k, Layout::fourTrack, "0300", 0x71, 0x4D, Codec::g726Four, &mono16k, nullptr, 16000},
    {"sh252 16kStereo", cw::targetSh252, opt::stereo16k, Layout::fourTrack, "0300", 0x71, 0x4D, Codec::g726Four, &left16k, &right16k, 10000},
    {"sh252 32kHz(2bit)", cw::targetSh252, opt::rate32k2bit, Layout::fourTrack, "0300", 0x71, 0x54, Codec::g726Two, &mono32k, nullptr, 12000},
    {"sh252 32kHz(4bit)", cw::targetSh252, opt::rate32k4bit, Layout::fourTrack, "0300", 0x71, 0x55, Codec::g726Four, &mono32k, nullptr, 20000},
    {"sh252 Unlimited 16kHz", cw::targetSh252, unlimited | opt::rate16k, Layout::fourTrack, "0300", 0x71, 0x4D, Codec::g726Four, &mono16k, nullptr, userLimit},
    {"so505is 8kHz", cw::targetSo505is, opt::rate8k, Layout::fourTrack, "0301", 0x31, 0x45, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"so505is 4kHz", cw::targetSo505is, opt::rate4k, Layout::fourTrack, "0301", 0x31, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"so505is 8kStereo", cw::targetSo505is, opt::stereo8k, Layout::fourTrack, "0301", 0x31, 0x45, Codec::g726Four, &left8k, &right8k, 10000},
    {"so505is 16kHz", cw::targetSo505is, opt::rate16k, Layout::fourTrack, "0301", 0x31, 0x4D, Codec::g726Four, &mono16k, nullptr, 16000},
    {"so505is 16kStereo", cw::targetSo505is, opt::stereo16k, Layout::fourTrack, "0301", 0x31, 0x4D, Codec::g726Four, &left16k, &right16k, 10000},
    {"so505is 32kHz(2bit)", cw::targetSo505is, opt::rate32k2bit, Layout::fourTrack, "0301", 0x31, 0x54, Codec::g726Two, &mono32k, nullptr, 12000},
    {"so505is 32kHz(4bit)", cw::targetSo505is, opt::rate32k4bit, Layout::fourTrack, "0301", 0x31, 0x55, Codec::g726Four, &mono32k, nullptr, 20000},
    {"so505is Unlimited 4kHz", cw::targetSo505is, unlimited | opt::rate4k, Layout::fourTrack, "0301", 0x31, 0x44, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    // sa702 and p903: G.726 "adat" "0400" and "0500".
    {"sa702 8kHz", cw::targetSa702, opt::rate8k, Layout::adat0400, "0400", 0, 8, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"sa702 4kHz", cw::targetSa702, opt::rate4k, Layout::adat0400, "0400", 0, 8, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"sa702 8kStereo", cw::targetSa702, opt::stereo8k, Layout::adat0400, "0400", 0, 8, Codec::g726Four, &left8k, &right8k, 10000},
    {"sa702 16kHz", cw::targetSa702, opt::rate16k, Layout::adat0400, "0400", 0, 16, Codec::g726Four, &mono16k, nullptr, 16000},
    {"sa702 16kStereo", cw::targetSa702, opt::stereo16k, Layout::adat0400, "0400", 0, 16, Codec::g726Four, &left16k, &right16k, 10000},
    {"sa702 32kHz(2bit)", cw::targetSa702, opt::rate32k2bit, Layout::adat0400, "0400", 0, 32, Codec::g726Two, &mono32k, nullptr, 12000},
    {"sa702 32kHz(4bit)", cw::targetSa702, opt::rate32k4bit, Layout::adat0400, "0400", 0, 32, Codec::g726Four, &mono32k, nullptr, 20000},
    {"sa702 Unlimited", cw::targetSa702, unlimited | opt::rate8k, Layout::adat0400, "0400", 0, 8, Codec::g726Four, &mono8kNormal, nullptr, userLimit},
    {"p903 8kHz", cw::targetP903, opt::rate8k, Layout::adat0500, "0500", 0, 8, Codec::g726Four, &mono8kNormal, nullptr, 10000},
    {"p903 4kHz", cw::targetP903, opt::rate4k, Layout::adat0500, "0500", 0, 8, Codec::g726Two, &mono8kNormal, nullptr, 5000},
    {"p903 8kStereo", cw::targetP903, opt::stereo8k, Layout::adat0500, "0500", 0, 8, Codec::g726Four, &left8k, &right8k, 10000},
    {"p903 16kHz", cw::targetP903, opt::rate16k, Layout::adat0500, "0500", 0, 16, Codec::g726Four, &mono16k, nullptr, 16000},
    {"p903 16kStereo", cw::targetP903, opt::stereo16k, Layout::adat0500, "0500", 0, 16, Codec::g726Four, &left16k, &right16k, 10000},
    {"p903 32kHz(2bit)", cw::targetP903, opt::rate32k2bit, Layout::adat0500, "0500", 0, 32, Codec::g726Two, &mono32k, nullptr, 12000},
    {"p903 32kHz(4bit)", cw::targetP903, opt::rate32k4bit, Layout::adat0500, "0500", 0, 32, Codec::g726Four, &mono32k, nullptr, 20000},
    {"p903 Unlimited 16kHz", cw::targetP903, unlimited | opt::rate16k, Layout::adat0500, "0500", 0, 16, Codec::g726Four, &mono16k, nullptr, userLimit},
    // l600, n600: IMA four-track; m702: IMA "adat".
    {"l600 8kHz", cw::targetL600, opt::rate8k, Layout::imaFourTrack, "0301", 0xF1, 5, Codec::ima, &mono8k, nullptr, 48 * 256},
    {"l600 16kHz", cw::targetL600, opt::rate16k, Layout::imaFourTrack, "0301", 0xF1, 6, Codec::ima, &mono16k, nullptr, 64 * 256},
    {"l600 Unlimited 16kHz", cw::targetL600, unlimited | opt::rate16k, Layout::imaFourTrack, "0301", 0xF1, 6, Codec::ima, &mono16k, nullptr, 27 * 256},
    {"l600 8kStereo not offered", cw::targetL600, opt::stereo8k, Layout::imaFourTrack, "0301", 0xF1, 5, Codec::ima, &mono8k, nullptr, 48 * 256},
    {"n600 8kHz", cw::targetN600, opt::rate8k, Layout::imaFourTrack, "0301", 0x11, 5, Codec::ima, &mono8k, nullptr, 48 * 256},
    {"n600 16kHz", cw::targetN600, opt::rate16k, Layout::imaFourTrack, "0301", 0x11, 6, Codec::ima, &mono16k, nullptr, 64 * 256},
    {"n600 Unlimited 8kHz", cw::targetN600, unlimited | opt::rate8k, Layout::imaFourTrack, "0301", 0x11, 5, Codec::ima, &mono8k, nullptr, 27 * 256},
    {"m702 8kHz", cw::targetM702, opt::rate8k, Layout::imaAdat, "0400", 0, 8, Codec::ima, &mono8k, nullptr, 48 * 256},
    {"m702 16kHz", cw::targetM702, opt::rate16k, Layout::imaAdat, "0400", 0, 16, Codec::ima, &mono16k, nullptr, 64 * 256},
    {"m702 Unlimited 16kHz", cw::targetM702, unlimited | opt::rate16k, Layout::imaAdat, "0400", 0, 16, Codec::ima, &mono16k, nullptr, 27 * 256},
    {"m702 4kHz not offered", cw::targetM702, opt::rate4k, Layout::imaAdat, "0400", 0, 8, Codec::ima, &mono8k, nullptr, 48 * 256},
};

bool isFourTrack(Layout l) { return l == Layout::fourTrack || l == Layout::imaFourTrack; }
bool isAdat(Layout l) { return l == Layout::adat0400 || l == Layout::adat0500 || l == Layout::imaAdat; }

int expectedTracks(Layout l, bool extraSilence) {
    if (isFourTrack(l)) return 4;
    if (l == Layout::vendor31 || l == Layout::inline61) return extraSilence ? 2 : 1;
    return 1;
}

int expectedDataType(Layout l) {
    return isAdat(l) || l == Layout::vendor11Short || l == Layout::vendor11Blocks ? 1 : 2;
}

// The source's samples from the first one used, taking every other sample for the 4 kHz
// step-ADPCM option.
std::vector<std::int16_t> samplesOf(const TempSource& source, bool everyOther) {
    const auto all = sourceSamples(source);
    if (!everyOther) return all;
    std::vector<std::int16_t> half;
    for (std::size_t i = 0; i < all.size(); i += 2) half.push_back(all[i]);
    return half;
}

// The predictor after every code, as a fresh encoder follows raw samples; missing samples
// at the end are zero.
std::vector<std::int16_t> stepReconstruction(const std::vector<std::int16_t>& samples, std::size_t count) {
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    std::vector<std::int16_t> out;
    for (std::size_t i = 0; i < count; ++i) {
        suite::stepAdpcmEncode(state, i < samples.size() ? samples[i] : std::int16_t{0});
        out.push_back(state.predictor);
    }
    return out;
}

// What the codec makes of a channel, held to `bytes`: compared with the file's stream.
void expectChannel(const TargetCase& c, const Bytes& stored, const TempSource& source, bool lowRateStep) {
    ASSERT_EQ(stored.size(), c.bytesPerChannel);
    const auto samples = samplesOf(source, lowRateStep);
    switch (c.codec) {
    case Codec::lowNibble: {
        // The last four bytes are stored as 0; the rest decodes to the encoder's reconstruction.
        const std::size_t kept = stored.size() - 4;
        EXPECT_EQ(Bytes(stored.begin() + static_cast<std::ptrdiff_t>(kept), stored.end()), Bytes(4, 0));
        std::vector<std::int16_t> decoded(2 * kept);
        suite::decodeStepAdpcmStream(std::span(stored).first(kept), suite::StepAdpcmPacking::lowNibbleFirst,
                                     decoded);
        EXPECT_EQ(decoded, stepReconstruction(samples, 2 * kept));
        break;
    }
    case Codec::g726Four:
    case Codec::g726Two: {
        const auto width = c.codec == Codec::g726Two ? suite::G726CodeWidth::twoBits : suite::G726CodeWidth::fourBits;
        const std::size_t count = std::min(samples.size(), stored.size() * suite::g726SamplesPerByte(width));
        Bytes expected(stored.size());
        suite::encodeG726Samples(std::span(samples).first(count), width, expected);
        EXPECT_EQ(stored, expected);
        break;
    }
    case Codec::ima: {
        const std::size_t count = std::min(samples.size(), stored.size() / 256 * suite::imaAdpcmSamplesPerBlock);
        Bytes expected(stored.size());
        ASSERT_EQ(suite::encodeImaAdpcmBlocks(std::span(samples).first(count), expected), stored.size());
        EXPECT_EQ(stored, expected);
        break;
    }
    }
}

std::optional<FamilyVoice> readVoice(const TargetCase& c, const MfiFile& file, std::string& error) {
    switch (c.codec) {
    case Codec::lowNibble: return readLowNibbleVoice(file, error);
    case Codec::ima: return readImaVoice(file, error);
    default: return readG726Voice(file, error);
    }
}

void expectVendor(const MfiFile& file, int vendor) {
    for (const auto& track : file.tracks)
        for (const Bytes& r : records(track)) {
            ASSERT_FALSE(r.empty());
            EXPECT_EQ(r[0], vendor);
        }
}

class FamilyTargets : public FamilyDriverTest {};

} // namespace

TEST_F(FamilyTargets, EveryTargetAndOption) {
    putAllSources();
    options.userSizeLimit = userLimit;
    for (const TargetCase& c : targetCases) {
        for (int loop : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << (loop ? ", loop and extra silence" : ""));
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
            EXPECT_EQ(file->dataType, expectedDataType(c.layout));
            EXPECT_EQ(file->trackCount, expectedTracks(c.layout, extraSilenceMs > 0));
            if (!isAdat(c.layout)) expectVendor(*file, c.vendor);
            // The single-rest files have no loop markers.
            EXPECT_EQ(hasMetaEvent(*file, 0xDD), loop == 1 && c.layout != Layout::singleRest);
            if (isFourTrack(c.layout)) {
                EXPECT_EQ(file->data[file->data.size() - 3].data.size(), 16u);
                EXPECT_EQ(file->data[file->data.size() - 2].data.size(),
                          c.layout == Layout::imaFourTrack ? 40u : 36u);
                EXPECT_EQ(file->data[file->data.size() - 1].data.size(), 16u);
                // Every track lasts as long as the voice track.
                for (const auto& track : file->tracks)
                    EXPECT_EQ(trackTicks(track), trackTicks(file->tracks[0]));
            }

            const auto voice = readVoice(c, *file, error);
            ASSERT_TRUE(voice) << error;
            EXPECT_EQ(voice->rateField, c.rateField);
            if (isAdat(c.layout)) {
                EXPECT_EQ(voice->bits, c.codec == Codec::g726Two ? 2 : 4);
            }
            const bool lowRateStep = c.codec == Codec::lowNibble && c.rateField == (c.layout == Layout::singleRest ? 0 : 4000);
            expectChannel(c, voice->first, *c.first, lowRateStep);
            const bool stereo = c.second != nullptr;
            ASSERT_EQ(voice->stereo, stereo);
            if (stereo) expectChannel(c, voice->second, *c.second, false);
        }
    }
}

TEST_F(FamilyTargets, AllTargetsOfOneInputEachInTheirFolder) {
    putAllSources();
    const int targets[] = {cw::targetN503, cw::targetN504, cw::targetN505, cw::targetF503,
                           cw::targetSo504, cw::targetSo505, cw::targetD211, cw::targetD505,
                           cw::targetP505, cw::targetSh252, cw::targetSo505is, cw::targetSa702,
                           cw::targetP903, cw::targetL600, cw::targetN600, cw::targetM702};
    for (int target : targets) enable(target, opt::rate8k, 0.5);
    ASSERT_EQ(cw::runMfiDrivers(context()), 0);
    auto written = outputs();
    std::sort(written.begin(), written.end());
    std::vector<platform::Path> expected;
    for (int target : targets) expected.push_back(out.path() / cw::targetTable[target].key / "bell.mld");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    for (const auto& path : written) {
        std::string error;
        const auto file = readMfi(testing_support::fileBytes(path), error);
        ASSERT_TRUE(file) << path << ": " << error;
        // Volume 0.5: master volume 64 in every one of these forms.
        bool master = false;
        for (const Event& e : file->tracks[0])
            if (e.body.size() == 3 && e.body[0] == 0xFF && e.body[1] == 0xB0) master = e.body[2] == 64;
        EXPECT_TRUE(master) << path;
    }
}
