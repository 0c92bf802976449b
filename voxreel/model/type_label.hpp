// The label that names a ringtone's handset family and rate, e.g. "MFi(500) / SO505iS /
// 16000[Hz]", "MFi(500)(2) / 8000[Hz]", "MMF / 0[Hz]" (an MFi file without voice) or
// "MMF / 8000[Hz]" (SMAF).
#pragma once

#include <string>

namespace voxreel {

// The MFi label from what rendering the file yielded.
std::string formatTypeLabel(int version, int vendorCode, int variantCode, int rate);

// The SMAF label.
std::string smafTypeLabel(int rate);

} // namespace voxreel
