#include "chimewright/app/batch.hpp"

#include "chimewright/app/result_messages.hpp"
#include "chimewright/app/settings_file.hpp"
#include "platform/text.hpp"

namespace cw {

namespace {

// Gives the worker identifier back however the batch ends.
class ReleaseOnExit {
public:
    explicit ReleaseOnExit(WorkerSlot& worker) : worker_(worker) {}
    ~ReleaseOnExit() { worker_.release(); }
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;

private:
    WorkerSlot& worker_;
};

// Each row in turn on this thread, in the batch's working folder (an empty folder stands
// for it).
void oneRowAfterAnother(const std::vector<std::size_t>& rows, const RowSteps& steps) {
    for (std::size_t i : rows) {
        steps.starting(i);
        steps.finished(i, steps.convert(i, {}));
    }
}

} // namespace

JobRequest makeJobRequest(const SettingsState& state, const FileRow& row,
                          const platform::Path& outputFolder, double level,
                          const platform::Path& workFolder) {
    JobRequest request;
    request.input = platform::pathFromUtf8(row.path);
    request.title = row.title;
    request.outputName = row.outputName;
    request.outputFolder = outputFolder;
    request.level = level;
    request.intervalMs = row.intervalMs;
    request.smafBudget = state.smafBudget;
    request.copyright = state.copyright;
    request.copyrightAnsi = state.copyrightAnsi;
    for (std::size_t t = 0; t < request.targets.size(); ++t)
        request.targets[t] = {state.flags[t], state.volumes[t]};
    request.workFolder = workFolder;
    request.mfi.loop = state.loop;
    request.mfi.userSizeLimit = state.userSizeLimit;
    return request;
}

BatchEnd runBatch(FileList& list, BatchPort& port, const BatchSetup& setup, WorkerSlot& worker) {
    ReleaseOnExit release(worker);

    if (list.rows.empty()) {
        port.showMessage(message::dropFiles);
        return BatchEnd::emptyList;
    }

    std::string stored = readOutputFolder(setup.settingsFile);
    if (stored.empty()) stored = platform::pathToUtf8(platform::currentFolder());
    const std::optional<std::string> chosen = port.chooseOutputFolder(message::chooseFolder, stored);
    if (!chosen) return BatchEnd::cancelled;
    storeOutputFolder(setup.settingsFile, *chosen);
    const platform::Path outputFolder = platform::pathFromUtf8(*chosen);

    list.results.clear();
    list.results.reserve(list.rows.size());
    const double level = batchLevel(port.settings());

    RowSteps steps;
    steps.starting = [&](std::size_t i) { port.rowStarting(list, i); };
    steps.convert = [&](std::size_t i, const platform::Path& workFolder) {
        JobRequest request = makeJobRequest(port.settings(), list.rows[i], outputFolder, level,
                                            workFolder.empty() ? setup.workFolder : workFolder);
        request.programFolder = setup.programFolder;
        return setup.convert(request);
    };
    steps.finished = [&](std::size_t i, int code) {
        if (i < list.results.size()) list.results[i] = code;
        else list.results.push_back(code);
        port.rowFinished(list, i);
    };
    const PassRunner runPass = setup.runPass ? setup.runPass : PassRunner(oneRowAfterAnother);
    // One pass; true when a row failed.
    auto pass = [&](const std::vector<std::size_t>& rows) {
        bool failed = false;
        RowSteps counted = steps;
        counted.finished = [&](std::size_t i, int code) {
            steps.finished(i, code);
            failed = failed || code != 0;
        };
        runPass(rows, counted);
        return failed;
    };

    std::vector<std::size_t> all(list.rows.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    bool failed = pass(all);

    while (failed) {
        if (!port.askRetry(message::retryQuestion)) return BatchEnd::failuresLeft;
        std::vector<std::size_t> failedRows;
        for (std::size_t i = 0; i < list.rows.size(); ++i)
            if (list.results[i] != 0) failedRows.push_back(i);
        failed = pass(failedRows);
    }
    port.showMessage(message::allSucceeded);
    return BatchEnd::allSucceeded;
}

} // namespace cw
