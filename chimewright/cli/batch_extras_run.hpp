// --jobs and --report on one batch: the workers' folders and pass runner, the report's rows
// collected as the workers finish them, and the report written after the batch.
#pragma once

#include "chimewright/app/batch.hpp"
#include "chimewright/cli/batch_extras.hpp"
#include "chimewright/cli/ringtone_report.hpp"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace cw::cli {

class BatchExtrasRun {
public:
    BatchExtrasRun(const BatchExtras& extras, cw::Language language)
        : extras_(extras), language_(language) {}

    // Sets the batch up for the options; without any of them the batch stays as it is.
    // Empty on success, else what went wrong (a worker's folder that cannot be made).
    std::string attach(cw::BatchSetup& setup, std::size_t rowCount);

    // Writes the report of a batch that converted its rows. False when the report file
    // cannot be written.
    bool finish(cw::BatchEnd end);

private:
    const BatchExtras& extras_;
    cw::Language language_; // of the result texts in the report
    std::mutex mutex_;
    std::map<platform::Path, RowReport> lastOfFolder_; // the row a folder's worker just did
    std::vector<std::optional<RowReport>> rows_;
};

} // namespace cw::cli
