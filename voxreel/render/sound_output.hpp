// Where the renderer sends its finished file: the system's sound service, or, for a console
// run that plays later or not at all, nowhere.
#pragma once

#include "platform/files.hpp"

namespace voxreel {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing the file in the background.
    virtual void play(const platform::Path& file) = 0;
    virtual void stop() = 0;
};

// Plays through the platform (platform/wav_player.hpp).
class SystemSoundOutput : public SoundOutput {
public:
    void play(const platform::Path& file) override;
    void stop() override;
};

// Keeps quiet; remembers the last file it was asked to play.
class SilentSoundOutput : public SoundOutput {
public:
    void play(const platform::Path& file) override { lastFile_ = file; }
    void stop() override {}
    const platform::Path& lastFile() const { return lastFile_; }

private:
    platform::Path lastFile_;
};

} // namespace voxreel
