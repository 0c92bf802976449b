// A batch over every target for the console program's tests: stereo tones as rows, settings
// with every target enabled on one of its rate options, tarnwick and a stand-in QCP converter
// in a program folder of their own.
#pragma once

#include "chimewright/app/batch.hpp"
#include "tests/support/scratch.hpp"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cli_testing {

// Every target enabled; the SMAF target takes both the stream route and tarnwick's 8 kHz
// route, the others one rate or stereo option each.
cw::SettingsState everyTargetSettings();

// Answers as a user at the console would: the output folder given, Yes to the retry
// question (after `onRetry`), results recorded in the order shown.
class AnsweringPort : public cw::BatchPort {
public:
    AnsweringPort(cw::SettingsState state, std::string outputFolder)
        : state_(std::move(state)), output_(std::move(outputFolder)) {}

    std::function<void()> onRetry = [] {};
    std::vector<std::size_t> shownRows;
    int questions = 0;

    cw::SettingsState settings() override { return state_; }
    std::optional<std::string> chooseOutputFolder(std::string_view, std::string_view) override {
        return output_;
    }
    void rowStarting(const cw::FileList&, std::size_t) override {}
    void rowFinished(const cw::FileList&, std::size_t row) override { shownRows.push_back(row); }
    bool askRetry(std::string_view) override {
        ++questions;
        onRetry();
        return questions == 1;
    }
    void showMessage(std::string_view) override {}

private:
    cw::SettingsState state_;
    std::string output_;
};

// Gives this process and the programs it starts a lock folder of their own while it lives:
// tarnwick keeps to one instance through a lock there, and on a shared machine another
// user's tarnwick would otherwise refuse ours. (Windows: the named mutex of the Wine prefix,
// which is the build tree's own; nothing to do.)
class PrivateInstanceLocks {
public:
    explicit PrivateInstanceLocks(const platform::Path& folder);
    ~PrivateInstanceLocks();
    PrivateInstanceLocks(const PrivateInstanceLocks&) = delete;
    PrivateInstanceLocks& operator=(const PrivateInstanceLocks&) = delete;

private:
    std::optional<std::string> old_;
};

// tarnwick and the stand-in QCP converter (copying "_cwmtmp.wav" to "_cwmtmp.qcp") copied into
// `folder`; false when they cannot be.
bool providePrograms(const platform::Path& folder);

// `frames` frames of a stereo 22050-Hz tone, its channels at `frequency` and 1.3 times it.
std::string stereoTone(double frequency, std::size_t frames);

// Every file under `folder`, by its path relative to it; Ogg files with their stream serial
// numbers and page checksums set aside (a fresh serial is drawn for every stream).
std::map<std::string, std::string> outputTree(const platform::Path& folder);

} // namespace cli_testing
