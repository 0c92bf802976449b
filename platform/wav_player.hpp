// Playing a WAV file through the system's sound service. Windows: the multimedia system's
// sndPlaySound. Linux: the first sound-server or ALSA command found ("pw-play", "paplay",
// "aplay"). Having no sound device is an ordinary outcome, not an error.
#pragma once

#include "platform/files.hpp"

namespace platform {

// Starts the file playing in the background, replacing whatever plays. False when nothing
// could be started.
bool startWavPlayback(const Path& file);

// Stops background playback; does nothing when none runs.
void stopWavPlayback();

enum class PlaybackResult {
    played,
    noSoundOutput, // no player, no device, or the file could not be played
};

// Plays the file and returns when it has finished.
PlaybackResult playWavToEnd(const Path& file);

} // namespace platform
