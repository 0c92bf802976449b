// Track events of an MFi file: a delta time (ticks since the previous event), a status byte
// and the event's bytes.
#pragma once

#include "chimewright/mfi/mfi_image.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace cw {

// dt FF code value
void putMetaEvent(MfiImage& image, unsigned char dt, unsigned char code, unsigned char value);

// 00 FF Cx tt
void putTempo(MfiImage& image, suite::mfi::Tempo tempo);
// 00 FF B0 vv
void putMasterVolume(MfiImage& image, unsigned char volume127);
// 00 FF D0 00 / 00 FF D0 01
void putSoundMarker(MfiImage& image, unsigned char startOrEnd);
// 00 FF DD 00 / 00 FF DD 01
void putLoopMarker(MfiImage& image, unsigned char startOrEnd);
// 00 FF DF 00
void putEndOfTrack(MfiImage& image);

// dt FF FF nn nn: the head of an extended record of `length` data bytes, which follow.
void putExtendedRecordHead(MfiImage& image, unsigned char dt, std::size_t length);
// dt FF FF nn nn + data
void putExtendedRecord(MfiImage& image, unsigned char dt, std::initializer_list<unsigned char> data);

// Rests of 254 ticks (FE FF DE 00) while more than 254 remain, then one with the rest
// (1-254 ticks); nothing for 0.
void putRestsOf254(MfiImage& image, std::uint32_t ticks);
// Rests of min(remaining, 255) ticks until the count is used up; nothing for 0.
void putRestsOf255(MfiImage& image, std::uint32_t ticks);
// Long waits (dt = low byte, FF DC, high byte) of at most 65535 ticks each until the count is
// used up; one wait of 0 ticks for 0.
void putWait(MfiImage& image, std::uint32_t ticks);

// The volume setting (1.0 = full) as the 0-127 master volume and the 0-63 voice volume,
// rounded half up; settings outside 0-1 are taken as the nearest end.
unsigned char volume127(double volume);
unsigned char volume63(double volume);

} // namespace cw
