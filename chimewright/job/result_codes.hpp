// Every result code a conversion can end with, by name, each with the message the result
// column shows for it. The driver, the readers and the MFi writers return these; the result
// messages are looked up here. It sits in driver/ because everything that returns a code
// already builds on driver/, and it includes nothing of chimewright's own.
#pragma once

#include "platform/audio_decode.hpp"

namespace cw {

// The messages of the result column (their texts are in app/result_messages.cpp). `none`: the
// code has no message of its own and shows as "(%d):Error".
enum class ResultMessage {
    writeFailed,
    converterNotFound,
    cannotOpen,
    readFailed,
    unsupportedFormat,
    converterNotStarted,
    plainError,
    outputNotCreated,
    tempNotOpened,
    tempNotRead,
    formatNotSupported,
    outOfMemory,
    titleTooLong,
    formatError,
    none,
};

// A code and its message; it stands wherever a code (an int) is returned or compared.
struct ResultCode {
    int code;
    ResultMessage message;
    constexpr operator int() const { return code; }
};

namespace result {

using enum ResultMessage;

// The job: no SMAF route can run (tarnwick is missing); prepareJob reports it as success.
inline constexpr ResultCode noSmafConverter{1, none};

// The input check (checkInputWave).
inline constexpr ResultCode leftoverNotDeleted{1004, writeFailed}; // an old SMAF file stays
inline constexpr ResultCode inputNotOpened{1005, cannotOpen};      // the input cannot be opened
inline constexpr ResultCode riffTagNotRead{1006, readFailed};      // header bytes 0-3
inline constexpr ResultCode notRiff{1007, unsupportedFormat};      // not a RIFF file: decoded
inline constexpr ResultCode riffSizeNotRead{1008, readFailed};     // header bytes 4-7
inline constexpr ResultCode waveTagNotRead{1009, readFailed};      // header bytes 8-15
inline constexpr ResultCode notWaveFmt{1010, unsupportedFormat};   // no "WAVEfmt " at byte 8
inline constexpr ResultCode fmtSizeNotRead{1011, readFailed};      // header bytes 16-19
inline constexpr ResultCode formatTagNotRead{1012, readFailed};    // header bytes 20-21
inline constexpr ResultCode compressedWave{1013, unsupportedFormat}; // not PCM: decoded first
inline constexpr ResultCode channelsNotRead{1014, readFailed};     // header bytes 22-23
inline constexpr ResultCode rateNotRead{1015, readFailed};         // header bytes 24-27
inline constexpr ResultCode byteRateNotRead{1016, readFailed};     // header bytes 28-31
inline constexpr ResultCode blockAlignNotRead{1017, readFailed};   // header bytes 32-33
inline constexpr ResultCode bitsNotRead{1018, readFailed};         // header bytes 34-35

// Copies of temporary files to the outputs (copyTempFile).
inline constexpr ResultCode outputFileNotCreated{1024, outputNotCreated}; // or its folder
inline constexpr ResultCode tempFileNotOpened{1025, outputNotCreated};    // the copy's source

// The SMAF file chimewright builds itself from the 16 kHz file.
inline constexpr ResultCode smafNotWritten{1025, outputNotCreated}; // not built, or not written
inline constexpr ResultCode smafNoSamples{1050, none};              // the 16 kHz file is empty

// tarnwick, run for the other SMAF routes.
inline constexpr ResultCode tarnwickNotStarted{1019, converterNotStarted};
inline constexpr ResultCode tarnwickNotIdle{1020, plainError};  // not idle for input in time
inline constexpr ResultCode tarnwickNoWindow{1021, plainError}; // shows no main window
inline constexpr ResultCode tarnwickNoPower{1022, plainError};  // message dialog lacks Power
inline constexpr ResultCode tarnwickNotEnded{1023, plainError}; // still runs: terminated
inline constexpr ResultCode tarnwickNoStatus{1032, none};       // exit status unreadable
inline constexpr ResultCode tarnwickEndedAtOnce{1033, none};    // another tarnwick runs
inline constexpr ResultCode tarnwickNoMessage{1035, none};      // no message dialog
inline constexpr ResultCode tarnwickNoTitleDialog{1036, none};  // no title dialog

// The decoding of compressed or other sound files into "_cwwtmp.wav"; the decoders' own
// numbers are in platform/audio_decode.hpp.
inline constexpr ResultCode inputNotCopied{2001, writeFailed}; // to the working folder
inline constexpr ResultCode pcmNotCreated{2012, writeFailed};  // the decoded WAV file
inline constexpr ResultCode pcmNotWritten{2013, writeFailed};  // not written whole
inline constexpr ResultCode decodeBadFormat{platform::decodeBadFormat, formatNotSupported};
inline constexpr ResultCode decodeOutOfMemory{platform::decodeOutOfMemory, outOfMemory};
inline constexpr ResultCode decodeReadError{platform::decodeReadError, readFailed};
inline constexpr ResultCode decodeOpenError{platform::decodeOpenError, readFailed};
inline constexpr ResultCode decodeNoHandler{platform::decodeNoHandler, readFailed};
inline constexpr ResultCode decodeOpenFailed{platform::decodeOpenFailed, readFailed};
inline constexpr ResultCode decodeNoFileInfo{platform::decodeNoFileInfo, readFailed};
inline constexpr ResultCode decodeNoAudioStream{platform::decodeNoAudioStream, readFailed};
inline constexpr ResultCode decodeNoFormat{platform::decodeNoFormat, readFailed};
inline constexpr ResultCode decodeFailed{platform::decodeFailed, writeFailed}; // = pcmNotWritten
inline constexpr ResultCode decodeFormatMemory{platform::decodeFormatMemory, outOfMemory};
inline constexpr ResultCode decodeTargetMemory{platform::decodeTargetMemory, outOfMemory};
inline constexpr ResultCode decodeNoCodec{platform::decodeNoCodec, formatNotSupported};
inline constexpr ResultCode notASoundFile{platform::decodeNotASoundFile, unsupportedFormat};

// The readers that render the temporary WAV files.
inline constexpr ResultCode sourceNotOpened{3001, readFailed};
inline constexpr ResultCode sourceSizeUnknown{3002, readFailed};
inline constexpr ResultCode sourceNoMemory{3003, outOfMemory}; // for the file's image
inline constexpr ResultCode sourceNotRead{3005, readFailed};
inline constexpr ResultCode sourceNotRiff{3006, plainError};
inline constexpr ResultCode sourceNotWaveFmt{3007, plainError}; // no "WAVEfmt " at byte 8
inline constexpr ResultCode sourceNotPcm{3008, plainError};     // or a width not decoded
inline constexpr ResultCode sourceNoData{3009, plainError};     // none, or past the file's end
inline constexpr ResultCode workNoMemory{3010, outOfMemory};    // the transform's buffers
inline constexpr ResultCode samplesNoMemory{3012, outOfMemory}; // the output samples
inline constexpr ResultCode tempNotWritten{3014, writeFailed};  // or no samples to write

// The cut of the 8 kHz file to the SMAF budget (trimWavForBudget).
inline constexpr ResultCode trimSourceNotOpened{8000, plainError};
inline constexpr ResultCode trimSourceNotRead{8001, plainError};
inline constexpr ResultCode trimSourceNoData{8002, plainError}; // not a temporary WAV file
inline constexpr ResultCode trimNotWritten{8003, plainError};

// MFi, low-nibble step ADPCM: n503, n504, n505, f503, so504, so505.
inline constexpr ResultCode lowNibble0200CreateFailed{9201, none}; // the "0200" files
inline constexpr ResultCode lowNibble0200TooLarge{9202, none};
inline constexpr ResultCode lowNibble0300CreateFailed{9204, none}; // the "0300" files
inline constexpr ResultCode lowNibble0300TooLarge{9205, none};
inline constexpr ResultCode lowNibbleOpenFailed{9206, none}; // a temporary file

// MFi, step ADPCM of vendor 0x41: p211, p900, sa700.
inline constexpr ResultCode vendor41OpenFailed{6000, cannotOpen}; // a temporary file
inline constexpr ResultCode vendor41CreateFailed{6001, outputNotCreated};
inline constexpr ResultCode vendor41TooLarge{6002, titleTooLong}; // or the header does not fit

// MFi, step ADPCM of vendor 0x21: f504, f505.
inline constexpr ResultCode vendor21OpenFailed{9000, cannotOpen};
inline constexpr ResultCode vendor21CreateFailed{9001, outputNotCreated};
inline constexpr ResultCode vendor21TooLarge{9002, titleTooLong};

// MFi, step ADPCM of vendor 0x71: sh251, sh505.
inline constexpr ResultCode vendor71OpenFailed{9100, cannotOpen};
inline constexpr ResultCode vendor71InlineCreateFailed{9101, outputNotCreated};
inline constexpr ResultCode vendor71BlockCreateFailed{9104, outputNotCreated};
inline constexpr ResultCode vendor71TooLarge{9102, titleTooLong};

// MFi, G.726: one create code per target.
inline constexpr ResultCode g726OpenFailed{7003, cannotOpen}; // a temporary file
inline constexpr ResultCode g726TooLarge{7002, titleTooLong}; // the inline file, or its header
inline constexpr ResultCode d211CreateFailed{7001, outputNotCreated};
inline constexpr ResultCode d505CreateFailed{7004, outputNotCreated};
inline constexpr ResultCode p505CreateFailed{6003, outputNotCreated};
inline constexpr ResultCode sh252CreateFailed{9107, outputNotCreated};
inline constexpr ResultCode so505isCreateFailed{9209, none};
inline constexpr ResultCode sa702CreateFailed{9210, none};
inline constexpr ResultCode p903CreateFailed{9211, none};

// MFi, IMA ADPCM: an open and a create code per target.
inline constexpr ResultCode l600OpenFailed{9300, cannotOpen};
inline constexpr ResultCode l600CreateFailed{9301, outputNotCreated};
inline constexpr ResultCode n600OpenFailed{9302, cannotOpen};
inline constexpr ResultCode n600CreateFailed{9303, outputNotCreated};
inline constexpr ResultCode m702OpenFailed{9304, cannotOpen};
inline constexpr ResultCode m702CreateFailed{9305, outputNotCreated};

// The Android (Ogg Vorbis) file; its numbers are those of the G.726 driver.
inline constexpr ResultCode androidFileError{7003, cannotOpen}; // a temp not read, or no write
inline constexpr ResultCode androidNotEncoded{7004, outputNotCreated}; // no file is written

// The QCP step has no code: whatever its converter does, the result stays as it was.

// Codes no step returns any more; they keep the messages the result column always showed
// for them (a list exported earlier may hold them).
namespace kept {
inline constexpr ResultCode writeFailed1001{1001, writeFailed};
inline constexpr ResultCode converterNotFound1002{1002, converterNotFound};
inline constexpr ResultCode writeFailed1003{1003, writeFailed};
inline constexpr ResultCode tempNotOpened1026{1026, tempNotOpened};
inline constexpr ResultCode tempNotRead1027{1027, tempNotRead};
inline constexpr ResultCode decodeError2000{2000, plainError};
inline constexpr ResultCode decodeReadFailed2011{2011, readFailed};
inline constexpr ResultCode readerError3000{3000, plainError};
inline constexpr ResultCode sourceNotLocked{3004, outOfMemory};  // the file image's memory
inline constexpr ResultCode workNotLocked{3011, outOfMemory};    // the work buffer's memory
inline constexpr ResultCode samplesNotLocked{3013, outOfMemory}; // the output samples' memory
inline constexpr ResultCode error4000{4000, plainError};
inline constexpr ResultCode readFailed4001{4001, readFailed};
inline constexpr ResultCode readFailed4002{4002, readFailed};
inline constexpr ResultCode outOfMemory4003{4003, outOfMemory};
inline constexpr ResultCode outOfMemory4004{4004, outOfMemory};
inline constexpr ResultCode readFailed4005{4005, readFailed};
inline constexpr ResultCode outOfMemory4006{4006, outOfMemory};
inline constexpr ResultCode outOfMemory4007{4007, outOfMemory};
inline constexpr ResultCode readFailed4008{4008, readFailed};
inline constexpr ResultCode readFailed4009{4009, readFailed};
inline constexpr ResultCode readFailed4010{4010, readFailed};
inline constexpr ResultCode readFailed4011{4011, readFailed};
inline constexpr ResultCode writeFailed4012{4012, writeFailed};
inline constexpr ResultCode writeFailed4013{4013, writeFailed};
inline constexpr ResultCode titleTooLong4014{4014, titleTooLong};
inline constexpr ResultCode writeFailed4015{4015, writeFailed};
inline constexpr ResultCode cannotOpen5000{5000, cannotOpen};
inline constexpr ResultCode formatError5001{5001, formatError};
inline constexpr ResultCode formatError5002{5002, formatError};
inline constexpr ResultCode outputNotCreated5003{5003, outputNotCreated};
inline constexpr ResultCode cannotOpen7000{7000, cannotOpen};
inline constexpr ResultCode titleTooLong7005{7005, titleTooLong};
inline constexpr ResultCode cannotOpen7006{7006, cannotOpen};
inline constexpr ResultCode outputNotCreated7007{7007, outputNotCreated};
inline constexpr ResultCode titleTooLong7008{7008, titleTooLong};
inline constexpr ResultCode titleTooLong9105{9105, titleTooLong};
inline constexpr ResultCode cannotOpen9106{9106, cannotOpen};
inline constexpr ResultCode titleTooLong9108{9108, titleTooLong};
} // namespace kept

} // namespace result

// Every code above, in their groups: the result messages are looked up here. A number that
// two steps share is listed under both names, with the same message.
inline constexpr ResultCode resultCodes[] = {
    result::noSmafConverter,
    // input check
    result::leftoverNotDeleted, result::inputNotOpened, result::riffTagNotRead, result::notRiff,
    result::riffSizeNotRead, result::waveTagNotRead, result::notWaveFmt, result::fmtSizeNotRead,
    result::formatTagNotRead, result::compressedWave, result::channelsNotRead,
    result::rateNotRead, result::byteRateNotRead, result::blockAlignNotRead,
    result::bitsNotRead,
    // temporary copies and the SMAF file built here
    result::outputFileNotCreated, result::tempFileNotOpened, result::smafNotWritten,
    result::smafNoSamples,
    // tarnwick
    result::tarnwickNotStarted, result::tarnwickNotIdle, result::tarnwickNoWindow,
    result::tarnwickNoPower, result::tarnwickNotEnded, result::tarnwickNoStatus,
    result::tarnwickEndedAtOnce, result::tarnwickNoMessage, result::tarnwickNoTitleDialog,
    // decoding
    result::inputNotCopied, result::pcmNotCreated, result::pcmNotWritten,
    result::decodeBadFormat, result::decodeOutOfMemory, result::decodeReadError,
    result::decodeOpenError, result::decodeNoHandler, result::decodeOpenFailed,
    result::decodeNoFileInfo, result::decodeNoAudioStream, result::decodeNoFormat,
    result::decodeFailed, result::decodeFormatMemory, result::decodeTargetMemory,
    result::decodeNoCodec, result::notASoundFile,
    // readers and the budget cut
    result::sourceNotOpened, result::sourceSizeUnknown, result::sourceNoMemory,
    result::sourceNotRead, result::sourceNotRiff, result::sourceNotWaveFmt,
    result::sourceNotPcm, result::sourceNoData, result::workNoMemory, result::samplesNoMemory,
    result::tempNotWritten, result::trimSourceNotOpened, result::trimSourceNotRead,
    result::trimSourceNoData, result::trimNotWritten,
    // MFi writers
    result::lowNibble0200CreateFailed, result::lowNibble0200TooLarge,
    result::lowNibble0300CreateFailed, result::lowNibble0300TooLarge,
    result::lowNibbleOpenFailed, result::vendor41OpenFailed, result::vendor41CreateFailed,
    result::vendor41TooLarge, result::vendor21OpenFailed, result::vendor21CreateFailed,
    result::vendor21TooLarge, result::vendor71OpenFailed, result::vendor71InlineCreateFailed,
    result::vendor71BlockCreateFailed, result::vendor71TooLarge, result::g726OpenFailed,
    result::g726TooLarge, result::d211CreateFailed, result::d505CreateFailed,
    result::p505CreateFailed, result::sh252CreateFailed, result::so505isCreateFailed,
    result::sa702CreateFailed, result::p903CreateFailed, result::l600OpenFailed,
    result::l600CreateFailed, result::n600OpenFailed, result::n600CreateFailed,
    result::m702OpenFailed, result::m702CreateFailed,
    // Android
    result::androidFileError, result::androidNotEncoded,
    // kept
    result::kept::writeFailed1001, result::kept::converterNotFound1002,
    result::kept::writeFailed1003, result::kept::tempNotOpened1026,
    result::kept::tempNotRead1027, result::kept::decodeError2000,
    result::kept::decodeReadFailed2011, result::kept::readerError3000,
    result::kept::sourceNotLocked, result::kept::workNotLocked,
    result::kept::samplesNotLocked, result::kept::error4000, result::kept::readFailed4001,
    result::kept::readFailed4002, result::kept::outOfMemory4003,
    result::kept::outOfMemory4004, result::kept::readFailed4005,
    result::kept::outOfMemory4006, result::kept::outOfMemory4007,
    result::kept::readFailed4008, result::kept::readFailed4009, result::kept::readFailed4010,
    result::kept::readFailed4011, result::kept::writeFailed4012,
    result::kept::writeFailed4013, result::kept::titleTooLong4014,
    result::kept::writeFailed4015, result::kept::cannotOpen5000,
    result::kept::formatError5001, result::kept::formatError5002,
    result::kept::outputNotCreated5003, result::kept::cannotOpen7000,
    result::kept::titleTooLong7005, result::kept::cannotOpen7006,
    result::kept::outputNotCreated7007, result::kept::titleTooLong7008,
    result::kept::titleTooLong9105, result::kept::cannotOpen9106,
    result::kept::titleTooLong9108,
};

// The message of a code: that of its entry above, `none` for codes not listed.
constexpr ResultMessage resultMessageOf(int code) {
    for (const ResultCode& known : resultCodes)
        if (known.code == code) return known.message;
    return ResultMessage::none;
}

} // namespace cw
