#include "tests/chimewright/cli/every_target_batch.hpp"

#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/external_converters.hpp"
#include "platform/text.hpp"
#include "tests/support/wav_builder.hpp"

#include <cstdlib>
#include <map>
#include <system_error>

namespace cli_testing {

namespace opt = cw::option;

cw::SettingsState everyTargetSettings() {
    cw::SettingsState state;
    const std::uint32_t on = opt::create;
    const std::uint32_t choices[] = {opt::rate8k, opt::rate4k, opt::stereo16k, opt::stereo8k,
                                     opt::rate16k, opt::rate32k2bit, opt::rate32k4bit};
    for (int t = 0; t < cw::targetCount; ++t)
        state.flags[static_cast<std::size_t>(t)] = on | choices[static_cast<std::size_t>(t) % 7];
    state.flags[cw::targetSmaf] = on | opt::unlimited | opt::rate16k | opt::rate8k;
    state.flags[cw::targetQcp] = on | opt::rate8k;
    state.flags[cw::targetAndroid] = on | opt::stereo16k;
    state.copyright = "me";
    state.copyrightAnsi = "me";
    return state;
}

namespace {

#ifdef _WIN32
constexpr const char* exe = ".exe";
#else
constexpr const char* exe = "";
#endif

bool copyBuilt(const std::string& built, const platform::Path& to) {
    std::error_code ec;
    std::filesystem::copy_file(platform::moduleFolder() / built, to,
                               std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

} // namespace

#ifdef _WIN32
PrivateInstanceLocks::PrivateInstanceLocks(const platform::Path&) {}
PrivateInstanceLocks::~PrivateInstanceLocks() {}
#else
PrivateInstanceLocks::PrivateInstanceLocks(const platform::Path& folder) {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR")) old_ = value;
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}
PrivateInstanceLocks::~PrivateInstanceLocks() {
    if (old_) setenv("XDG_RUNTIME_DIR", old_->c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}
#endif

bool providePrograms(const platform::Path& folder) {
    if (!platform::createFolder(folder)) return false;
    if (!copyBuilt(cw::tarnwickFileName(), folder / cw::tarnwickFileName())) return false;
    if (!copyBuilt(std::string("converter_standin") + exe, folder / cw::qcpConverterFileName))
        return false;
    const std::string how = "copy _cwmtmp.wav _cwmtmp.qcp\n";
    return platform::writeWholeFile(folder / (std::string(cw::qcpConverterFileName) + ".how"),
                                    how.data(), how.size());
}

std::string stereoTone(double frequency, std::size_t frames) {
    testing_support::WavSpec layout;
    layout.channels = 2;
    layout.rate = 22050;
    const auto left = testing_support::sineWave(frequency, 22050, frames, 8000);
    const auto right = testing_support::sineWave(frequency * 1.3, 22050, frames, 8000);
    std::vector<std::int32_t> interleaved;
    for (std::size_t k = 0; k < frames; ++k) {
        interleaved.push_back(left[k]);
        interleaved.push_back(right[k]);
    }
    return testing_support::makeWav(layout, interleaved);
}

namespace {

// Zeroes each page's serial number (bytes 14-17) and checksum (22-25).
std::string withoutSerials(std::string ogg) {
    std::size_t at = 0;
    while (at + 27 <= ogg.size() && ogg.compare(at, 4, "OggS") == 0) {
        const auto segments = static_cast<unsigned char>(ogg[at + 26]);
        if (at + 27 + segments > ogg.size()) break;
        std::size_t body = 0;
        for (std::size_t s = 0; s < segments; ++s) body += static_cast<unsigned char>(ogg[at + 27 + s]);
        for (std::size_t b = 14; b < 18; ++b) ogg[at + b] = 0;
        for (std::size_t b = 22; b < 26; ++b) ogg[at + b] = 0;
        at += 27 + segments + body;
    }
    return ogg;
}

} // namespace

std::map<std::string, std::string> outputTree(const platform::Path& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec)) {
        if (!entry.is_regular_file()) continue;
        std::string name = platform::pathToUtf8(entry.path().lexically_relative(folder));
        for (char& c : name)
            if (c == '\\') c = '/';
        std::string bytes = testing_support::fileBytes(entry.path());
        if (entry.path().extension() == ".ogg") bytes = withoutSerials(std::move(bytes));
        files[name] = std::move(bytes);
    }
    return files;
}

} // namespace cli_testing
