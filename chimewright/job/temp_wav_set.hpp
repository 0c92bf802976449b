// The temporary WAV renders of one job, by what each holds, and the files that hold them.
#pragma once

#include "platform/files.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace cw {

// Every render the reader-converters make for a job.
enum class TempWav { left8k, right8k, left16k, right16k, narrow8k, mono8k, mono16k, mono32k };
inline constexpr std::size_t tempWavCount = 8;

// The file name of a render in the working folder (for mono16k and mono32k, the reader's own).
std::string_view tempWavName(TempWav render);

struct TempWavSet {
    platform::Path workFolder;
    std::array<bool, tempWavCount> made{}; // by TempWav
    // What the 8 kHz reader's own file holds while the writers run: the last 8 kHz render
    // the job made. None: the job made no 8 kHz render, and the file it deleted at its start
    // is missing (or is whatever the working folder had, when the delete failed).
    std::optional<TempWav> latest8k{};
    // The same for the 16 kHz reader's file: the mono render whenever it was made, else the
    // right channel, else none.
    std::optional<TempWav> latest16k{};

    bool has(TempWav render) const { return made[static_cast<std::size_t>(render)]; }
    // The file under the render's own name. The mono 16 kHz render has none but the 16 kHz
    // reader's file, which holds latest16k.
    platform::Path path(TempWav render) const;
    // The 8 kHz reader's own file, holding latest8k.
    platform::Path latest8kPath() const;
};

} // namespace cw
