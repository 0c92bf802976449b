// chimewright's reading of an input file: the header check of the conversion, the three
// reader-converters with the whole signal chain, and the budget trim of a temporary file.
// Whatever the bytes: a result code of the documented range, and every temporary file
// written is a whole one (its header matches its length).
#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/job/temp_names.hpp"
#include "fuzz/scratch_folder.hpp"
#include "shared/byte_order.hpp"
#include "shared/temp_wav.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

bool inRange(int code, int first, int last) { return code >= first && code <= last; }

// A temporary file as its consumers see it: the fixed header for exactly its sample bytes.
std::size_t checkTempFile(const platform::Path& path) {
    const auto bytes = platform::readWholeFile(path);
    expect(bytes && bytes->size() >= suite::tempWavHeaderSize);
    const std::size_t dataBytes = bytes->size() - suite::tempWavHeaderSize;
    const auto header = suite::tempWavHeader(static_cast<std::uint32_t>(dataBytes));
    expect(std::memcmp(bytes->data(), header.data(), header.size()) == 0);
    return dataBytes;
}

// The options come from the input's last byte, so the fuzzer reaches every rate, channel
// mode and level from the same file.
struct Options {
    double level;
    int channelMode;
    int narrow;
    int twoBit;
    int budget;
};

Options optionsOf(const std::uint8_t* data, std::size_t size) {
    const unsigned pick = size > 0 ? data[size - 1] : 0;
    static const double levels[] = {-1.0, 1.0, 0.5, 0.0};
    static const int budgets[] = {0, 100, 300, 5900};
    return {levels[pick & 3], static_cast<int>((pick >> 2) & 3) % 3, static_cast<int>((pick >> 4) & 1),
            static_cast<int>((pick >> 5) & 1), budgets[(pick >> 6) & 3]};
}

void trim(const platform::Path& source, const platform::Path& folder, const Options& o) {
    const platform::Path dest = folder / "trimmed.wav";
    platform::deleteFile(dest);
    const int code = cw::trimWavForBudget(source, dest, o.twoBit, 0, o.budget);
    expect(code == 0 || inRange(code, 8000, 8003));
    if (code == 0) {
        const std::size_t kept = checkTempFile(dest);
        // 131 bytes of the budget are overhead; the rest holds 2 (or 4) samples per byte.
        const long long room = o.twoBit ? 2LL * (4LL * o.budget - 524) : 2LL * (2LL * o.budget - 262);
        expect(static_cast<long long>(kept) <= (room > 0 ? room : 0));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::Path& folder = fuzz::scratchFolder();
    const platform::Path input = fuzz::inputFile("input.wav", data, size);
    const Options o = optionsOf(data, size);

    bool tarnwick = false;
    const int check = cw::checkInputWave(input, folder, tarnwick);
    expect(check == 0 || inRange(check, 1004, 1018));

    // One reader: a code of its range; on success a whole temporary file, else none at all.
    auto render = [&](std::string_view name, auto&& read) {
        const platform::Path temp = folder / std::string(name);
        platform::deleteFile(temp);
        const int code = read();
        expect(code == 0 || inRange(code, 3001, 3014));
        if (code == 0) {
            // The readers take exactly the files the header check lets through as PCM.
            expect(check == 0);
            checkTempFile(temp);
        } else {
            expect(!platform::fileExists(temp));
        }
        return code;
    };
    const int code8k = render(cw::tempfile::latest8k, [&] {
        return cw::readWavToTemp8k(input, o.level, o.narrow, o.channelMode, folder);
    });
    render(cw::tempfile::latest16k, [&] { return cw::readWavToTemp16k(input, o.level, o.channelMode, folder); });
    render(cw::tempfile::mono32k, [&] { return cw::readWavToTemp32k(input, o.level, folder); });
    if (code8k == 0) trim(folder / std::string(cw::tempfile::latest8k), folder, o);
    // The trim reads any file it is given; the input itself stands in for a broken one.
    trim(input, folder, o);
    return 0;
}
