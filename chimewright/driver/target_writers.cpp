#include "chimewright/driver/target_writers.hpp"

#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/external_converters.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/qcp_target.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "chimewright/mfi/mfi_drivers.hpp"

namespace cw {

int writeMfiAndAndroidTargets(const WriterContext& context) {
    const TempWavSet temps = context.temps();
    const MfiDriverContext mfi{
        .settings = context.settings,
        .temps = temps,
        .texts = makeMfiTexts(context.texts.titleAnsi, context.texts.copyrightAnsi),
        .extraSilenceMs = context.intervalMs,
        .options = context.mfi,
    };
    if (int code = runMfiDrivers(mfi)) return code;

    // The Android writer comes last.
    return writeAndroidTarget(temps.path(TempWav::mono16k), temps.path(TempWav::mono32k),
                              temps.path(TempWav::left16k), temps.path(TempWav::right16k),
                              context.settings[targetAndroid],
                              context.texts.titleAnsi, context.texts.copyrightAnsi,
                              context.intervalMs);
}

void writeQcpTarget(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetQcp];
    if (!block.enabled) return;
    // The outside converter, when the user has put it beside chimewright, makes the file as
    // it always has; otherwise chimewright's own encoder does, when there is one. Both read
    // the 8 kHz reader's file, which then holds the mono render (the QCP target needs it).
    if (qcpConverterPresent(context.converterFolder())) {
        runQcpConverter(context.converterFolder(), context.workFolder, block.outputPath);
        return;
    }
    if (const auto encoder = makeQcelpEncoder())
        encodeWavToQcp(context.temps().latest8kPath(), block.outputPath, *encoder);
}

namespace {

// tarnwick converts one temporary WAV file; its SMAF file, of the same name with ".mmf",
// becomes the target's output.
int runTarnwickOn(const WriterContext& context, const platform::Path& wav, bool fourKHz) {
    return runTarnwick(tempPath(context.converterFolder(), tarnwickFileName()),
                       context.workFolder, wav, context.texts.title, fourKHz,
                       context.texts.copyright);
}

// "4kHz" or "8kHz" with "Unlimited": the whole sound.
int writeSmafThroughTarnwick(const WriterContext& context, TempWav render,
                             std::string_view mmfName, bool fourKHz) {
    if (int code = runTarnwickOn(context, context.temps().path(render), fourKHz)) return code;
    return copyTempFile(context.workFolder, mmfName, context.settings[targetSmaf].outputPath);
}

// Without "Unlimited": the 8 kHz file cut to what the SMAF budget holds after the texts. A
// sound that cannot be cut, or a file that tarnwick did not write, makes no SMAF file.
int writeBudgetSmaf(const WriterContext& context) {
    const TargetBlock& block = context.settings[targetSmaf];
    const int start =
        static_cast<int>(context.texts.titleAnsi.size() + context.texts.copyrightAnsi.size());
    // The 8 kHz reader's file: whichever 8 kHz render came last (TempWavSet::latest8k).
    const platform::Path cut = tempPath(context.workFolder, tempfile::budgetCut8k);
    if (trimWavForBudget(context.temps().latest8kPath(), cut, block.lowRate, start,
                         context.smafBudget) != 0)
        return 0;
    if (int code = runTarnwickOn(context, cut, block.lowRate != 0)) return code;
    copyTempFile(context.workFolder, tempfile::budgetCut8kSmaf, block.outputPath);
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
        if (int code = writeSmafThroughTarnwick(context, TempWav::narrow8k, tempfile::narrow8kSmaf,
                                                 true))
            return code;
    }
    if (block.rate8k && block.useUserLimit) {
        if (int code = writeSmafThroughTarnwick(context, TempWav::mono8k, tempfile::mono8kSmaf,
                                                 false))
            return code;
    }
    if (!block.rate16k && !block.useUserLimit) return writeBudgetSmaf(context);
    return 0;
}

} // namespace cw
