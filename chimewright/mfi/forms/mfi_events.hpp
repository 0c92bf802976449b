// Track events of an MFi file: a delta time (ticks since the previous event), a status byte
// and the event's bytes.
#pragma once

#include "shared/byte_image.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace cw {

// dt FF code value
void putMetaEvent(suite::ByteImage& image, unsigned char dt, unsigned char code,
                  unsigned char value);

// 00 FF Cx tt
void putTempo(suite::ByteImage& image, suite::mfi::Tempo tempo);
// 00 FF B0 vv
void putMasterVolume(suite::ByteImage& image, unsigned char volume127);
// 00 FF D0 00 / 00 FF D0 01
void putSoundMarker(suite::ByteImage& image, unsigned char startOrEnd);
// 00 FF DD 00 / 00 FF DD 01
void putLoopMarker(suite::ByteImage& image, unsigned char startOrEnd);
// 00 FF DF 00
void putEndOfTrack(suite::ByteImage& image);

// dt FF FF nn nn: the head of an extended record of `length` data bytes, which follow.
void putExtendedRecordHead(suite::ByteImage& image, unsigned char dt, std::size_t length);
// dt FF FF nn nn + data
void putExtendedRecord(suite::ByteImage& image, unsigned char dt,
                       std::initializer_list<unsigned char> data);

// Rests of 254 ticks (FE FF DE 00) while more than 254 remain, then one with the rest
// (1-254 ticks); nothing for 0.
void putRestsOf254(suite::ByteImage& image, std::uint32_t ticks);
// Rests of min(remaining, 255) ticks until the count is used up; nothing for 0.
void putRestsOf255(suite::ByteImage& image, std::uint32_t ticks);
// Long waits (dt = low byte, FF DC, high byte) of at most 65535 ticks each until the count is
// used up; one wait of 0 ticks for 0.
void putWait(suite::ByteImage& image, std::uint32_t ticks);

// The volume setting (1.0 = full) as the 0-127 master volume and the 0-63 voice volume,
// rounded half up; settings outside 0-1 are taken as the nearest end.
unsigned char volume127(double volume);
unsigned char volume63(double volume);

} // namespace cw
