// The windows of another process, driven from outside as a user would drive them: found by
// enumeration, read, and given sent or posted messages. Windows only; on POSIX no window is
// ever found and nothing is sent.
#pragma once

#include "platform/files.hpp"
#include "platform/process.hpp"

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

using WindowRef = std::uintptr_t;
inline constexpr WindowRef noWindow = 0;

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The first top-level window of `process` in the system's enumeration order.
WindowRef firstTopLevelWindowOf(const ChildProcess& process);
// A visible top-level window of `process` with an empty text whose owner and parent are
// both `owner` (a dialog it shows over that window).
WindowRef untitledWindowOwnedBy(const ChildProcess& process, WindowRef owner);
// The first child of `parent` whose text begins with `prefix` (UTF-8).
WindowRef childWithTextPrefix(WindowRef parent, std::string_view prefix);
// The control `id` of a dialog.
WindowRef dialogItem(WindowRef dialog, int id);
ScreenRect windowRect(WindowRef window);

// Sets a window's text (sent, so it is done when this returns).
void sendText(WindowRef window, std::string_view utf8);
// Clicks a toggle button of a dialog: checks it and sends the dialog the button's click.
void clickToggle(WindowRef dialog, int id);
// Posts a command from control `id` (with its window when it has one).
void postCommand(WindowRef window, int id);

// Where a drop record handed to another process lives. The system's way is a block of the
// sender that passes with the message; Wine does not carry such a block across processes,
// so there the record is written into the receiver's own memory.
enum class DropPlacement { sender, receiver };
// The placement this system needs: the receiver's memory under Wine, else the sender's.
DropPlacement dropPlacementHere();
// Posts WM_DROPFILES with `record` (the system's drop-files layout) to `window` of
// `process`. False when the block could not be made or the message not posted.
bool postFileDrop(const ChildProcess& process, WindowRef window,
                  const std::vector<unsigned char>& record, DropPlacement placement);

// The system's drop-files record of one file: the offset of the file list (20), the drop
// point, the non-client flag (set), the wide-character flag (set), then the path in UTF-16
// and two NUL characters: 2 x path length + 24 bytes, little-endian.
std::vector<unsigned char> dropFilesRecord(const Path& file, int x, int y);

} // namespace platform
