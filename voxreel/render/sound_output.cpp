#include "voxreel/render/sound_output.hpp"

#include "platform/wav_player.hpp"

namespace voxreel {

void SystemSoundOutput::play(const platform::Path& file) { platform::startWavPlayback(file); }

void SystemSoundOutput::stop() { platform::stopWavPlayback(); }

} // namespace voxreel
