#include "chimewright/driver/target_writers.hpp"

#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/driver/temp_files.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"

namespace cw {

int writeMfiAndAndroidTargets(const WriterContext& context) {
    const auto temp = [&](const char* name) { return tempPath(context.workFolder, name); };

    const MfiDriverContext mfi{
        .settings = context.settings,
        .workFolder = context.workFolder,
        .texts = makeMfiTexts(context.texts.titleAnsi, context.texts.copyrightAnsi),
        .extraSilenceMs = context.intervalMs,
        .options = context.mfi,
    };
    if (int code = runMfiDrivers(mfi)) return code;

    // The Android writer comes last.
    return writeAndroidTarget(temp("_cwsmtmp.wav"), temp("_cwm32tmp.wav"), temp("_cwhltmp.wav"),
                              temp("_cwhrtmp.wav"), context.settings[targetAndroid],
                              context.texts.titleAnsi, context.texts.copyrightAnsi,
                              context.intervalMs);
}

// No QCP writer is built in yet: the target is not written.
void writeQcpTarget(const WriterContext&) {}

// The routes of the SMAF target, in order; each that applies runs, the first failure ends.
int writeSmafTarget(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetSmaf];
    if (!block.enabled) return 0;
    if (block.rate16k) {
        if (int code = writeSmafStreamRoute(context)) return code;
    }
    // The routes through tarnwick ("4kHz", "8kHz" and the budget-limited one) follow here.
    return 0;
}

} // namespace cw
