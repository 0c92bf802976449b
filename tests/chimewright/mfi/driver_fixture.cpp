#include "tests/chimewright/mfi/driver_fixture.hpp"

#include "tests/support/wav_builder.hpp"

#include <filesystem>

namespace mfi_test {

const TempSource mono8k{"_cwmtmp.wav", 440, 8000, 24000};
const TempSource mono16k{"_cwsmtmp.wav", 700, 16000, 32000};
const TempSource left8k{"_cwmltmp.wav", 600, 8000, 24000};
const TempSource right8k{"_cwmrtmp.wav", 900, 8000, 22400};
const TempSource left16k{"_cwhltmp.wav", 500, 16000, 32000};
const TempSource right16k{"_cwhrtmp.wav", 1100, 16000, 30400};

std::vector<std::int16_t> sourceSamples(const TempSource& source) {
    const auto wave = testing_support::sineWave(source.frequency, source.rate, source.samples, 9000);
    return std::vector<std::int16_t>(wave.begin(), wave.end());
}

void StepDriverTest::putSources() {
    for (const TempSource* s : {&mono8k, &mono16k, &left8k, &right8k, &left16k, &right16k}) {
        const auto wave = testing_support::sineWave(s->frequency, s->rate, s->samples, 9000);
        testing_support::putFile(work / s->name, testing_support::makeWav({}, wave));
    }
}

void StepDriverTest::enable(int target, std::uint32_t flags, double volume) {
    const auto index = static_cast<std::size_t>(target);
    settings[index] = cw::makeTargetBlock(flags | cw::option::create, volume,
                                          cw::targetTable[index].largeBudget, 0);
    settings[index].outputPath = outputOf(target);
}

platform::Path StepDriverTest::outputOf(int target) const {
    return cw::targetOutputPath(out.path(), target, "bell");
}

cw::MfiDriverContext StepDriverTest::context() const {
    return cw::MfiDriverContext{settings, cw::TempWavSet{work.path()}, texts, extraSilenceMs, options};
}

std::vector<platform::Path> StepDriverTest::outputs() const {
    std::vector<platform::Path> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out.path()))
        if (entry.is_regular_file()) found.push_back(entry.path());
    return found;
}

} // namespace mfi_test
