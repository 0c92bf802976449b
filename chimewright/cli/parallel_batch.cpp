#include "chimewright/cli/parallel_batch.hpp"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

namespace cw::cli {

std::optional<int> parseJobs(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    const int jobs = std::atoi(text.c_str());
    if (jobs > maxJobs) return std::nullopt;
    if (jobs > 0) return jobs;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, maxJobs));
}

std::vector<platform::Path> workerFolders(const platform::Path& workFolder, int jobs) {
    if (jobs <= 1) return {workFolder};
    std::vector<platform::Path> folders;
    for (int k = 1; k <= jobs; ++k) folders.push_back(workFolder / ("job" + std::to_string(k)));
    return folders;
}

namespace {

// The state one pass shares between its workers and the batch's thread.
class Pass {
public:
    Pass(const std::vector<std::size_t>& rows, const cw::RowSteps& steps, const AfterRow& afterRow)
        : rows_(rows), steps_(steps), afterRow_(afterRow), codes_(rows.size()) {}

    // A worker: takes the next row until none is left.
    void work(const platform::Path& folder) {
        for (;;) {
            std::size_t k;
            {
                std::lock_guard<std::mutex> hold(mutex_);
                if (next_ == rows_.size()) return;
                k = next_++;
            }
            const int code = steps_.convert(rows_[k], folder);
            if (afterRow_) afterRow_(rows_[k], folder, code);
            {
                std::lock_guard<std::mutex> hold(mutex_);
                codes_[k] = code;
            }
            done_.notify_all();
        }
    }

    // The batch's thread: each row's result in row order, as soon as it is there.
    void reportInOrder() {
        for (std::size_t k = 0; k < rows_.size(); ++k) {
            steps_.starting(rows_[k]);
            int code;
            {
                std::unique_lock<std::mutex> hold(mutex_);
                done_.wait(hold, [&] { return codes_[k].has_value(); });
                code = *codes_[k];
            }
            steps_.finished(rows_[k], code);
        }
    }

private:
    const std::vector<std::size_t>& rows_;
    const cw::RowSteps& steps_;
    const AfterRow& afterRow_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::size_t next_ = 0;
    std::vector<std::optional<int>> codes_;
};

} // namespace

cw::PassRunner parallelPass(std::vector<platform::Path> folders, AfterRow afterRow) {
    return [folders = std::move(folders), afterRow = std::move(afterRow)](
               const std::vector<std::size_t>& rows, const cw::RowSteps& steps) {
        Pass pass(rows, steps, afterRow);
        std::vector<std::thread> workers;
        const std::size_t wanted = std::min(folders.size(), rows.size());
        for (std::size_t w = 0; w < wanted; ++w) {
            try {
                workers.emplace_back(&Pass::work, &pass, std::cref(folders[w]));
            } catch (const std::system_error&) {
                break; // fewer workers; the ones running take every row
            }
        }
        if (workers.empty() && !rows.empty()) {
            // No thread could be started: this thread converts, one row after another.
            for (std::size_t i : rows) {
                steps.starting(i);
                const int code = steps.convert(i, folders.front());
                if (afterRow) afterRow(i, folders.front(), code);
                steps.finished(i, code);
            }
            return;
        }
        pass.reportInOrder();
        for (std::thread& worker : workers) worker.join();
    };
}

} // namespace cw::cli
