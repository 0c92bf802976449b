// The one font of all controls: height 15, normal weight, face "ＭＳ Ｐ明朝", or an installed
// Mincho face when that one is missing (as under Wine, which has no fonts of its own).
#pragma once

#include <string>
#include <windows.h>

namespace cw::gui {

// The face the controls use on this system.
std::wstring controlFontFace();

HFONT createControlFont();

} // namespace cw::gui
