#include "chimewright/cli/batch_extras_run.hpp"

#include "chimewright/cli/parallel_batch.hpp"
#include "chimewright/cli/report_writer.hpp"
#include "platform/text.hpp"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace cw::cli {

std::string BatchExtrasRun::attach(cw::BatchSetup& setup, std::size_t rowCount) {
    if (!extras_.any()) return {};
    // No more workers than rows: a worker without a row would only leave an empty folder.
    std::vector<platform::Path> folders = workerFolders(setup.workFolder, extras_.jobs);
    folders.resize(std::min(folders.size(), std::max<std::size_t>(rowCount, 1)));
    for (const platform::Path& folder : folders) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (!std::filesystem::is_directory(folder, ec))
            return "cannot use the folder " + platform::pathToUtf8(folder);
    }
    AfterRow afterRow;
    if (extras_.report) {
        rows_.assign(rowCount, std::nullopt);
        // The job reads its outputs back while the folder still holds its temporary files;
        // a folder converts one row at a time, so it names the row the report belongs to.
        setup.convert = [this, convert = setup.convert](const cw::JobRequest& request) {
            const OutputsBefore before = outputsBefore(request);
            const int code = convert(request);
            RowReport report = reportRow(request, code, before, language_);
            const std::lock_guard<std::mutex> hold(mutex_);
            lastOfFolder_[request.workFolder] = std::move(report);
            return code;
        };
        afterRow = [this](std::size_t row, const platform::Path& folder, int) {
            const std::lock_guard<std::mutex> hold(mutex_);
            auto found = lastOfFolder_.find(folder);
            if (found == lastOfFolder_.end() || row >= rows_.size()) return;
            rows_[row] = std::move(found->second);
            lastOfFolder_.erase(found);
        };
    }
    setup.runPass = parallelPass(folders, std::move(afterRow));
    return {};
}

bool BatchExtrasRun::finish(cw::BatchEnd end) {
    if (!extras_.report) return true;
    if (end != cw::BatchEnd::allSucceeded && end != cw::BatchEnd::failuresLeft) return true;
    std::vector<RowReport> rows;
    for (std::optional<RowReport>& row : rows_)
        if (row) rows.push_back(std::move(*row));
    const std::string text =
        *extras_.report == ReportFormat::json ? reportJson(rows) : reportText(rows);
    if (!extras_.reportFile) {
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
        return true;
    }
    if (platform::writeWholeFile(platform::pathFromUtf8(*extras_.reportFile), text.data(),
                                 text.size()))
        return true;
    std::fprintf(stderr, "chimewright: cannot write the report %s\n", extras_.reportFile->c_str());
    return false;
}

} // namespace cw::cli
