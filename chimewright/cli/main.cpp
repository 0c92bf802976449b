// chimewright's console program.
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/driver/temp_files.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr const char* usage =
    "usage: chimewright --render-temp [--work-folder DIR] [--level L | --normoff] FILE.wav\n"
    "\n"
    "  --render-temp      render every temporary WAV file of FILE (8 kHz mono, narrow-band,\n"
    "                     left and right; 16 kHz mono, left and right; 32 kHz mono)\n"
    "  --work-folder DIR  where the temporary files go (default: the program's folder)\n"
    "  --level L          normalisation level, 0.0 to 1.0 and above (default 1.0)\n"
    "  --normoff          no normalisation: a fixed gain with a soft knee\n"
    "\n"
    "Exit status: 0 success, 1 the conversion failed, 2 bad usage.\n";

struct Options {
    bool renderTemp = false;
    platform::Path workFolder;
    double level = 1.0;
    std::string input;
};

int badUsage(const std::string& why) {
    std::fprintf(stderr, "chimewright: %s\n\n%s", why.c_str(), usage);
    return 2;
}

// 0 to go on, else the exit status.
int parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return -1;
        } else if (arg == "--render-temp") {
            options.renderTemp = true;
        } else if (arg == "--work-folder") {
            const char* v = value();
            if (!v) return badUsage("--work-folder needs a folder");
            options.workFolder = platform::pathFromUtf8(v);
        } else if (arg == "--level") {
            const char* v = value();
            char* end = nullptr;
            if (!v || (options.level = std::strtod(v, &end), *end != '\0') || options.level < 0)
                return badUsage("--level needs a number of 0 or more");
        } else if (arg == "--normoff") {
            options.level = -1.0;
        } else if (!arg.empty() && arg[0] == '-') {
            return badUsage("unknown option " + std::string(arg));
        } else if (options.input.empty()) {
            options.input = std::string(arg);
        } else {
            return badUsage("one input file only");
        }
    }
    if (!options.renderTemp) return badUsage("nothing to do");
    if (options.input.empty()) return badUsage("no input file");
    return 0;
}

int renderTemp(const Options& options) {
    const platform::Path work =
        options.workFolder.empty() ? platform::moduleFolder() : options.workFolder;
    if (!platform::createFolder(work)) {
        std::fprintf(stderr, "chimewright: cannot use the folder %s\n",
                     platform::pathToUtf8(work).c_str());
        return 1;
    }
    const platform::Path input = platform::pathFromUtf8(options.input);
    bool tarnwickAvailable = false;
    int code = cw::checkInputWave(input, work, tarnwickAvailable);
    if (code == 0) {
        cw::Intermediates all{true, true, true, true, true, true};
        code = cw::renderIntermediates(input, all, options.level, work);
    }
    if (code != 0) {
        std::fprintf(stderr, "chimewright: %s: conversion failed (%d)\n", options.input.c_str(),
                     code);
        return 1;
    }
    const char* made[] = {"_cwmltmp.wav", "_cwmrtmp.wav", "_cwhltmp.wav", "_cwhrtmp.wav",
                          "_cwm4tmp.wav", "_cwm8tmp.wav", "_cwmtmp.wav",  "_cwsmtmp.wav",
                          "_cwm32tmp.wav"};
    for (const char* name : made) {
        platform::Path path = cw::tempPath(work, name);
        platform::File file = platform::openForRead(path);
        auto size = file.size();
        if (!size) continue;
        std::printf("made %s (%llu samples)\n", platform::pathToUtf8(path).c_str(),
                    static_cast<unsigned long long>((*size - 44) / 2));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    int status = parse(argc, argv, options);
    if (status != 0) return status < 0 ? 0 : status;
    return renderTemp(options);
}
