// Every result code a conversion can end with, by name, each with the message the result
// column shows for it. The driver, the readers and the MFi writers return these; the result
// messages are looked up here. It sits in job/, below everything that returns a code, and
// includes nothing of chimewright's own.
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

// Every named code: X(name, number, message), in the groups where they arise. The constants
// in `result` and the list `resultCodes` are both made from it, so a code is named once.
#define CW_RESULT_CODES(X)                                                                         \
    /* The job: no SMAF route can run (tarnwick is missing); prepareJob reports it as success. */  \
    X(noSmafConverter, 1, none)                                                                    \
                                                                                                   \
    /* The input check (checkInputWave). */                                                        \
    X(leftoverNotDeleted, 1004, writeFailed)   /* an old SMAF file stays */                        \
    X(inputNotOpened, 1005, cannotOpen)        /* the input cannot be opened */                    \
    X(riffTagNotRead, 1006, readFailed)        /* header bytes 0-3 */                              \
    X(notRiff, 1007, unsupportedFormat)        /* not a RIFF file: decoded */                      \
    X(riffSizeNotRead, 1008, readFailed)       /* header bytes 4-7 */                              \
    X(waveTagNotRead, 1009, readFailed)        /* header bytes 8-15 */                             \
    X(notWaveFmt, 1010, unsupportedFormat)     /* no "WAVEfmt " at byte 8 */                       \
    X(fmtSizeNotRead, 1011, readFailed)        /* header bytes 16-19 */                            \
    X(formatTagNotRead, 1012, readFailed)      /* header bytes 20-21 */                            \
    X(compressedWave, 1013, unsupportedFormat) /* not PCM: decoded first */                        \
    X(channelsNotRead, 1014, readFailed)       /* header bytes 22-23 */                            \
    X(rateNotRead, 1015, readFailed)           /* header bytes 24-27 */                            \
    X(byteRateNotRead, 1016, readFailed)       /* header bytes 28-31 */                            \
    X(blockAlignNotRead, 1017, readFailed)     /* header bytes 32-33 */                            \
    X(bitsNotRead, 1018, readFailed)           /* header bytes 34-35 */                            \
                                                                                                   \
    /* Copies of temporary files to the outputs (copyTempFile). */                                 \
    X(outputFileNotCreated, 1024, outputNotCreated) /* or its folder */                            \
    X(tempFileNotOpened, 1025, outputNotCreated)    /* the copy's source */                        \
                                                                                                   \
    /* The SMAF file chimewright builds itself from the 16 kHz file. */                            \
    X(smafNotWritten, 1025, outputNotCreated) /* not built, or not written */                      \
    X(smafNoSamples, 1050, none)              /* the 16 kHz file is empty */                       \
                                                                                                   \
    /* tarnwick, run for the other SMAF routes. */                                                 \
    X(tarnwickNotStarted, 1019, converterNotStarted)                                               \
    X(tarnwickNotIdle, 1020, plainError)  /* not idle for input in time */                         \
    X(tarnwickNoWindow, 1021, plainError) /* shows no main window */                               \
    X(tarnwickNoPower, 1022, plainError)  /* message dialog lacks Power */                         \
    X(tarnwickNotEnded, 1023, plainError) /* still runs: terminated */                             \
    X(tarnwickNoStatus, 1032, none)       /* exit status unreadable */                             \
    X(tarnwickEndedAtOnce, 1033, none)    /* another tarnwick runs */                              \
    X(tarnwickNoMessage, 1035, none)      /* no message dialog */                                  \
    X(tarnwickNoTitleDialog, 1036, none)  /* no title dialog */                                    \
                                                                                                   \
    /* The decoding of compressed or other sound files into "_cwwtmp.wav"; the decoders' own */    \
    /* numbers are in platform/audio_decode.hpp. */                                                \
    X(inputNotCopied, 2001, writeFailed) /* to the working folder */                               \
    X(pcmNotCreated, 2012, writeFailed)  /* the decoded WAV file */                                \
    X(pcmNotWritten, 2013, writeFailed)  /* not written whole */                                   \
    X(decodeBadFormat, platform::decodeBadFormat, formatNotSupported)                              \
    X(decodeOutOfMemory, platform::decodeOutOfMemory, outOfMemory)                                 \
    X(decodeReadError, platform::decodeReadError, readFailed)                                      \
    X(decodeOpenError, platform::decodeOpenError, readFailed)                                      \
    X(decodeNoHandler, platform::decodeNoHandler, readFailed)                                      \
    X(decodeOpenFailed, platform::decodeOpenFailed, readFailed)                                    \
    X(decodeNoFileInfo, platform::decodeNoFileInfo, readFailed)                                    \
    X(decodeNoAudioStream, platform::decodeNoAudioStream, readFailed)                              \
    X(decodeNoFormat, platform::decodeNoFormat, readFailed)                                        \
    X(decodeFailed, platform::decodeFailed, writeFailed) /* = pcmNotWritten */                     \
    X(decodeFormatMemory, platform::decodeFormatMemory, outOfMemory)                               \
    X(decodeTargetMemory, platform::decodeTargetMemory, outOfMemory)                               \
    X(decodeNoCodec, platform::decodeNoCodec, formatNotSupported)                                  \
    X(notASoundFile, platform::decodeNotASoundFile, unsupportedFormat)                             \
                                                                                                   \
    /* The readers that render the temporary WAV files. */                                         \
    X(sourceNotOpened, 3001, readFailed)                                                           \
    X(sourceSizeUnknown, 3002, readFailed)                                                         \
    X(sourceNoMemory, 3003, outOfMemory) /* for the file's image */                                \
    X(sourceNotRead, 3005, readFailed)                                                             \
    X(sourceNotRiff, 3006, plainError)                                                             \
    X(sourceNotWaveFmt, 3007, plainError) /* no "WAVEfmt " at byte 8 */                            \
    X(sourceNotPcm, 3008, plainError)     /* or a width not decoded */                             \
    X(sourceNoData, 3009, plainError)     /* none, or past the file's end */                       \
    X(workNoMemory, 3010, outOfMemory)    /* the transform's buffers */                            \
    X(samplesNoMemory, 3012, outOfMemory) /* the output samples */                                 \
    X(tempNotWritten, 3014, writeFailed)  /* or no samples to write */                             \
                                                                                                   \
    /* The cut of the 8 kHz file to the SMAF budget (trimWavForBudget). */                         \
    X(trimSourceNotOpened, 8000, plainError)                                                       \
    X(trimSourceNotRead, 8001, plainError)                                                         \
    X(trimSourceNoData, 8002, plainError) /* not a temporary WAV file */                           \
    X(trimNotWritten, 8003, plainError)                                                            \
                                                                                                   \
    /* MFi, low-nibble step ADPCM: n503, n504, n505, f503, so504, so505. */                        \
    X(lowNibble0200CreateFailed, 9201, none) /* the "0200" files */                                \
    X(lowNibble0200TooLarge, 9202, none)                                                           \
    X(lowNibble0300CreateFailed, 9204, none) /* the "0300" files */                                \
    X(lowNibble0300TooLarge, 9205, none)                                                           \
    X(lowNibbleOpenFailed, 9206, none) /* a temporary file */                                      \
                                                                                                   \
    /* MFi, step ADPCM of vendor 0x41: p211, p900, sa700. */                                       \
    X(vendor41OpenFailed, 6000, cannotOpen) /* a temporary file */                                 \
    X(vendor41CreateFailed, 6001, outputNotCreated)                                                \
    X(vendor41TooLarge, 6002, titleTooLong) /* or the header does not fit */                       \
                                                                                                   \
    /* MFi, step ADPCM of vendor 0x21: f504, f505. */                                              \
    X(vendor21OpenFailed, 9000, cannotOpen)                                                        \
    X(vendor21CreateFailed, 9001, outputNotCreated)                                                \
    X(vendor21TooLarge, 9002, titleTooLong)                                                        \
                                                                                                   \
    /* MFi, step ADPCM of vendor 0x71: sh251, sh505. */                                            \
    X(vendor71OpenFailed, 9100, cannotOpen)                                                        \
    X(vendor71InlineCreateFailed, 9101, outputNotCreated)                                          \
    X(vendor71BlockCreateFailed, 9104, outputNotCreated)                                           \
    X(vendor71TooLarge, 9102, titleTooLong)                                                        \
                                                                                                   \
    /* MFi, G.726: one create code per target. */                                                  \
    X(g726OpenFailed, 7003, cannotOpen) /* a temporary file */                                     \
    X(g726TooLarge, 7002, titleTooLong) /* the inline file, or its header */                       \
    X(d211CreateFailed, 7001, outputNotCreated)                                                    \
    X(d505CreateFailed, 7004, outputNotCreated)                                                    \
    X(p505CreateFailed, 6003, outputNotCreated)                                                    \
    X(sh252CreateFailed, 9107, outputNotCreated)                                                   \
    X(so505isCreateFailed, 9209, none)                                                             \
    X(sa702CreateFailed, 9210, none)                                                               \
    X(p903CreateFailed, 9211, none)                                                                \
                                                                                                   \
    /* MFi, IMA ADPCM: an open and a create code per target. */                                    \
    X(l600OpenFailed, 9300, cannotOpen)                                                            \
    X(l600CreateFailed, 9301, outputNotCreated)                                                    \
    X(n600OpenFailed, 9302, cannotOpen)                                                            \
    X(n600CreateFailed, 9303, outputNotCreated)                                                    \
    X(m702OpenFailed, 9304, cannotOpen)                                                            \
    X(m702CreateFailed, 9305, outputNotCreated)                                                    \
                                                                                                   \
    /* The Android (Ogg Vorbis) file; its numbers are those of the G.726 driver. */                \
    X(androidFileError, 7003, cannotOpen)        /* a temp not read, or no write */                \
    X(androidNotEncoded, 7004, outputNotCreated) /* no file is written */                          \
                                                                                                   \
    /* The QCP step has no code: whatever its converter does, the result stays as it was. */

// Codes no step returns any more; they keep the messages the result column always showed
// for them (a list exported earlier may hold them).
#define CW_KEPT_RESULT_CODES(X)                                                                    \
    X(writeFailed1001, 1001, writeFailed)                                                          \
    X(converterNotFound1002, 1002, converterNotFound)                                              \
    X(writeFailed1003, 1003, writeFailed)                                                          \
    X(tempNotOpened1026, 1026, tempNotOpened)                                                      \
    X(tempNotRead1027, 1027, tempNotRead)                                                          \
    X(decodeError2000, 2000, plainError)                                                           \
    X(decodeReadFailed2011, 2011, readFailed)                                                      \
    X(readerError3000, 3000, plainError)                                                           \
    X(sourceNotLocked, 3004, outOfMemory)  /* the file image's memory */                           \
    X(workNotLocked, 3011, outOfMemory)    /* the work buffer's memory */                          \
    X(samplesNotLocked, 3013, outOfMemory) /* the output samples' memory */                        \
    X(error4000, 4000, plainError)                                                                 \
    X(readFailed4001, 4001, readFailed)                                                            \
    X(readFailed4002, 4002, readFailed)                                                            \
    X(outOfMemory4003, 4003, outOfMemory)                                                          \
    X(outOfMemory4004, 4004, outOfMemory)                                                          \
    X(readFailed4005, 4005, readFailed)                                                            \
    X(outOfMemory4006, 4006, outOfMemory)                                                          \
    X(outOfMemory4007, 4007, outOfMemory)                                                          \
    X(readFailed4008, 4008, readFailed)                                                            \
    X(readFailed4009, 4009, readFailed)                                                            \
    X(readFailed4010, 4010, readFailed)                                                            \
    X(readFailed4011, 4011, readFailed)                                                            \
    X(writeFailed4012, 4012, writeFailed)                                                          \
    X(writeFailed4013, 4013, writeFailed)                                                          \
    X(titleTooLong4014, 4014, titleTooLong)                                                        \
    X(writeFailed4015, 4015, writeFailed)                                                          \
    X(cannotOpen5000, 5000, cannotOpen)                                                            \
    X(formatError5001, 5001, formatError)                                                          \
    X(formatError5002, 5002, formatError)                                                          \
    X(outputNotCreated5003, 5003, outputNotCreated)                                                \
    X(cannotOpen7000, 7000, cannotOpen)                                                            \
    X(titleTooLong7005, 7005, titleTooLong)                                                        \
    X(cannotOpen7006, 7006, cannotOpen)                                                            \
    X(outputNotCreated7007, 7007, outputNotCreated)                                                \
    X(titleTooLong7008, 7008, titleTooLong)                                                        \
    X(titleTooLong9105, 9105, titleTooLong)                                                        \
    X(cannotOpen9106, 9106, cannotOpen)                                                            \
    X(titleTooLong9108, 9108, titleTooLong)

namespace result {

using enum ResultMessage;

#define CW_DEFINE_RESULT_CODE(name, number, message)                                               \
    inline constexpr ResultCode name{number, message};
CW_RESULT_CODES(CW_DEFINE_RESULT_CODE)
namespace kept {
CW_KEPT_RESULT_CODES(CW_DEFINE_RESULT_CODE)
} // namespace kept
#undef CW_DEFINE_RESULT_CODE

} // namespace result

// Every code above: the result messages are looked up here. A number that two steps share is
// listed under both names, with the same message.
#define CW_LIST_RESULT_CODE(name, number, message) result::name,
#define CW_LIST_KEPT_RESULT_CODE(name, number, message) result::kept::name,
inline constexpr ResultCode resultCodes[] = {CW_RESULT_CODES(CW_LIST_RESULT_CODE)
                                                 CW_KEPT_RESULT_CODES(CW_LIST_KEPT_RESULT_CODE)};
#undef CW_LIST_RESULT_CODE
#undef CW_LIST_KEPT_RESULT_CODE

// The message of a code: that of its entry above, `none` for codes not listed.
constexpr ResultMessage resultMessageOf(int code) {
    for (const ResultCode& known : resultCodes)
        if (known.code == code) return known.message;
    return ResultMessage::none;
}

} // namespace cw
