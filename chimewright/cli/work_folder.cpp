#include "chimewright/cli/work_folder.hpp"

#include "chimewright/job/temp_names.hpp"

#include <system_error>

namespace cw::cli {

namespace {

bool canMakeFilesIn(const platform::Path& folder) {
    const platform::Path probe = folder / cw::tempfile::writeProbe;
    if (!platform::createForWrite(probe).isOpen()) return false;
    platform::deleteFile(probe);
    return true;
}

} // namespace

platform::Path defaultWorkFolder() {
    const platform::Path beside = platform::moduleFolder();
    if (canMakeFilesIn(beside)) return beside;
    const platform::Path own = platform::userWorkFolder();
    if (own.empty()) return beside;
    std::error_code ec;
    std::filesystem::create_directories(own, ec); // a failure shows when the folder is used
    return own;
}

} // namespace cw::cli
