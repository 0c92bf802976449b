// --jobs: the rows of a pass converted by several workers at once. The temporary files have
// fixed names, so each worker has a working folder of its own; results still reach the port
// in row order, on the batch's thread.
#pragma once

#include "chimewright/app/batch.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cw::cli {

// Most workers --jobs accepts.
constexpr int maxJobs = 64;

// The number of workers for --jobs N: N itself, or one per core for 0. Nothing when the text
// is not a whole number from 0 to maxJobs.
std::optional<int> parseJobs(const std::string& text);

// Working folders of `jobs` workers: the working folder itself for one worker, else
// "job1", "job2", ... inside it.
std::vector<platform::Path> workerFolders(const platform::Path& workFolder, int jobs);

// Called on a worker's thread right after it converted `row` in `folder`, while the folder
// still holds that row's temporary files.
using AfterRow = std::function<void(std::size_t row, const platform::Path& folder, int code)>;

// A pass runner with one worker per folder. Rows are handed out in order; each row's
// `starting` comes when the batch's thread begins to wait for it.
cw::PassRunner parallelPass(std::vector<platform::Path> folders, AfterRow afterRow = {});

} // namespace cw::cli
