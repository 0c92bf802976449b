#include "chimewright/app/file_list.hpp"

#include "chimewright/app/user_text.hpp"
#include "platform/text.hpp"

#include <algorithm>

namespace cw {

namespace {

constexpr std::size_t maxTitle = 64;

// Removes the last UTF-8 character.
void dropLastCharacter(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) --end;
    text.resize(end > 0 ? end - 1 : 0);
}

} // namespace

bool WorkerSlot::claim(std::uint64_t id) {
    if (id == 0) return false;
    std::uint64_t idle = 0;
    return id_.compare_exchange_strong(idle, id);
}

WorkerSlot& batchWorker() {
    static WorkerSlot slot;
    return slot;
}

std::string titleFromPath(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::string title = cutToUtf16Units(name, maxTitle);
    while (platform::utf8ToCp932(title).size() > maxTitle) dropLastCharacter(title);
    return title;
}

FileRow droppedFileRow(std::string_view path) {
    FileRow row;
    row.path = std::string(path);
    row.title = titleFromPath(path);
    row.outputName = row.title;
    return row;
}

bool addDroppedFiles(FileList& list, const std::vector<std::string>& paths,
                     const WorkerSlot& worker) {
    if (worker.busy()) return false;
    for (const std::string& path : paths) {
        const bool listed = std::any_of(list.rows.begin(), list.rows.end(),
                                        [&](const FileRow& row) { return row.path == path; });
        if (!listed) list.rows.push_back(droppedFileRow(path));
    }
    list.results.clear();
    return true;
}

bool replaceRows(FileList& list, std::vector<FileRow> rows, const WorkerSlot& worker) {
    if (worker.busy()) return false;
    list.rows = std::move(rows);
    list.results.clear();
    return true;
}

bool clearList(FileList& list, const WorkerSlot& worker) {
    if (worker.busy()) return false;
    list.rows.clear();
    list.results.clear();
    return true;
}

} // namespace cw
