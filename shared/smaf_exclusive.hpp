// The exclusive messages that the suite recognises in SMAF setup data and sequences, by the
// body bytes that follow the message's length:
//   43 79 06 7F 01 ...    voice definition: bytes 5-8 are bank select MSB, bank select LSB,
//                         program and key; acted on only when byte 13 is 0x78; byte 5 = 0x7D
//                         binds the definition to the key in byte 8
//   43 79 06 7F 03 ...    stream-wave data
//   43 79 06 7F 07 00 F7  (exactly) end of the stream set-up
#pragma once

#include <cstddef>

namespace suite {

struct SmafExclusiveInfo {
    bool isVoice = false;
    bool isStreamWave = false;
    bool isSetupEnd = false;
    // Filled from a voice definition's body (also when byte 13 is not 0x78).
    bool keyBound = false;
    int bankMsb = 0;
    int bankLsb = 0;
    int program = 0;
    int key = 0;
};

SmafExclusiveInfo classifySmafExclusive(const unsigned char* body, std::size_t length);

} // namespace suite
