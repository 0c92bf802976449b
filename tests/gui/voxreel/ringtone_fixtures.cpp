#include "tests/gui/voxreel/ringtone_fixtures.hpp"

#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/wave_encoder.hpp"
#include "tests/support/wav_builder.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include "platform/text.hpp"

#include <span>
#include <stdexcept>

namespace voxreel_gui_test {

std::string voicedMfi(const std::string& title, const std::string& copyright) {
    using namespace vx_test;
    const Bytes track =
        chunk("trac", bytes({0, 0xFF, 0xC3, 0x7D}) +
                          exclusive(0, bytes({0x21, 0x83, 0, 0x45, 0}) + repeated(0x35, 2000)) +
                          bytes({0, 0xFF, 0xDF, 0}));
    const Bytes file = mfiFile(
        mfiInfo("0300", platform::utf8ToCp932(title), platform::utf8ToCp932(copyright)), {track});
    return std::string(file.begin(), file.end());
}

std::string tarnwickSmaf(const std::string& title, const std::string& copyright) {
    testing_support::WavSpec layout;
    const std::string wav =
        testing_support::makeWav(layout, testing_support::sineWave(660, 8000, 4000, 8000));
    const std::span<const unsigned char> image(reinterpret_cast<const unsigned char*>(wav.data()),
                                               wav.size());
    tarnwick::WaveInfo info;
    if (tarnwick::checkWave(image, info) < 0) throw std::runtime_error("tarnwick refused the WAV");
    tarnwick::ContentsInfo contents;
    contents.title = platform::utf8ToCp932(title);
    contents.copyright = platform::utf8ToCp932(copyright);
    const auto file = tarnwick::writeAudioSmaf(contents, image, info, tarnwick::rateMode8k);
    return std::string(file.begin(), file.end());
}

} // namespace voxreel_gui_test
