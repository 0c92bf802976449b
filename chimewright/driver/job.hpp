// One input file through the whole conversion: checks, temporary files, every enabled target.
#pragma once

#include "chimewright/driver/targets.hpp"

#include <string>

namespace cw {

// A target's stored settings: its flags word and its volume (1.0 = 100 %).
struct TargetSetting {
    std::uint32_t flags = 0;
    double volume = 1.0;
};

// Everything one row of a batch needs. Texts are UTF-8 (user-interface text); the ANSI
// copyright is the code-page-932 form, at most 254 bytes, empty when there is none.
struct JobRequest {
    platform::Path input;
    std::string title;
    std::string outputName;
    platform::Path outputFolder;
    double level = -1.0; // normalisation level, or -1 when normalisation is off
    int intervalMs = 0;
    int smafBudget = 5900;
    std::string copyright;
    std::string copyrightAnsi;
    std::array<TargetSetting, targetCount> targets{};
    platform::Path workFolder; // where the temporary files live
    // Where tarnwick and the QCP converter are looked for (chimewright's own folder); empty:
    // the working folder.
    platform::Path programFolder;
    MfiOptions mfi;
};

// Texts handed to the writers: UI (UTF-8) and ANSI forms; an absent copyright is empty.
struct JobTexts {
    std::string title;
    std::string titleAnsi;
    std::string copyright;
    std::string copyrightAnsi;
};

// Builds the job's blocks and texts and converts. A result of 1 (no SMAF route available) is
// reported as 0; any other result is returned as it is.
int prepareJob(const JobRequest& request);

// programFolder: where tarnwick and the QCP converter are looked for; empty: workFolder.
int convertFile(const platform::Path& input, const JobSettings& settings,
                const platform::Path& workFolder, const JobTexts& texts, double level,
                int intervalMs, int smafBudget, const MfiOptions& mfi = {},
                const platform::Path& programFolder = {});

// Title as ANSI bytes: code page 932, at most 254 bytes; an empty result becomes " ".
std::string titleToAnsi(const std::string& title);

} // namespace cw
