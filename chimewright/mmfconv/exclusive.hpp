// One exclusive message of a score track's setup data ("Mtsu"). Both encodings are held as
// FF F0 length body: the mobile form (F0, variable-length count, body) gets a 0xFF put in
// front, which write() leaves out again.
#pragma once

#include "chimewright/mmfconv/mmmd_chunk.hpp"

namespace MMFCONV {

class exclusive {
public:
    explicit exclusive(bool mobile);

    // Reads one message from the start of `bytes`; returns the bytes consumed, or 0 when
    // they do not hold a complete message.
    virtual int parse(const unsigned char* bytes, std::size_t length);
    virtual ~exclusive();
    // Appends the message in its own encoding, size() bytes.
    virtual void write(suite::ByteImage& out) const;
    virtual const unsigned char* data() const;
    virtual int size() const;

    bool mobile;
    Bytes bytes; // FF F0 length body
    int payloadLength = 0;
    int totalLength = 0; // of `bytes`
    bool isVoice = false;
    bool isStreamWave = false;
    bool isSetupEnd = false;
    bool keyBound = false;
    int bankMsb = 0;
    int bankLsb = 0;
    int program = 0;
    int key = 0;
};

} // namespace MMFCONV
