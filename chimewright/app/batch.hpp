// One batch: every row of the file list through the conversion job, a result code per row,
// and retry passes over the rows that failed. The window and the console program drive it
// through a BatchPort.
#pragma once

#include "chimewright/app/file_list.hpp"
#include "chimewright/app/settings_state.hpp"
#include "chimewright/driver/job.hpp"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

class BatchPort {
public:
    virtual ~BatchPort() = default;

    // The settings as they stand now: read afresh for every row, so changes made while a
    // batch runs apply to the rows converted after them.
    virtual SettingsState settings() = 0;
    // The output folder, starting from `preselected`; nothing when the user cancels.
    virtual std::optional<std::string> chooseOutputFolder(std::string_view prompt,
                                                          std::string_view preselected) = 0;
    // Row `row` is about to be converted.
    virtual void rowStarting(const FileList& list, std::size_t row) = 0;
    // Row `row` has been converted; its code is list.results[row].
    virtual void rowFinished(const FileList& list, std::size_t row) = 0;
    // Yes/no question (caption message::retryCaption).
    virtual bool askRetry(std::string_view question) = 0;
    // A message to the user (caption message::caption).
    virtual void showMessage(std::string_view text) = 0;
};

// The three steps of one row in a pass. `starting` and `finished` talk to the port and run on
// the batch's thread, `finished` in row order; `convert` builds the row's job for a working
// folder (empty: the batch's own) and converts it, and may run on another thread (one row
// per folder at a time).
struct RowSteps {
    std::function<void(std::size_t row)> starting;
    std::function<int(std::size_t row, const platform::Path& workFolder)> convert;
    std::function<void(std::size_t row, int code)> finished;
};

// Runs one pass over `rows` (ascending) with `steps`.
using PassRunner = std::function<void(const std::vector<std::size_t>& rows, const RowSteps& steps)>;

struct BatchSetup {
    platform::Path settingsFile; // where the output folder is kept
    platform::Path workFolder;   // temporary files
    platform::Path programFolder; // tarnwick and the QCP converter; empty: workFolder
    std::function<int(const JobRequest&)> convert = prepareJob;
    // Empty: each row in turn, in workFolder, on the batch's thread. A runner that converts
    // on other threads needs a port whose settings() may be called from them.
    PassRunner runPass;
};

enum class BatchEnd {
    emptyList,     // nothing to convert: the user was asked to drop files
    cancelled,     // no output folder was chosen
    allSucceeded,
    failuresLeft,  // the user declined to retry the rows that failed
};

// The job of one row from the settings state.
JobRequest makeJobRequest(const SettingsState& state, const FileRow& row,
                          const platform::Path& outputFolder, double level,
                          const platform::Path& workFolder);

// The worker's routine. The caller has claimed `worker` for it; it is released on every
// way out. The rows must not change while it runs (the list operations refuse to).
BatchEnd runBatch(FileList& list, BatchPort& port, const BatchSetup& setup, WorkerSlot& worker);

} // namespace cw
