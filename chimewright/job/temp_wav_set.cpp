#include "chimewright/job/temp_wav_set.hpp"

#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"

#include <string_view>

namespace cw {

namespace {

constexpr std::string_view namesByRender[tempWavCount] = {
    tempfile::left8k,   tempfile::right8k, tempfile::left16k, tempfile::right16k,
    tempfile::narrow8k, tempfile::mono8k,  tempfile::latest16k, tempfile::mono32k,
};

} // namespace

std::string_view tempWavName(TempWav render) {
    return namesByRender[static_cast<std::size_t>(render)];
}

platform::Path TempWavSet::path(TempWav render) const {
    return tempPath(workFolder, tempWavName(render));
}

platform::Path TempWavSet::latest8kPath() const { return tempPath(workFolder, tempfile::latest8k); }

} // namespace cw
