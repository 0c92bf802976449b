// Framing of SMAF sequence events in the two encodings: where an event ends and whether a
// gate time follows it. Used for "Mtsq" and "Atsq" sequences and "Mtsu" setup messages.
//
// Handy-phone: FF F0 n + n bytes (exclusive); FF x (two bytes, FF 00 = no operation);
// 00 b v when (b & 0x30) == 0x30 (control), else 00 b; any other byte c is a one-byte note
// of channel c >> 6 followed by a gate time. End of sequence: 00 00 00 00.
// Mobile: 8n k +gate; 9n k v +gate; An k v; Bn c v; Cn p; Dn v; En l m; F0 count + count
// bytes; FF 2F 00 (end of sequence); FF count + count bytes (FF 00 = no operation). A first
// byte 00-7F, or F1-FE, is not an event.
#pragma once

#include "shared/smaf_numbers.hpp"

#include <cstddef>

namespace suite {

struct SmafEventShape {
    std::size_t length = 0; // 0: not an event, or it does not fit the bytes available
    bool hasGate = false;
};

// The event whose first byte is bytes[0] (after its duration).
SmafEventShape smafEventShape(SmafEncoding encoding, const unsigned char* bytes,
                              std::size_t available);

// One sequence entry: duration, event, gate time.
struct SmafSequenceEvent {
    std::size_t length = 0; // bytes consumed; 0 = nothing could be decoded
    int duration = -1;      // -1: the entry has no duration of its own
    std::size_t eventOffset = 0;
    std::size_t eventLength = 0;
    int gateTime = -1; // -1: none
};

// Decodes the entry at the start of `bytes`; everything it reads lies within `available`.
// Fewer than three bytes decode nothing. In the handy-phone encoding four zero bytes are the
// end-of-sequence event and FF F0 n an exclusive message, both without a duration.
SmafSequenceEvent decodeSmafSequenceEvent(SmafEncoding encoding, const unsigned char* bytes,
                                          std::size_t available);

// Channel an event addresses, or -1 when it has none.
int smafEventChannel(SmafEncoding encoding, const unsigned char* event, std::size_t length);

} // namespace suite
