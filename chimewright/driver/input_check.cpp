#include "chimewright/driver/input_check.hpp"

#include "chimewright/job/temp_files.hpp"
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
        tempPath(workFolder, tarnwickAvailable ? "_cwmtmp.mmf" : "SAMPLE.mmf");
    // The probe's handle must be closed before the delete: Windows refuses to delete an open file.
    const bool leftoverExists = platform::openForRead(leftover).isOpen();
    if (leftoverExists && !platform::deleteFile(leftover)) return 1004;

    platform::File file = platform::openForRead(input, platform::shareRead);
    if (!file.isOpen()) return 1005;

    unsigned char field[8];
    if (!readField(file, field, 4)) return 1006;
    if (std::memcmp(field, "RIFF", 4) != 0) return 1007;
    if (!readField(file, field, 4)) return 1008;
    if (!readField(file, field, 8)) return 1009;
    if (std::memcmp(field, "WAVEfmt ", 8) != 0) return 1010;
    if (!readField(file, field, 4)) return 1011;
    if (!readField(file, field, 2)) return 1012;
    if (suite::readLe16(field) != 1) return 1013;
    // channels, rate, byte rate, block align, bits per sample
    struct Field { std::size_t size; int readFailure; };
    const Field rest[] = {{2, 1014}, {4, 1015}, {4, 1016}, {2, 1017}, {2, 1018}};
    for (const Field& f : rest)
        if (!readField(file, field, f.size)) return f.readFailure;
    return 0;
}

} // namespace cw
