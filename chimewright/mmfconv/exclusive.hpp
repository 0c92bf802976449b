// One exclusive message of a score track's setup data ("Mtsu"). Both encodings are held as
// FF F0 length body: the mobile form (F0, variable-length count, body) gets a 0xFF put in
// front, which write() leaves out again.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"
#include "shared/smaf_exclusive.hpp"

namespace cw::smaf {

class Exclusive {
  public:
    explicit Exclusive(bool mobile);

    // Reads one message from the start of `bytes`; returns the bytes consumed, or 0 when
    // they do not hold a complete message.
    std::size_t parse(std::span<const unsigned char> bytes);
    // Appends the message in its own encoding, size() bytes.
    void write(suite::ByteImage& out) const;
    std::size_t size() const;

    bool isMobile() const { return mobile_; }
    // What the message's body is, by the suite's recognised messages.
    const suite::SmafExclusiveInfo& info() const { return info_; }

  private:
    bool mobile_;
    Bytes bytes_; // FF F0 length body
    suite::SmafExclusiveInfo info_;
};

} // namespace cw::smaf
