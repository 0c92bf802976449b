#include "tests/gui/automation/drop.hpp"

#include "tests/gui/automation/remote_memory.hpp"

#include <cstring>
#include <shlobj.h>
#include <string>

namespace gui_test {

std::vector<unsigned char> dropFilesBlock(const std::vector<std::filesystem::path>& files,
                                          const DropOptions& options) {
    std::wstring names;
    for (const auto& file : files) {
        names += file.wstring();
        names.push_back(L'\0');
    }
    names.push_back(L'\0');
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = options.point;
    header.fNC = options.nonClient;
    header.fWide = TRUE;
    std::vector<unsigned char> block(sizeof header + names.size() * sizeof(wchar_t));
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return block;
}

void dropFiles(HWND window, const std::vector<std::filesystem::path>& files,
               const DropOptions& options) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const std::vector<unsigned char> block = dropFilesBlock(files, options);
    const HGLOBAL drop = globalAllocInProcess(processId, block.data(), block.size());
    ::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

} // namespace gui_test
