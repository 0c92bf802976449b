// Runs the ffmpeg command-line tool for the cross-check tests. Tests call skipUnlessFfmpeg()
// first: without the tool (as under Wine) they are skipped with the reason.
#pragma once

#include <string>

namespace codec_test {

bool ffmpegAvailable();

// Runs ffmpeg quietly with the given arguments (paths already quoted as needed); true when
// it exits with status 0.
bool runFfmpeg(const std::string& arguments);

// Quotes a path for the command line.
std::string quoted(const std::string& path);

} // namespace codec_test

#define SKIP_UNLESS_FFMPEG()                                                                      \
    do {                                                                                          \
        if (!codec_test::ffmpegAvailable()) GTEST_SKIP() << "ffmpeg is not installed";           \
    } while (false)
