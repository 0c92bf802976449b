// Compressed WAVE input on Windows: the AVIFile library reads the file's audio stream and the
// Audio Compression Manager decodes it with the installed codecs.
//
// The decoding runs through an ACM stream of our own rather than AVISaveVW: Wine's WAVE file
// handler refuses every non-empty write (its sample-size check masks the wrong bits), so a
// save through it never succeeds there. The caller writes the PCM file.
#include "platform/audio_decode.hpp"

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
#include <ole2.h>
#include <vfw.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace platform {

namespace {

// The target format record: a WAVEFORMATEX with an empty extra part.
constexpr LONG targetFormatSize = 18;
static_assert(sizeof(WAVEFORMATEX) == targetFormatSize);

struct PcmLayout {
    WORD channels;
    WORD bits;
};

// Tried in this order; the first one the codecs accept is used.
constexpr PcmLayout preferredLayouts[] = {{2, 16}, {1, 16}, {2, 8}, {1, 8}};

// One decode's library use, file and stream, given back on every path.
class AviSession {
public:
    AviSession() { ::AVIFileInit(); }
    ~AviSession() {
        if (audio) ::AVIStreamRelease(audio);
        if (file) ::AVIFileRelease(file);
        ::AVIFileExit();
    }
    AviSession(const AviSession&) = delete;
    AviSession& operator=(const AviSession&) = delete;

    PAVIFILE file = nullptr;
    PAVISTREAM audio = nullptr;
};

// A movable, zero-filled global memory block, locked while it lives.
class LockedBlock {
public:
    explicit LockedBlock(SIZE_T size)
        : handle_(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
        if (handle_) data_ = ::GlobalLock(handle_);
    }
    ~LockedBlock() {
        if (data_) ::GlobalUnlock(handle_);
        if (handle_) ::GlobalFree(handle_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    void* data() const { return data_; }

private:
    HGLOBAL handle_;
    void* data_ = nullptr;
};

int openFailure(HRESULT result) {
    switch (result) {
    case REGDB_E_CLASSNOTREG: return decodeNoHandler;
    case AVIERR_BADFORMAT: return decodeBadFormat;
    case AVIERR_MEMORY: return decodeOutOfMemory;
    case AVIERR_FILEREAD: return decodeReadError;
    case AVIERR_FILEOPEN: return decodeOpenError;
    default: return decodeOpenFailed;
    }
}

// The last audio stream of the file, or nothing.
PAVISTREAM lastAudioStream(PAVIFILE file, DWORD streamCount) {
    PAVISTREAM audio = nullptr;
    for (DWORD i = 0; i < streamCount; ++i) {
        PAVISTREAM stream = nullptr;
        if (::AVIFileGetStream(file, &stream, 0, static_cast<LONG>(i)) != AVIERR_OK) break;
        AVISTREAMINFOW info{};
        if (::AVIStreamInfoW(stream, &info, sizeof info) == AVIERR_OK &&
            info.fccType == streamtypeAUDIO) {
            if (audio) ::AVIStreamRelease(audio);
            audio = stream;
        } else {
            ::AVIStreamRelease(stream);
        }
    }
    return audio;
}

// Fills the target with the first PCM layout the installed codecs can make of the source.
bool choosePcmLayout(WAVEFORMATEX* source, WAVEFORMATEX* target) {
    for (const PcmLayout& layout : preferredLayouts) {
        target->wFormatTag = WAVE_FORMAT_PCM;
        target->nChannels = layout.channels;
        target->wBitsPerSample = layout.bits;
        target->nBlockAlign = static_cast<WORD>(layout.channels * layout.bits / 8);
        target->nAvgBytesPerSec = target->nSamplesPerSec * target->nBlockAlign;
        target->cbSize = 0;
        if (::acmStreamOpen(nullptr, nullptr, source, target, nullptr, 0, 0,
                            ACM_STREAMOPENF_QUERY) == MMSYSERR_NOERROR)
            return true;
    }
    return false;
}

// Every encoded byte of the stream, as the file holds it.
bool readEncoded(PAVISTREAM audio, std::vector<char>& encoded) {
    const LONG start = ::AVIStreamStart(audio);
    const LONG length = ::AVIStreamLength(audio);
    LONG bytes = 0;
    if (length <= 0) return true;
    if (::AVIStreamRead(audio, start, length, nullptr, 0, &bytes, nullptr) != AVIERR_OK ||
        bytes < 0)
        return false;
    encoded.resize(static_cast<std::size_t>(bytes));
    LONG got = 0;
    if (bytes > 0 && ::AVIStreamRead(audio, start, length, encoded.data(), bytes, &got,
                                     nullptr) != AVIERR_OK)
        return false;
    encoded.resize(static_cast<std::size_t>(std::max<LONG>(got, 0)));
    return true;
}

// An open ACM conversion stream with one prepared header, undone on every path.
class AcmConversion {
public:
    AcmConversion(WAVEFORMATEX* source, WAVEFORMATEX* target, DWORD chunkBytes) {
        if (::acmStreamOpen(&stream_, nullptr, source, target, nullptr, 0, 0,
                            ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
            stream_ = nullptr;
            return;
        }
        DWORD outBytes = 0;
        if (::acmStreamSize(stream_, chunkBytes, &outBytes, ACM_STREAMSIZEF_SOURCE) !=
                MMSYSERR_NOERROR ||
            outBytes == 0)
            return;
        in_.resize(chunkBytes);
        out_.resize(outBytes);
        header_.cbStruct = sizeof header_;
        header_.pbSrc = reinterpret_cast<LPBYTE>(in_.data());
        header_.cbSrcLength = chunkBytes;
        header_.pbDst = reinterpret_cast<LPBYTE>(out_.data());
        header_.cbDstLength = outBytes;
        prepared_ = ::acmStreamPrepareHeader(stream_, &header_, 0) == MMSYSERR_NOERROR;
    }
    ~AcmConversion() {
        if (prepared_) {
            header_.cbSrcLength = static_cast<DWORD>(in_.size());
            ::acmStreamUnprepareHeader(stream_, &header_, 0);
        }
        if (stream_) ::acmStreamClose(stream_, 0);
    }
    AcmConversion(const AcmConversion&) = delete;
    AcmConversion& operator=(const AcmConversion&) = delete;

    bool ready() const { return prepared_; }

    // Converts up to one chunk of input; false when the codec fails. Sets how much of the
    // input the codec took and appends what it produced.
    bool convert(const char* input, DWORD size, DWORD flags, DWORD& used, std::string& output) {
        std::memcpy(in_.data(), input, size);
        header_.cbSrcLength = size;
        header_.cbSrcLengthUsed = 0;
        header_.cbDstLengthUsed = 0;
        if (::acmStreamConvert(stream_, &header_, flags) != MMSYSERR_NOERROR) return false;
        used = std::min(header_.cbSrcLengthUsed, size);
        output.append(out_.data(), std::min<std::size_t>(header_.cbDstLengthUsed, out_.size()));
        return true;
    }

private:
    HACMSTREAM stream_ = nullptr;
    ACMSTREAMHEADER header_{};
    std::vector<char> in_;
    std::vector<char> out_;
    bool prepared_ = false;
};

// Decodes the encoded bytes chunk by chunk; codecs that keep state (ADPCM, MPEG) see the
// stream from its start and are told where it ends.
int convertAll(WAVEFORMATEX* source, WAVEFORMATEX* target, const std::vector<char>& encoded,
               std::string& pcm) {
    const DWORD block = std::max<DWORD>(source->nBlockAlign, 1);
    const DWORD chunk = std::max<DWORD>(65536 / block, 1) * block;
    AcmConversion conversion(source, target, chunk);
    if (!conversion.ready()) return decodeFailed;

    std::size_t offset = 0;
    bool first = true;
    int stalls = 0;
    while (offset < encoded.size()) {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(chunk, encoded.size() - offset));
        const bool last = offset + size == encoded.size();
        const DWORD flags = (first ? ACM_STREAMCONVERTF_START : 0) |
                            (last ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN);
        DWORD used = 0;
        const std::size_t before = pcm.size();
        if (!conversion.convert(encoded.data() + offset, size, flags, used, pcm))
            return decodeFailed;
        first = false;
        offset += used;
        // A codec that takes nothing may still be draining what it holds; one that neither
        // takes nor gives is done.
        if (used != 0) {
            stalls = 0;
        } else if (pcm.size() == before || ++stalls > 16) {
            break;
        }
    }
    // Whole frames only.
    pcm.resize(pcm.size() - pcm.size() % target->nBlockAlign);
    return 0;
}

} // namespace

int decodeWave(const Path& source, PcmAudio& out) {
    try {
        AviSession session;
        const HRESULT opened = ::AVIFileOpenW(&session.file, source.c_str(), OF_READ, nullptr);
        if (opened != AVIERR_OK) {
            session.file = nullptr;
            return openFailure(opened);
        }

        AVIFILEINFOW fileInfo{};
        if (::AVIFileInfoW(session.file, &fileInfo, sizeof fileInfo) != AVIERR_OK)
            return decodeNoFileInfo;

        session.audio = lastAudioStream(session.file, fileInfo.dwStreams);
        if (!session.audio) return decodeNoAudioStream;

        const LONG start = ::AVIStreamStart(session.audio);
        LONG sourceSize = 0;
        if (::AVIStreamFormatSize(session.audio, start, &sourceSize) != AVIERR_OK ||
            sourceSize <= 0)
            return decodeNoFormat;
        LockedBlock sourceFormat(static_cast<SIZE_T>(sourceSize));
        if (!sourceFormat.data()) return decodeFormatMemory;
        if (::AVIStreamReadFormat(session.audio, start, sourceFormat.data(), &sourceSize) !=
            AVIERR_OK)
            return decodeNoFormat;

        LockedBlock targetFormat(targetFormatSize);
        if (!targetFormat.data()) return decodeTargetMemory;
        // The rate comes from the source; a short source format leaves the rest zero.
        std::memcpy(targetFormat.data(), sourceFormat.data(),
                    static_cast<std::size_t>(std::min(sourceSize, targetFormatSize)));
        auto* sourceWave = static_cast<WAVEFORMATEX*>(sourceFormat.data());
        auto* targetWave = static_cast<WAVEFORMATEX*>(targetFormat.data());
        if (!choosePcmLayout(sourceWave, targetWave)) return decodeNoCodec;

        std::vector<char> encoded;
        if (!readEncoded(session.audio, encoded)) return decodeFailed;
        out.channels = targetWave->nChannels;
        out.bitsPerSample = targetWave->wBitsPerSample;
        out.rate = targetWave->nSamplesPerSec;
        out.data.clear();
        return convertAll(sourceWave, targetWave, encoded, out.data);
    } catch (const std::bad_alloc&) {
        return decodeOutOfMemory;
    }
}

} // namespace platform
