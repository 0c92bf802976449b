#include "tarnwick/cli/console_port.hpp"

#include "platform/ui_language.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <cstdio>

namespace tarnwick::cli {

ConsolePort::ConsolePort(const Options& options)
    : options_(options),
      language_(platform::userInterfaceIsJapanese() ? tarnwick::Language::japanese
                                                     : tarnwick::Language::english) {}

tarnwick::Language ConsolePort::language() const { return language_; }

bool ConsolePort::askContents(tarnwick::TitleDialogValues& values) {
    if (options_.title) values.title = *options_.title;
    values.copyright = options_.copyright;
    values.protect = options_.protect;
    // The rate switch: a locked switch (4000-Hz source) does not move.
    if (options_.halfRate && !values.rateLocked) values.rateMode = tarnwick::rateModeHalved;
    return true;
}

void ConsolePort::showMessage(tarnwick::MessageId, const std::string& text, bool success) {
    std::FILE* stream = success ? stdout : stderr;
    std::fprintf(stream, "%s\n", text.c_str());
    std::fflush(stream);
}

} // namespace tarnwick::cli
