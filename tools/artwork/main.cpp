// Draws the programs' icons and bitmaps into a folder, for the resource compiler:
//   cw-artwork OUTPUT_FOLDER [FILE...]     (all images when no file is named)
//   cw-artwork --list
#include "tools/artwork/catalog.hpp"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: cw-artwork OUTPUT_FOLDER [FILE...]\n"
                 "       cw-artwork --list\n"
                 "Draws the icons and bitmaps of the window programs into OUTPUT_FOLDER (all of\n"
                 "them, or the files named). --list prints the file names.\n");
}

// Written beside the target and renamed over it, so no half-written image is ever left.
bool writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path temporary = file;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    return !error;
}

const artwork::Artwork* findArtwork(const char* name) {
    for (const artwork::Artwork& a : artwork::catalog())
        if (std::strcmp(a.file, name) == 0) return &a;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        usage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--list") == 0) {
        for (const artwork::Artwork& a : artwork::catalog())
            std::printf("%s\n", a.file);
        return 0;
    }
    const std::filesystem::path folder = argv[1];
    std::vector<const artwork::Artwork*> chosen;
    for (int i = 2; i < argc; ++i) {
        const artwork::Artwork* a = findArtwork(argv[i]);
        if (!a) {
            std::fprintf(stderr, "cw-artwork: no image named %s (see --list)\n", argv[i]);
            return 2;
        }
        chosen.push_back(a);
    }
    if (chosen.empty())
        for (const artwork::Artwork& a : artwork::catalog())
            chosen.push_back(&a);

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "cw-artwork: cannot make %s: %s\n", folder.string().c_str(),
                     error.message().c_str());
        return 1;
    }
    for (const artwork::Artwork* a : chosen) {
        if (!writeFile(folder / a->file, artwork::render(*a))) {
            std::fprintf(stderr, "cw-artwork: cannot write %s\n",
                         (folder / a->file).string().c_str());
            return 1;
        }
    }
    return 0;
}
