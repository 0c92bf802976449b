#include "platform/wav_player.hpp"

#include <windows.h>
#include <mmsystem.h>

#include <string>

namespace platform {

namespace {

// The file name in the ANSI code page when every character survives the conversion; the
// "A" function is then used as on every Windows version, the "W" one otherwise.
bool ansiName(const Path& file, std::string& out) {
    const std::wstring& wide = file.native();
    if (wide.empty()) return false;
    BOOL lost = FALSE;
    const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1,
                                           nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost) return false;
    out.assign(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out.data(), size,
                          nullptr, &lost);
    return !lost;
}

BOOL playSound(const Path& file, UINT flags) {
    std::string ansi;
    if (ansiName(file, ansi)) return ::sndPlaySoundA(ansi.c_str(), flags | SND_NODEFAULT);
    return ::sndPlaySoundW(file.c_str(), flags | SND_NODEFAULT);
}

} // namespace

bool startWavPlayback(const Path& file) { return playSound(file, SND_ASYNC) != FALSE; }

void stopWavPlayback() { ::sndPlaySoundA(nullptr, SND_ASYNC); }

PlaybackResult playWavToEnd(const Path& file) {
    return playSound(file, SND_SYNC) ? PlaybackResult::played : PlaybackResult::noSoundOutput;
}

} // namespace platform
