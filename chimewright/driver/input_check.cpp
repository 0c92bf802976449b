#include "chimewright/driver/input_check.hpp"

#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "shared/byte_order.hpp"

#include <cstring>

namespace cw {

const char* tarnwickFileName() {
#ifdef _WIN32
    return "tarnwick.exe";
#else
    return "tarnwick";
#endif
}

namespace {

// One header field: the read must deliver all its bytes.
bool readField(platform::File& file, unsigned char* buffer, std::size_t size) {
    auto got = file.read(buffer, size);
    return got && *got == size;
}

} // namespace

int checkInputWave(const platform::Path& input, const platform::Path& workFolder,
                   bool& tarnwickAvailable, const platform::Path& programFolder) {
    const platform::Path& programs = programFolder.empty() ? workFolder : programFolder;
    tarnwickAvailable = platform::openForRead(tempPath(programs, tarnwickFileName())).isOpen();

    const platform::Path leftover =
        tempPath(workFolder, tarnwickAvailable ? tempfile::latest8kSmaf : tempfile::sampleSmaf);
    // The probe's handle must be closed before the delete: Windows refuses to delete an open file.
    const bool leftoverExists = platform::openForRead(leftover).isOpen();
    if (leftoverExists && !platform::deleteFile(leftover)) return result::leftoverNotDeleted;

    platform::File file = platform::openForRead(input, platform::shareRead);
    if (!file.isOpen()) return result::inputNotOpened;

    unsigned char field[8];
    if (!readField(file, field, 4)) return result::riffTagNotRead;
    if (std::memcmp(field, "RIFF", 4) != 0) return result::notRiff;
    if (!readField(file, field, 4)) return result::riffSizeNotRead;
    if (!readField(file, field, 8)) return result::waveTagNotRead;
    if (std::memcmp(field, "WAVEfmt ", 8) != 0) return result::notWaveFmt;
    if (!readField(file, field, 4)) return result::fmtSizeNotRead;
    if (!readField(file, field, 2)) return result::formatTagNotRead;
    if (suite::readLe16(field) != 1) return result::compressedWave;
    // channels, rate, byte rate, block align, bits per sample
    struct Field { std::size_t size; int readFailure; };
    const Field rest[] = {{2, result::channelsNotRead},
                          {4, result::rateNotRead},
                          {4, result::byteRateNotRead},
                          {2, result::blockAlignNotRead},
                          {2, result::bitsNotRead}};
    for (const Field& f : rest)
        if (!readField(file, field, f.size)) return f.readFailure;
    return 0;
}

} // namespace cw
