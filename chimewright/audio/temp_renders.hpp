// Several temporary WAV files of one source in one go. The file is read and checked once;
// renders that band-limit the same samples (the same channel choice at the same transform
// size) share one decoding and one forward transform, and each then needs only its own mask,
// inverse transform, resampling and level stage. Every file holds the bytes that the
// reader-converter of its rate would write for it alone.
#pragma once

#include "platform/files.hpp"
#include "shared/band_filter.hpp"

#include <string>
#include <vector>

namespace cw {

struct TempRender {
    unsigned rate = 8000;     // target rate: 8000, 16000 or 32000
    suite::BandEdges edges{}; // high-pass and low-pass edges
    int channelMode = 0;      // ChannelMode
    // Files in the working folder that receive the result: the reader's own file first (its
    // failure is 3014), then copies under role names (their failures do not count, as with
    // an unchecked copy).
    std::vector<std::string> names;
};

// The renders of the three reader-converters, writing their own file only.
TempRender render8k(int narrow, int channelMode);
TempRender render16k(int channelMode);
TempRender render32k();

// The same result and the same files as running the reader-converters one after another in
// the order of the list, each followed by its copies: the first failure ends it (3001-3009
// before anything is written), and the files of the renders before the failing one are
// written. Results: 0, or 3001-3014.
int renderTempFiles(const platform::Path& source, double level,
                    const std::vector<TempRender>& renders, const platform::Path& workFolder);

} // namespace cw
