// The MFi (".mld") byte layout: the identifiers, event codes and record codes that the
// writers of chimewright produce and the player's parser reads. All multi-byte numbers in an
// MFi file are big-endian (shared/byte_order.hpp).
//
// A file: "melo", file length − 8 (4), information length (2, counted from offset 10), two
// data-type bytes, the track count, the information chunks (id, 2-byte length, data), then
// data chunks ("adat", "trac": id, 4-byte length, data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace suite::mfi {

// Chunk identifiers.
constexpr std::string_view fileId = "melo";
constexpr std::string_view sourceId = "sorc";
constexpr std::string_view titleId = "titl";
constexpr std::string_view versionId = "vers";
constexpr std::string_view noteId = "note";
constexpr std::string_view extendedStatusId = "exst";
constexpr std::string_view copyrightId = "copy";
constexpr std::string_view audioInfoId = "ainf";
constexpr std::string_view audioDataId = "adat";
constexpr std::string_view trackId = "trac";

// Offsets and sizes of the fixed header.
constexpr std::size_t fileLengthOffset = 4;      // file length − 8
constexpr std::size_t infoLengthOffset = 8;      // bytes from offset 10 to the last info chunk's end
constexpr std::size_t infoCountedFrom = 10;
constexpr std::size_t dataTypeOffset = 10;       // two data-type bytes, then the track count
constexpr std::size_t trackCountOffset = 12;
constexpr std::size_t fixedHeaderSize = 13;
constexpr std::size_t infoChunkHeaderSize = 6;   // id and 2-byte length
constexpr std::size_t dataChunkHeaderSize = 8;   // id and 4-byte length

// The largest file a reader accepts.
constexpr std::uint32_t maxFileBytes = 1048576;

// Title and copyright: bytes at or above 0x20, at most this many.
constexpr std::size_t maxInfoTextBytes = 64;

// Versions.
constexpr std::string_view version0200 = "0200";
constexpr std::string_view version0300 = "0300";
constexpr std::string_view version0301 = "0301";
constexpr std::string_view version0400 = "0400";
constexpr std::string_view version0500 = "0500";

// Versions "0400" and "0500" carry "exst" and "ainf" and one "adat" chunk.
constexpr bool hasExtendedInfo(std::string_view version) {
    return version == version0400 || version == version0500;
}

// Track events: delta time, then a status byte. Status 0xFF starts a meta event whose next
// byte says which; 0x7F starts the set-up and play events of the "adat" form.
constexpr unsigned char metaStatus = 0xFF;
constexpr unsigned char adatStatus = 0x7F;

constexpr unsigned char masterVolume = 0xB0;    // dt FF B0 vv
constexpr unsigned char soundMarker = 0xD0;     // dt FF D0 00 start, dt FF D0 01 end
constexpr unsigned char longWait = 0xDC;        // dt FF DC hh: dt low byte, hh high byte of ticks
constexpr unsigned char loopMarker = 0xDD;      // dt FF DD 00 loop start, dt FF DD 01 loop end
constexpr unsigned char rest = 0xDE;            // dt FF DE 00
constexpr unsigned char endOfTrack = 0xDF;      // dt FF DF 00
constexpr unsigned char extendedRecord = 0xFF;  // dt FF FF nn nn data
constexpr unsigned char markerStart = 0x00;
constexpr unsigned char markerEnd = 0x01;

constexpr unsigned maxDeltaTicks = 255;
constexpr unsigned maxWaitTicks = 65535;

// Tempo events dt FF Cx tt and the tick each gives.
struct Tempo {
    unsigned char code;
    unsigned char value;
};
constexpr Tempo tempo50ms{0xC2, 0x32};
constexpr Tempo tempo10ms{0xC3, 0x7D};
constexpr Tempo tempo8_333ms{0xC3, 0x96}; // 1000/120 ms
constexpr Tempo tempo5ms{0xCB, 0x64};

// Vendor bytes: the first data byte of an extended voice record names the handset family.
constexpr unsigned char vendor11 = 0x11;
constexpr unsigned char vendor21 = 0x21;
constexpr unsigned char vendor31 = 0x31;
constexpr unsigned char vendor41 = 0x41;
constexpr unsigned char vendor61 = 0x61;
constexpr unsigned char vendor71 = 0x71;

// Second byte of an extended voice record.
constexpr unsigned char recordPanAlt = 0x80;       // V 80 pp ("0301" block and stereo four-track)
constexpr unsigned char recordVolume = 0x81;       // V 81 vv (vv 0-63, +0x40 second channel)
constexpr unsigned char recordPan = 0x82;          // V 82 pp
constexpr unsigned char recordInlineVoice = 0x83;  // V 83 00 s 00 + ADPCM
constexpr unsigned char recordFourTrackBlock = 0x84;
constexpr unsigned char recordVoiceBlock = 0x86;   // V 86 c r m + ADPCM; V 86 c (r+0x80) 00 plays
constexpr unsigned char recordImaBlock = 0x88;
constexpr unsigned char recordChannelTable = 0x8F;

constexpr unsigned char secondChannelVolumeFlag = 0x40;

// Channel bytes of block records.
constexpr unsigned char firstChannel = 0x00;
constexpr unsigned char secondChannel = 0x41;

// Pan values.
constexpr unsigned char panCentre = 0x20;
constexpr unsigned char panLeft = 0x00;
constexpr unsigned char panRight = 0x7F;

// Rate codes of the V 86 blocks; + playFlag makes the play record.
constexpr unsigned char blockRate4000 = 4;
constexpr unsigned char blockRate8000 = 5;
constexpr unsigned char blockRateOther = 6;
constexpr unsigned char playFlag = 0x80;

// The s byte of the inline voice record.
constexpr unsigned char inlineRate4000 = 0x44;
constexpr unsigned char inlineRateOther = 0x45;

// Bytes in a voice record before the ADPCM bytes (counted by its 16-bit length).
constexpr std::size_t inlineRecordPrefix = 5;
constexpr std::size_t blockRecordPrefix = 5;

// ADPCM bytes per V 86 block, and blocks per channel.
constexpr std::size_t maxStepBlockBytes = 48000;
constexpr std::size_t maxBlocksPerChannel = 32;

// "adat" chunk data: sub-header length 11, codec byte and 0, "adpm", 3, rate in kHz, bits per
// code word, channel layout, then the ADPCM bytes.
constexpr std::uint16_t adatSubHeaderLength = 11;
constexpr std::string_view adatFormatId = "adpm";
constexpr std::uint16_t adatFormatFieldCount = 3;
constexpr std::size_t adatHeaderSize = 13;
constexpr unsigned char adatCodecStep = 0x80;
constexpr unsigned char adatCodecG726 = 0x81;
constexpr unsigned char adatCodecIma = 0x83;
constexpr unsigned char adatMono = 1;
constexpr unsigned char adatStereoSplit = 2;        // left stream, then right stream
constexpr unsigned char adatStereoInterleaved = 10; // step ADPCM, nibble by nibble

// The set-up and play events of the "adat" form, each after a delta time of 0.
constexpr unsigned char adatSetupVolume[] = {0x7F, 0x80, 0x3F};
constexpr unsigned char adatSetupPan[] = {0x7F, 0x81, 0x20};
constexpr unsigned char adatPlay[] = {0x7F, 0x00, 0x00, 0x3F};

// "ainf" data of every "0400"/"0500" file except the G.726 "0400" one.
constexpr unsigned char defaultAudioInfo[] = {0x01, 0x00};

} // namespace suite::mfi
