// The MFi writers. A target's row picks the codec that codes its voice and the file form its
// writer makes; runMfiDrivers writes the enabled MFi targets in the table's MFi order and
// stops at the first failure, whose code comes from the target's row.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"

namespace cw {

// Each codes the chosen temporary file(s) within the row's budget and writes the row's form;
// 0 or one of the row's codes.
// Step ADPCM from raw samples, low nibble first (single-rest, vendor 0x11 and 0x31 forms).
int writeLowNibbleTarget(const TargetRow& row, const TargetBlock& block,
                         const MfiDriverContext& context);
// Conditioned step ADPCM, high nibble first (inline, block, stereo block and "adat" forms).
int writeStepTarget(const TargetRow& row, const TargetBlock& block,
                    const MfiDriverContext& context);
// G.726 (inline, single-track, four-track and "adat" forms).
int writeG726Target(const TargetRow& row, const TargetBlock& block,
                    const MfiDriverContext& context);
// IMA ADPCM (four-track and "adat" forms).
int writeImaTarget(const TargetRow& row, const TargetBlock& block,
                   const MfiDriverContext& context);

// The writer of the row's codec; 0 for a row that is no MFi target.
int writeMfiTarget(const TargetRow& row, const TargetBlock& block,
                   const MfiDriverContext& context);

int runMfiDrivers(const MfiDriverContext& context);

} // namespace cw
