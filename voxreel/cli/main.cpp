// voxreel's console program: renders a ringtone as the player does, shows its three display
// lines, and plays it, keeps the rendered WAV file or prints the file's structure on request.
#include "voxreel/cli/console_options.hpp"
#include "voxreel/cli/info_report.hpp"
#include "voxreel/player/ringtone_file.hpp"
#include "voxreel/player/ringtone_player.hpp"

#include "platform/command_line.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"
#include "platform/wav_player.hpp"
#include "shared/suite_version.hpp"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace voxreel::cli;

void useUtf8Console() {
#ifdef _WIN32
    ::SetConsoleOutputCP(CP_UTF8);
#endif
}

// The lines the player's window shows: the file name; the title, with " / " and the
// copyright when there is one; the type label.
void printDisplayLines(const std::string& file, const voxreel::DisplayTexts& texts) {
    std::printf("%s\n", file.c_str());
    std::string titleLine;
    if (!texts.title.empty()) {
        titleLine = platform::cp932ToUtf8(texts.title);
        if (!texts.copyright.empty()) titleLine += " / " + platform::cp932ToUtf8(texts.copyright);
    }
    std::printf("%s\n%s\n", titleLine.c_str(), texts.label.c_str());
}

int run(const Options& options) {
    const platform::Path path = platform::pathFromUtf8(options.file);
    std::vector<unsigned char> bytes;
    switch (voxreel::loadRingtoneFile(path, bytes)) {
    case voxreel::RingtoneLoad::cannotOpen:
        std::fprintf(stderr, "voxreel: cannot open %s\n", options.file.c_str());
        return 1;
    case voxreel::RingtoneLoad::tooLarge:
        std::fprintf(stderr, "voxreel: %s is 1 MiB or larger; not played\n", options.file.c_str());
        return 1;
    case voxreel::RingtoneLoad::loaded: break;
    }

    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer(output);
    voxreel::DisplayTexts texts;
    const bool played = voxreel::playRingtoneBuffer(bytes, texts, renderer);
    printDisplayLines(options.file, texts);
    if (options.info) {
        printFileStructure(stdout, bytes);
        if (played) printRenderedBlocks(stdout, renderer);
    }
    if (!played) {
        std::fprintf(stderr, "voxreel: %s holds no playable MFi or SMAF voice\n",
                     options.file.c_str());
        return 1;
    }
    std::fflush(stdout);

    if (!options.wavOut.empty() &&
        !platform::copyFile(renderer.fileName(), platform::pathFromUtf8(options.wavOut))) {
        std::fprintf(stderr, "voxreel: cannot write %s\n", options.wavOut.c_str());
        return 1;
    }
    if (options.play &&
        platform::playWavToEnd(renderer.fileName()) == platform::PlaybackResult::noSoundOutput)
        std::fprintf(stderr, "voxreel: no sound output available; not played\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    useUtf8Console();
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    if (!arguments.empty()) arguments.erase(arguments.begin());
    Options options;
    const std::string problem = parseOptions(arguments, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "voxreel: %s\n\n%s", problem.c_str(), usage);
        return 2;
    }
    if (options.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("voxreel %s\n", suite::version);
        return 0;
    }
    return run(options);
}
