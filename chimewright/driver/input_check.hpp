// The first look at an input file: its RIFF header, field by field.
#pragma once

#include "platform/files.hpp"

namespace cw {

// Name of the tarnwick executable in the program folder.
const char* tarnwickFileName();

// 0 for a PCM WAVE file; 1013 for a WAVE file of another format tag (to be decoded first);
// 1004-1018 otherwise. Also probes whether tarnwick is in the program folder (empty: the
// working folder) and deletes the leftover SMAF file of the route that will run.
int checkInputWave(const platform::Path& input, const platform::Path& workFolder,
                   bool& tarnwickAvailable, const platform::Path& programFolder = {});

} // namespace cw
