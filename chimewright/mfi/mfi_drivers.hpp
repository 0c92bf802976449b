// The six MFi encoder drivers. Each writes the enabled targets of its families in a fixed
// order and returns 0 or the first failure's code; runMfiDrivers calls them in the order of
// a conversion and stops at the first non-zero result.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"

namespace cw {

// n503, n504, n505, f503, so504, so505: step ADPCM, raw samples, low nibble first. Codes
// 9201 create, 9202 too large ("0200" files), 9204 create, 9205 too large ("0300" files),
// 9206 open.
int runLowNibbleDriver(const MfiDriverContext& context);
// p211, p900, sa700. Codes 6000 open, 6001 create, 6002 too large.
int runVendor41Driver(const MfiDriverContext& context);
// f504, f505. Codes 9000 open, 9001 create, 9002 too large.
int runVendor21Driver(const MfiDriverContext& context);
// sh251, sh505. Codes 9100 open, 9101 create (inline), 9104 create (block), 9102 too large.
int runVendor71Driver(const MfiDriverContext& context);
// d211, d505, p505, sh252, so505is, sa702, p903: G.726. Codes 7003 open, 7002 too large,
// create 7001, 7004, 6003, 9107, 9209, 9210, 9211 (one per target, in that order).
int runG726Driver(const MfiDriverContext& context);
// l600, n600, m702: IMA ADPCM. Codes 9300, 9302, 9304 open; 9301, 9303, 9305 create.
int runImaDriver(const MfiDriverContext& context);

int runMfiDrivers(const MfiDriverContext& context);

} // namespace cw
