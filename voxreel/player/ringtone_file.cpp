#include "voxreel/player/ringtone_file.hpp"

#include "voxreel/model/mfi_file.hpp"

namespace voxreel {

RingtoneLoad loadRingtoneFile(const platform::Path& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    platform::File file = platform::openForRead(path, platform::shareRead);
    if (!file.isOpen()) return RingtoneLoad::cannotOpen;
    bytes.resize(maxRingtoneBytes);
    const auto got = file.read(bytes.data(), bytes.size());
    if (!got) {
        bytes.clear();
        return RingtoneLoad::cannotOpen;
    }
    bytes.resize(*got);
    return *got < maxRingtoneBytes ? RingtoneLoad::loaded : RingtoneLoad::tooLarge;
}

} // namespace voxreel
