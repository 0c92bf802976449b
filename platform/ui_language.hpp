// The language the user reads: programs with texts in English and Japanese pick their table
// by it.
#pragma once

namespace platform {

// Windows: the user's interface language. POSIX: the locale that names the language of
// messages (LC_ALL, then LC_MESSAGES, then LANG), as the C library would choose it.
bool userInterfaceIsJapanese();

} // namespace platform
