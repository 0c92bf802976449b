// What the player takes from a SMAF file: no model, only the title and copyright texts, the
// sampling rate and the one ADPCM stream it plays.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace voxreel {

struct SmafVoice {
    std::string title;     // at most 255 bytes
    std::string copyright; // at most 255 bytes
    int rate = 8000;
    bool found = false;    // an audio stream was found
    std::size_t audioOffset = 0;
    std::size_t audioLength = 0;
    bool fromScoreTrack = false; // the stream came from an "Mtsp" of a score track
};

// Reads texts, rate and stream from a file image that starts with "MMMD". Every read lies
// inside `buffer`.
SmafVoice findSmafVoice(std::span<const unsigned char> buffer);

// The value of a contents-info tag ("ST:", "CR:") that starts at `begin`: up to the first
// comma that is not escaped, at most 255 bytes, never past `end`; backslash escapes are
// undone, and a code-page-932 lead byte takes the byte after it along unchanged.
std::string smafTagValue(std::span<const unsigned char> buffer, std::size_t begin,
                         std::size_t end);

} // namespace voxreel
