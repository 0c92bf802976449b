// What the player's window keeps between plays: the file named on the command line, every
// file dropped on the window, and the display texts of the last play. The names are the
// window's own ANSI bytes; the window turns the current one into a path when it plays it.
#pragma once

#include "voxreel/model/display_texts.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include "platform/files.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace voxreel {

class PlayerSession {
public:
    // The command line is kept as a 1024-byte buffer holds it.
    static constexpr std::size_t maxCommandLine = 1023;

    // Keeps the first 1023 bytes of the program's command line (after the program's name).
    void setCommandLine(std::string_view commandLine);
    // A command line that starts with a double quote loses its first and its last character,
    // whatever that last one is. True when a file was named, so the window plays it at start.
    bool unquoteCommandFile();
    const std::string& commandFile() const { return commandFile_; }

    void addDroppedFile(std::string name) { droppedFiles_.push_back(std::move(name)); }
    void forgetDroppedFiles() { droppedFiles_.clear(); }
    const std::vector<std::string>& droppedFiles() const { return droppedFiles_; }

    // The last dropped file, or the command-line file while nothing has been dropped.
    const std::string& currentFile() const;

    // The Play command for the current file, found at `path`. A file that cannot be opened,
    // or that fills 1 MiB or more, leaves the texts of the previous play as they were.
    void play(const platform::Path& path, VoiceRenderer& renderer);

    const DisplayTexts& texts() const { return texts_; }
    // The second line: the title, then " / " and the copyright when there is one; empty
    // without a title.
    std::string titleLine() const;

private:
    std::string commandFile_;
    std::vector<std::string> droppedFiles_;
    DisplayTexts texts_;
};

} // namespace voxreel
