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

    auto convertRow = [&](std::size_t i) {
        port.rowStarting(list, i);
        JobRequest request =
            makeJobRequest(port.settings(), list.rows[i], outputFolder, level, setup.workFolder);
        request.programFolder = setup.programFolder;
        const int code = setup.convert(request);
        if (i < list.results.size()) list.results[i] = code;
        else list.results.push_back(code);
        port.rowFinished(list, i);
        return code != 0;
    };

    bool failed = false;
    for (std::size_t i = 0; i < list.rows.size(); ++i) failed = convertRow(i) || failed;

    while (failed) {
        if (!port.askRetry(message::retryQuestion)) return BatchEnd::failuresLeft;
        failed = false;
        for (std::size_t i = 0; i < list.rows.size(); ++i)
            if (list.results[i] != 0) failed = convertRow(i) || failed;
    }
    port.showMessage(message::allSucceeded);
    return BatchEnd::allSucceeded;
}

} // namespace cw
