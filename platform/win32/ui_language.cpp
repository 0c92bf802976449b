#include "platform/ui_language.hpp"

#include <windows.h>

namespace platform {

bool userInterfaceIsJapanese() {
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

} // namespace platform
