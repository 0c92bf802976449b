#include "tests/chimewright/mfi/family_fixture.hpp"

#include "tests/support/wav_builder.hpp"

namespace mfi_test {

const TempSource mono8kNormal{"_cwm8tmp.wav", 520, 8000, 20000};
const TempSource mono8kNarrow{"_cwm4tmp.wav", 330, 8000, 20800};
const TempSource mono32k{"_cwm32tmp.wav", 1300, 32000, 48000};

void FamilyDriverTest::putAllSources() {
    putSources();
    for (const TempSource* s : {&mono8kNormal, &mono8kNarrow, &mono32k}) {
        const auto wave = testing_support::sineWave(s->frequency, s->rate, s->samples, 9000);
        testing_support::putFile(work / s->name, testing_support::makeWav({}, wave));
    }
}

} // namespace mfi_test
