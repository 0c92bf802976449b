#include "chimewright/driver/target_writers.hpp"

#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/temp_files.hpp"

namespace cw {

int writeMfiAndAndroidTargets(const WriterContext& context) {
    const auto temp = [&](const char* name) { return tempPath(context.workFolder, name); };

    // The Android writer comes last.
    return writeAndroidTarget(temp("_cwsmtmp.wav"), temp("_cwm32tmp.wav"), temp("_cwhltmp.wav"),
                              temp("_cwhrtmp.wav"), context.settings[targetAndroid],
                              context.texts.titleAnsi, context.texts.copyrightAnsi,
                              context.intervalMs);
}

// No QCP writer is built in yet: the target is not written.
void writeQcpTarget(const WriterContext&) {}

// No SMAF route is built in yet: the target is not written.
int writeSmafTarget(const WriterContext&) { return 0; }

} // namespace cw
