#include "chimewright/cli/render_temp.hpp"

#include "chimewright/driver/compressed_input.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "chimewright/cli/work_folder.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"

#include <cstdio>

namespace cw::cli {

int renderTemp(const Options& options) {
    const platform::Path work = options.workFolder ? platform::pathFromUtf8(*options.workFolder)
                                                   : defaultWorkFolder();
    if (!platform::createFolder(work)) {
        std::fprintf(stderr, "chimewright: cannot use the folder %s\n",
                     platform::pathToUtf8(work).c_str());
        return 1;
    }
    const std::string& name = options.files.front();
    const platform::Path input = platform::pathFromUtf8(name);
    bool tarnwickAvailable = false;
    platform::Path source;
    int code = cw::sourceForReaders(cw::checkInputWave(input, work, tarnwickAvailable), input,
                                    work, source);
    if (code == 0) {
        cw::Intermediates all{true, true, true, true, true, true};
        code = cw::renderIntermediates(source, all, options.level, work);
    }
    if (code != 0) {
        std::fprintf(stderr, "chimewright: %s: conversion failed (%d)\n", name.c_str(), code);
        return 1;
    }
    namespace tf = cw::tempfile;
    constexpr std::string_view made[] = {tf::left8k,   tf::right8k,  tf::left16k,
                                         tf::right16k, tf::narrow8k, tf::mono8k,
                                         tf::latest8k, tf::latest16k,  tf::mono32k};
    for (std::string_view temp : made) {
        platform::Path path = cw::tempPath(work, temp);
        platform::File file = platform::openForRead(path);
        auto size = file.size();
        if (!size) continue;
        std::printf("made %s (%llu samples)\n", platform::pathToUtf8(path).c_str(),
                    static_cast<unsigned long long>((*size - 44) / 2));
    }
    return 0;
}

} // namespace cw::cli
