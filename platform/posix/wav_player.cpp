#include "platform/wav_player.hpp"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

// Players tried in turn: the sound servers' own tools first, then ALSA's.
struct PlayerCommand {
    const char* program;
    const char* option; // may be null
};
constexpr PlayerCommand players[] = {
    {"pw-play", nullptr},
    {"paplay", nullptr},
    {"aplay", "-q"},
};

pid_t backgroundPlayer = -1;

// Starts one player on the file with its standard streams on the null device; -1 when the
// program cannot be started (for instance, it is not installed).
pid_t spawnPlayer(const PlayerCommand& player, const Path& file) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    const std::string path = file.string();
    char* argv[4] = {};
    int count = 0;
    argv[count++] = const_cast<char*>(player.program);
    if (player.option) argv[count++] = const_cast<char*>(player.option);
    argv[count++] = const_cast<char*>(path.c_str());
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, player.program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

// True when the player ran to its end with success.
bool waitForPlayer(pid_t pid) {
    int status = 0;
    for (;;) {
        if (::waitpid(pid, &status, 0) == pid) break;
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool startWavPlayback(const Path& file) {
    stopWavPlayback();
    for (const PlayerCommand& player : players) {
        backgroundPlayer = spawnPlayer(player, file);
        if (backgroundPlayer > 0) return true;
    }
    return false;
}

void stopWavPlayback() {
    if (backgroundPlayer <= 0) return;
    ::kill(backgroundPlayer, SIGTERM);
    waitForPlayer(backgroundPlayer);
    backgroundPlayer = -1;
}

PlaybackResult playWavToEnd(const Path& file) {
    stopWavPlayback();
    for (const PlayerCommand& player : players) {
        const pid_t pid = spawnPlayer(player, file);
        if (pid > 0 && waitForPlayer(pid)) return PlaybackResult::played;
    }
    return PlaybackResult::noSoundOutput;
}

} // namespace platform
