#include "chimewright/cli/console_port.hpp"

#include "chimewright/app/result_messages.hpp"
#include "chimewright/cli/terminal.hpp"

#include <cstdio>
#include <string>

namespace cw::cli {

namespace {

// Message texts hold CR LF for the window's message boxes.
std::string forConsole(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out.push_back(c);
    return out;
}

} // namespace

ConsolePort::ConsolePort(cw::SettingsState state, std::optional<std::string> outputFolder,
                         cw::Language language)
    : state_(std::move(state)), outputFolder_(std::move(outputFolder)), language_(language),
      progress_(errorIsTerminal()), canAsk_(inputIsTerminal()) {}

std::optional<std::string> ConsolePort::chooseOutputFolder(std::string_view,
                                                           std::string_view preselected) {
    std::string folder = outputFolder_ ? *outputFolder_ : std::string(preselected);
    std::fprintf(stderr, "output folder: %s\n", folder.c_str());
    return folder;
}

void ConsolePort::rowStarting(const cw::FileList& list, std::size_t row) {
    if (!progress_) return;
    char counter[48];
    std::snprintf(counter, sizeof counter, "[%llu/%llu] ", static_cast<unsigned long long>(row + 1),
                  static_cast<unsigned long long>(list.rows.size()));
    // The file name only, so that the line fits the terminal and can be blanked again.
    const std::string& path = list.rows[row].path;
    const std::size_t slash = path.find_last_of("\\/");
    std::string line = counter;
    line.append(slash == std::string::npos ? path : path.substr(slash + 1)).append(" ...");
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    progressWidth_ = line.size();
}

// Blanks the progress line (plain spaces: not every console knows escape sequences).
void ConsolePort::clearProgress() {
    if (progressWidth_ == 0) return;
    std::fprintf(stderr, "\r%s\r", std::string(progressWidth_, ' ').c_str());
    std::fflush(stderr);
    progressWidth_ = 0;
}

void ConsolePort::rowFinished(const cw::FileList& list, std::size_t row) {
    clearProgress();
    std::printf("%s: %s\n", list.rows[row].path.c_str(),
                cw::showResult(list.results[row], language_).c_str());
    std::fflush(stdout);
}

bool ConsolePort::askRetry(std::string_view question) {
    if (!canAsk_) return false;
    std::fprintf(stderr, "%s [y/N] ", forConsole(cw::messageText(question, language_)).c_str());
    std::fflush(stderr);
    char answer[64];
    if (!std::fgets(answer, sizeof answer, stdin)) return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

void ConsolePort::showMessage(std::string_view text) {
    std::fprintf(stderr, "%s\n", forConsole(cw::messageText(text, language_)).c_str());
}

} // namespace cw::cli
