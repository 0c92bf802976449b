// Reads back an Ogg Vorbis stream held in memory with libvorbis's own decoder, so that the
// tests can check what was written on every platform, Wine included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct DecodedOgg {
    bool valid = false;
    int channels = 0;
    long rate = 0;
    long long samples = 0;              // per channel, as the stream declares it
    std::vector<std::string> comments;  // "tag=value", in stream order, bytes as stored
    std::vector<std::vector<float>> pcm; // per channel, every decoded sample
};

DecodedOgg decodeOgg(const std::string& image);

// Serial number of each page and whether it ends the stream, in file order.
struct OggPageInfo {
    std::uint32_t serial = 0;
    bool endOfStream = false;
    std::size_t bytes = 0; // header and body
};
std::vector<OggPageInfo> oggPages(const std::string& image);

} // namespace testing_support
