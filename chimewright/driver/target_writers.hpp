// The writers that turn the temporary WAV files into the job's output files.
#pragma once

#include "chimewright/driver/intermediates.hpp"
#include "chimewright/driver/job.hpp"

namespace cw {

struct WriterContext {
    const JobSettings& settings;
    const platform::Path& workFolder;
    const JobTexts& texts;
    int intervalMs;
    int smafBudget;
    MfiOptions mfi = {};
    platform::Path programFolder = {}; // tarnwick and the QCP converter; empty: workFolder
    Intermediates rendered = {};       // what the job rendered into workFolder

    // The writers' input files, and which render each holds.
    TempWavSet temps() const { return tempWavSet(rendered, workFolder); }

    const platform::Path& converterFolder() const {
        return programFolder.empty() ? workFolder : programFolder;
    }
};

// The MFi encoder drivers in their fixed order, then the Android writer; the first non-zero
// result ends the input.
int writeMfiAndAndroidTargets(const WriterContext& context);

// Makes the QCP file when its target is enabled: through the outside converter when it lies
// beside chimewright, else with chimewright's own encoder. Nothing it meets changes the result.
void writeQcpTarget(const WriterContext& context);

// The SMAF routes of the enabled SMAF target.
int writeSmafTarget(const WriterContext& context);

} // namespace cw
