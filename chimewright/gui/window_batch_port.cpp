#include "chimewright/gui/window_batch_port.hpp"

#include "chimewright/app/result_messages.hpp"
#include "chimewright/gui/window_thread.hpp"

namespace cw::gui {

void SharedSettings::publish(const cw::SettingsState& state) {
    std::lock_guard lock(mutex_);
    state_ = state;
}

cw::SettingsState SharedSettings::copy() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void BatchProgress::update(const std::vector<int>& results, std::size_t row) {
    std::lock_guard lock(mutex_);
    snapshot_.results = results;
    snapshot_.row = row;
}

BatchProgress::Snapshot BatchProgress::take() const {
    std::lock_guard lock(mutex_);
    return snapshot_;
}

WindowBatchPort::WindowBatchPort(HWND window, const SharedSettings& settings,
                                 BatchProgress& progress, BatchDialogs& dialogs)
    : window_(window), settings_(settings), progress_(progress), dialogs_(dialogs) {}

std::optional<std::string> WindowBatchPort::chooseOutputFolder(std::string_view prompt,
                                                               std::string_view preselected) {
    std::optional<std::string> chosen;
    runOnWindowThread(window_, [&] {
        chosen = dialogs_.chooseFolder(std::string(prompt), std::string(preselected));
    });
    return chosen;
}

void WindowBatchPort::report(const cw::FileList& list, std::size_t row) {
    progress_.update(list.results, row);
    ::PostMessageW(window_, batchProgressMessage, 0, 0);
}

void WindowBatchPort::rowStarting(const cw::FileList& list, std::size_t row) {
    report(list, row);
}

void WindowBatchPort::rowFinished(const cw::FileList& list, std::size_t row) {
    report(list, row);
}

bool WindowBatchPort::askRetry(std::string_view question) {
    bool yes = false;
    runOnWindowThread(window_, [&] {
        yes = dialogs_.askYesNo(std::string(question), cw::message::retryCaption);
    });
    return yes;
}

void WindowBatchPort::showMessage(std::string_view text) {
    runOnWindowThread(window_, [&] { dialogs_.tell(std::string(text), cw::message::caption); });
}

} // namespace cw::gui
