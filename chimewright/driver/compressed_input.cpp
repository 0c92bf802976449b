#include "chimewright/driver/compressed_input.hpp"

#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "platform/audio_decode.hpp"
#include "shared/byte_order.hpp"

#include <array>
#include <cstring>

namespace cw {

namespace {

constexpr std::size_t headerSize = 44;

// "RIFF", "WAVEfmt " with a 16-byte PCM fmt chunk, then the "data" chunk header. False when
// the audio does not fit a RIFF file's 32-bit fields.
bool makePcmHeader(const platform::PcmAudio& pcm, std::array<unsigned char, headerSize>& h) {
    const std::uint64_t dataBytes = pcm.data.size();
    const auto blockAlign = static_cast<std::uint16_t>(pcm.channels * (pcm.bitsPerSample / 8));
    const std::uint64_t byteRate = std::uint64_t{pcm.rate} * blockAlign;
    if (dataBytes > 0xFFFFFFFFu - (headerSize - 8) || byteRate > 0xFFFFFFFFu) return false;
    std::memcpy(h.data(), "RIFF", 4);
    suite::writeLe32(h.data() + 4, static_cast<std::uint32_t>(dataBytes + headerSize - 8));
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    suite::writeLe32(h.data() + 16, 16);
    suite::writeLe16(h.data() + 20, 1);
    suite::writeLe16(h.data() + 22, pcm.channels);
    suite::writeLe32(h.data() + 24, pcm.rate);
    suite::writeLe32(h.data() + 28, static_cast<std::uint32_t>(byteRate));
    suite::writeLe16(h.data() + 32, blockAlign);
    suite::writeLe16(h.data() + 34, pcm.bitsPerSample);
    std::memcpy(h.data() + 36, "data", 4);
    suite::writeLe32(h.data() + 40, static_cast<std::uint32_t>(dataBytes));
    return true;
}

// 0, 2012 when the file cannot be created, 2013 when it cannot be written whole.
int writePcmWave(const platform::Path& path, const platform::PcmAudio& pcm) {
    std::array<unsigned char, headerSize> header{};
    if (!makePcmHeader(pcm, header)) return result::pcmNotWritten;
    platform::File file = platform::createForWrite(path);
    if (!file.isOpen()) return result::pcmNotCreated;
    if (!file.write(header.data(), header.size()) || !file.write(pcm.data.data(), pcm.data.size())) {
        file.close();
        platform::deleteFile(path); // the readers must never see half a file
        return result::pcmNotWritten;
    }
    return 0;
}

using Decoder = int (*)(const platform::Path&, platform::PcmAudio&);

int decodeCopy(const platform::Path& input, const platform::Path& workFolder, Decoder decode) {
    // The decoder works on a copy in the working folder, never on the user's file.
    const platform::Path copy = tempPath(workFolder, tempfile::compressedCopy);
    if (!platform::copyFile(input, copy)) return result::inputNotCopied;
    platform::PcmAudio pcm;
    if (int code = decode(copy, pcm)) return code;
    return writePcmWave(tempPath(workFolder, tempfile::decodedPcm), pcm);
}

} // namespace

int decodeToPcm(const platform::Path& input, const platform::Path& workFolder) {
    return decodeCopy(input, workFolder, platform::decodeWave);
}

int decodeSoundFileToPcm(const platform::Path& input, const platform::Path& workFolder) {
    // A file that nothing reads stays what the input check found, and is never copied: it
    // may be anything, of any size.
    if (!platform::isReadableSoundFile(input)) return platform::decodeNotASoundFile;
    return decodeCopy(input, workFolder, platform::decodeSoundFile);
}

int sourceForReaders(int checkCode, const platform::Path& input,
                     const platform::Path& workFolder, platform::Path& source) {
    source = input;
    int code = checkCode;
    if (checkCode == result::compressedWave) code = decodeToPcm(input, workFolder);
    else if (checkCode == result::notRiff) code = decodeSoundFileToPcm(input, workFolder);
    if (code == 0 && checkCode != 0) source = tempPath(workFolder, tempfile::decodedPcm);
    return code;
}

} // namespace cw
