// Replays saved inputs through a fuzz target without fuzzing: every file named, and every
// file in every folder named (in name order), goes to LLVMFuzzerTestOneInput once. A finding
// that is fixed passes; one that comes back stops the run under the sanitizers. A folder that
// does not exist counts as empty, so a target without saved findings needs no placeholder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A copy of exactly the file's size, so a read one byte past the end is caught.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    static const std::uint8_t none = 0; // an empty input still comes with a valid pointer
    LLVMFuzzerTestOneInput(input.empty() ? &none : input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path named(argv[i]);
        std::error_code ec;
        if (!fs::is_directory(named, ec)) {
            if (fs::exists(named, ec)) {
                ok = replay(named) && ok;
                ++count;
            }
            continue;
        }
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(named))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            ok = replay(file) && ok;
            ++count;
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return ok ? 0 : 1;
}
