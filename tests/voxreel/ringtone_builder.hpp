// Builds MFi and SMAF file images for the player's tests, with their length fields filled in.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace vx_test {

using Bytes = std::vector<unsigned char>;

Bytes bytes(std::initializer_list<int> values);
Bytes text(const std::string& characters);
Bytes operator+(Bytes a, const Bytes& b);
Bytes repeated(unsigned char value, std::size_t count);

// MFi information sub-chunk: id, 16-bit length, data.
Bytes infoChunk(const std::string& id, const Bytes& data);
// Data chunk ("trac", "adat"; SMAF chunks too): id, 32-bit length, body.
Bytes chunk(const std::string& id, const Bytes& body);
// An exclusive event: delta, FF FF, 16-bit length, the record.
Bytes exclusive(int delta, const Bytes& record);
// "adat" chunk body: sub-header, format code, rate in kHz, bits, channel layout, voice bytes.
Bytes adatBody(int formatCode, int rateKHz, int bits, int layout, const Bytes& voice);

// A whole MFi file: header (type bytes 1 1, track count), the information chunks, then the
// data chunks in order.
Bytes mfiFile(const Bytes& infoChunks, const std::vector<Bytes>& dataChunks);
// The usual information: "vers" with the given version, and a title when not empty.
Bytes mfiInfo(const std::string& version, const std::string& title = "",
              const std::string& copyright = "");

// A whole SMAF file: "MMMD", size, the chunks, and the check code.
Bytes smafFile(const std::vector<Bytes>& chunks);

std::span<const unsigned char> view(const std::string& bytes);

} // namespace vx_test
