// The batch's file list, the rows a dropped file makes, and the worker identifier that keeps
// the list still while a batch runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

struct FileRow {
    std::string path;       // as dropped or given; UTF-8
    std::string title;      // at most 64 characters
    std::string outputName; // at most 64 characters
    int intervalMs = 0;     // 0 = none
};

struct FileList {
    std::vector<FileRow> rows;
    std::vector<int> results; // one per converted row; shorter while a batch fills it
};

// Non-zero while a batch runs. A second batch cannot start, and the rows cannot be cleared,
// added or replaced, until the running one gives the identifier back.
class WorkerSlot {
public:
    // False when a batch runs already (or for identifier 0).
    bool claim(std::uint64_t id);
    void release() { id_.store(0); }
    bool busy() const { return id_.load() != 0; }

private:
    std::atomic<std::uint64_t> id_{0};
};

// The process-wide worker identifier.
WorkerSlot& batchWorker();

// Title of a dropped file: the name after the last "\", "/" or ":" up to its first ".",
// cut to 64 characters whose code-page-932 form is at most 64 bytes.
std::string titleFromPath(std::string_view path);

// A dropped file's row: its title also as output name, no interval.
FileRow droppedFileRow(std::string_view path);

// The list operations of the window. Each returns false and changes nothing while a batch
// runs. Adding skips paths already listed and clears every result.
bool addDroppedFiles(FileList& list, const std::vector<std::string>& paths,
                     const WorkerSlot& worker);
bool replaceRows(FileList& list, std::vector<FileRow> rows, const WorkerSlot& worker);
bool clearList(FileList& list, const WorkerSlot& worker);

} // namespace cw
