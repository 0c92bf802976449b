// The command line of tarnwick's console program, which chimewright uses to run it:
//   tarnwick [--title T] [--copyright C] [--protect] [--4k] FILE.wav
// The options stand for the title dialog's fields.
#pragma once

namespace suite {

namespace tarnwickOption {
inline constexpr const char* title = "--title";         // the title (default: the file's name)
inline constexpr const char* copyright = "--copyright"; // the copyright text
inline constexpr const char* protect = "--protect";     // the protection switch on
inline constexpr const char* halfRate = "--4k";         // an 8000-Hz file written at 4000 Hz
} // namespace tarnwickOption

namespace tarnwickExit {
constexpr int converted = 0;
constexpr int failed = 1;          // the conversion reported an error
constexpr int usage = 2;           // the command line was wrong
constexpr int otherInstance = 3;   // another tarnwick runs: ended at once, nothing done
} // namespace tarnwickExit

// The named lock that keeps tarnwick to one running instance.
inline constexpr const char* tarnwickInstanceLock = "TARNWICKINSTANCE";

} // namespace suite
