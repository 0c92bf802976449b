#include "chimewright/driver/target_writers.hpp"

#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/external_converters.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/qcp_target.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/job/temp_files.hpp"
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

void writeQcpTarget(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetQcp];
    if (!block.enabled) return;
    // The outside converter, when the user has put it beside chimewright, makes the file as
    // it always has; otherwise chimewright's own encoder does, when there is one.
    if (qcpConverterPresent(context.converterFolder())) {
        runQcpConverter(context.converterFolder(), context.workFolder, block.outputPath);
        return;
    }
    if (const auto encoder = makeQcelpEncoder())
        encodeWavToQcp(tempPath(context.workFolder, temp8kName), block.outputPath, *encoder);
}

namespace {

// tarnwick converts one temporary WAV file; its SMAF file, of the same name with ".mmf",
// becomes the target's output.
int runTarnwickOn(const WriterContext& context, const char* wavName, bool fourKHz) {
    return runTarnwick(tempPath(context.converterFolder(), tarnwickFileName()),
                       context.workFolder, tempPath(context.workFolder, wavName),
                       context.texts.title, fourKHz, context.texts.copyright);
}

// "4kHz" or "8kHz" with "Unlimited": the whole sound.
int writeSmafThroughTarnwick(const WriterContext& context, const char* wavName,
                             const char* mmfName, bool fourKHz) {
    if (int code = runTarnwickOn(context, wavName, fourKHz)) return code;
    return copyTempFile(context.workFolder, mmfName, context.settings[targetSmaf].outputPath);
}

// Without "Unlimited": the 8 kHz file cut to what the SMAF budget holds after the texts. A
// sound that cannot be cut, or a file that tarnwick did not write, makes no SMAF file.
int writeBudgetSmaf(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetSmaf];
    const int start =
        static_cast<int>(context.texts.titleAnsi.size() + context.texts.copyrightAnsi.size());
    if (trimWavForBudget(tempPath(context.workFolder, temp8kName),
                         tempPath(context.workFolder, "_cw6tmp.wav"), block.lowRate, start,
                         context.smafBudget) != 0)
        return 0;
    if (int code = runTarnwickOn(context, "_cw6tmp.wav", block.lowRate != 0)) return code;
    copyTempFile(context.workFolder, "_cw6tmp.mmf", block.outputPath);
    return 0;
}

} // namespace

// The routes of the SMAF target, in order; each that applies runs, the first failure ends.
int writeSmafTarget(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetSmaf];
    if (!block.enabled) return 0;
    if (block.rate16k) {
        if (int code = writeSmafStreamRoute(context)) return code;
    }
    if (block.lowRate && block.useUserLimit) {
        if (int code = writeSmafThroughTarnwick(context, "_cwm4tmp.wav", "_cwm4tmp.mmf", true))
            return code;
    }
    if (block.rate8k && block.useUserLimit) {
        if (int code = writeSmafThroughTarnwick(context, "_cwm8tmp.wav", "_cwm8tmp.mmf", false))
            return code;
    }
    if (!block.rate16k && !block.useUserLimit) return writeBudgetSmaf(context);
    return 0;
}

} // namespace cw
