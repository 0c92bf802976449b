#include "voxreel/player/player_session.hpp"

#include "voxreel/player/ringtone_file.hpp"
#include "voxreel/player/ringtone_player.hpp"

namespace voxreel {

void PlayerSession::setCommandLine(std::string_view commandLine) {
    commandFile_.assign(commandLine.substr(0, maxCommandLine));
}

bool PlayerSession::unquoteCommandFile() {
    if (commandFile_.empty()) return false;
    if (commandFile_.front() == '"') {
        commandFile_.erase(0, 1);
        if (!commandFile_.empty()) commandFile_.pop_back();
    }
    return true;
}

const std::string& PlayerSession::currentFile() const {
    return droppedFiles_.empty() ? commandFile_ : droppedFiles_.back();
}

void PlayerSession::play(const platform::Path& path, VoiceRenderer& renderer) {
    std::vector<unsigned char> bytes;
    if (loadRingtoneFile(path, bytes) != RingtoneLoad::loaded) return;
    playRingtoneBuffer(bytes, texts_, renderer);
}

std::string PlayerSession::titleLine() const {
    if (texts_.title.empty()) return {};
    if (texts_.copyright.empty()) return texts_.title;
    return texts_.title + " / " + texts_.copyright;
}

} // namespace voxreel
