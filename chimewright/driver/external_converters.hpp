// The two converters that run as child processes: tarnwick for the 4 kHz, 8 kHz and
// budget-limited SMAF routes, and the outside QCP converter "PVConv.exe". Both are looked
// for in the program folder (where chimewright itself lies) and run in the working folder.
#pragma once

#include "platform/files.hpp"

#include <string>

namespace cw {

// How long a child may run: 80 polls, 250 ms apart, then it is terminated.
constexpr int converterPolls = 80;
constexpr int converterPollMs = 250;

// File name of the QCP converter in the program folder.
inline constexpr const char* qcpConverterFileName = "PVConv.exe";

// Runs tarnwick on a WAV file of the working folder with the title dialog's values: the
// title, the copyright (with the protection switch) when there is one, the 4 kHz rate
// switch. Texts are UTF-8. tarnwick writes the SMAF file beside the WAV file.
// Windows: tarnwick.exe is the window program, driven through its windows
// (runTarnwickWindows, with its codes). Elsewhere: tarnwick's console program with the values
// as options; 0 once it has ended; 1019 it cannot be started; 1023 it did not end in time and
// was terminated; 1032 its exit status cannot be read; 1033 it ended without converting
// because another tarnwick runs. A conversion that tarnwick itself refused is 0 as well: the
// caller finds no SMAF file to copy. Calls from several threads run one after another.
int runTarnwick(const platform::Path& executable, const platform::Path& workFolder,
                const platform::Path& wavPath, const std::string& title, bool fourKHz,
                const std::string& copyright);

// True when "PVConv.exe" can be opened for reading in the program folder.
bool qcpConverterPresent(const platform::Path& programFolder);

// Runs "PVConv.exe" from the program folder with tempfile::latest8k in the working folder (as
// its current folder) and copies the tempfile::latest8kQcp it leaves there to qcpOutput. A missing,
// failing or hanging converter makes no file; the result is always 0.
int runQcpConverter(const platform::Path& programFolder, const platform::Path& workFolder,
                    const platform::Path& qcpOutput);

} // namespace cw
