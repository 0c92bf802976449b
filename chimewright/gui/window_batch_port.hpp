// The batch's user interface in the window. The worker thread calls it; every question and
// message is shown by the window thread, owned by the main window, while the worker waits for
// the answer. Results go into a locked snapshot that the window thread picks up when it is
// told to.
#pragma once

#include "chimewright/app/batch.hpp"

#include <mutex>
#include <windows.h>

namespace cw::gui {

// The message that tells the main window that BatchProgress has news.
constexpr UINT batchProgressMessage = WM_APP + 2;
// The message the worker posts as its last act.
constexpr UINT batchEndedMessage = WM_APP + 3;

// The settings as the window last took them, for the worker to read.
class SharedSettings {
  public:
    void publish(const cw::SettingsState& state);
    cw::SettingsState copy() const;

  private:
    mutable std::mutex mutex_;
    cw::SettingsState state_;
};

// The worker's results and the row to show, handed to the window thread.
class BatchProgress {
  public:
    struct Snapshot {
        std::vector<int> results;
        std::size_t row = 0; // the row being converted, or just converted
    };

    void update(const std::vector<int>& results, std::size_t row);
    Snapshot take() const;

  private:
    mutable std::mutex mutex_;
    Snapshot snapshot_;
};

// What the window thread does for the worker's questions. Each runs on the window thread.
class BatchDialogs {
  public:
    virtual ~BatchDialogs() = default;
    virtual std::optional<std::string> chooseFolder(const std::string& prompt,
                                                    const std::string& preselected) = 0;
    virtual bool askYesNo(const std::string& question, const char* caption) = 0;
    virtual void tell(const std::string& text, const char* caption) = 0;
};

class WindowBatchPort : public cw::BatchPort {
  public:
    WindowBatchPort(HWND window, const SharedSettings& settings, BatchProgress& progress,
                    BatchDialogs& dialogs);

    cw::SettingsState settings() override { return settings_.copy(); }
    std::optional<std::string> chooseOutputFolder(std::string_view prompt,
                                                  std::string_view preselected) override;
    void rowStarting(const cw::FileList& list, std::size_t row) override;
    void rowFinished(const cw::FileList& list, std::size_t row) override;
    bool askRetry(std::string_view question) override;
    void showMessage(std::string_view text) override;

  private:
    HWND window_;
    const SharedSettings& settings_;
    BatchProgress& progress_;
    BatchDialogs& dialogs_;

    void report(const cw::FileList& list, std::size_t row);
};

} // namespace cw::gui
