#include "chimewright/job/temp_files.hpp"

#include "chimewright/job/result_codes.hpp"

#include <string>

namespace cw {

Path tempPath(const Path& workFolder, std::string_view name) {
    if (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.remove_prefix(1);
    if (workFolder.empty()) return Path(std::string(1, Path::preferred_separator)) / name;
    return workFolder / name;
}

namespace {

bool isSeparator(Path::value_type c) {
    return c == Path::preferred_separator || c == static_cast<Path::value_type>('/');
}

// Creates each folder of the path from the left: every prefix that ends before a separator,
// except one that follows a drive colon (or is the root itself).
bool createParentFolders(const Path& path) {
    const auto& text = path.native();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!isSeparator(text[i]) || text[i - 1] == static_cast<Path::value_type>(':')) continue;
        if (isSeparator(text[i - 1])) continue;
        if (!platform::createFolder(Path(text.substr(0, i)))) return false;
    }
    return true;
}

} // namespace

platform::File createOutputFile(const Path& path) {
    const unsigned share = platform::shareRead | platform::shareWrite;
    platform::File file = platform::createForWrite(path, share);
    // A file that cannot be created for want of its folder may also report "file not
    // found": when another thread makes the folder between the failed open and the look at
    // why it failed.
    const bool folderMissing = file.error() == platform::OpenError::pathNotFound ||
                               file.error() == platform::OpenError::fileNotFound;
    if (file.isOpen() || !folderMissing) return file;
    if (!createParentFolders(path)) return platform::File::failed(platform::OpenError::pathNotFound);
    return platform::createForWrite(path, share);
}

bool writeOutputFile(const Path& path, std::span<const unsigned char> bytes) {
    platform::File file = createOutputFile(path);
    if (!file.isOpen()) return false;
    const bool written = file.write(bytes.data(), bytes.size());
    file.close();
    if (!written) platform::deleteFile(path);
    return written;
}

int copyTempFile(const Path& workFolder, std::string_view tempName, const Path& dest) {
    platform::File source = platform::openForRead(tempPath(workFolder, tempName));
    if (!source.isOpen()) return result::tempFileNotOpened;
    platform::File target = createOutputFile(dest);
    if (!target.isOpen()) return result::outputFileNotCreated;
    char block[4096];
    for (;;) {
        auto got = source.read(block, sizeof block);
        if (!got || *got == 0) break;
        if (!target.write(block, *got)) break;
    }
    return 0;
}

} // namespace cw
