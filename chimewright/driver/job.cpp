#include "chimewright/driver/job.hpp"

#include "chimewright/driver/compressed_input.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/driver/target_writers.hpp"
#include "platform/text.hpp"

namespace cw {

namespace {

// Deleted at the start of every conversion, in this order; failures do not matter.
constexpr const char* fixedTempNames[] = {
    "SAMPLE.MID",    "SAMPLE.mmf",    "_cwmtmp.mmf",   "_cw6tmp.mmf",   "_cwwtmp.wav",
    "_cwmtmp.wav",   "_cwsmtmp.wav",  "_cwmltmp.wav",  "_cwmrtmp.wav",  "_cwhltmp.wav",
    "_cwhrtmp.wav",  "_cwctmp.wav",   "_cwmtmp.mmf",   "_cwmltmp.mmf",  "_cwmrtmp.mmf",
    "_cwmtmp.qcp",   "_cwm32tmp.wav", "_cwm4tmp.wav",  "_cwm8tmp.wav",  "_cwm4tmp.mmf",
    "_cwm8tmp.mmf",  "_cw6tmp.wav",
};

constexpr std::size_t maxAnsiText = 254;

// Cuts code-page-932 bytes to at most `limit` bytes without splitting a double-byte character.
std::string cutCp932(const std::string& text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[end]);
        bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        std::size_t next = end + (doubleByte ? 2 : 1);
        if (next > limit || next > text.size()) break;
        end = next;
    }
    return text.substr(0, end);
}

} // namespace

std::string titleToAnsi(const std::string& title) {
    std::string ansi = cutCp932(platform::utf8ToCp932(title), maxAnsiText);
    return ansi.empty() ? std::string(" ") : ansi;
}

int prepareJob(const JobRequest& request) {
    JobSettings settings;
    for (int t = 0; t < targetCount; ++t) {
        const auto index = static_cast<std::size_t>(t);
        const TargetInfo& info = targetTable[index];
        const TargetSetting& stored = request.targets[index];
        settings[index] =
            makeTargetBlock(stored.flags, info.volumeFromSettings ? stored.volume : 1.0,
                            info.largeBudget, t == targetSmaf ? request.smafBudget : 0);
        settings[index].outputPath = targetOutputPath(request.outputFolder, t, request.outputName);
    }
    JobTexts texts;
    texts.title = request.title;
    texts.titleAnsi = titleToAnsi(request.title);
    texts.copyright = request.copyright;
    texts.copyrightAnsi = cutCp932(request.copyrightAnsi, maxAnsiText);

    int code = convertFile(request.input, settings, request.workFolder, texts, request.level,
                           request.intervalMs, request.smafBudget, request.mfi,
                           request.programFolder);
    return code == 1 ? 0 : code;
}

int convertFile(const platform::Path& input, const JobSettings& settings,
                const platform::Path& workFolder, const JobTexts& texts, double level,
                int intervalMs, int smafBudget, const MfiOptions& mfi,
                const platform::Path& programFolder) {
    for (const char* name : fixedTempNames) platform::deleteFile(tempPath(workFolder, name));

    bool tarnwickAvailable = false;
    int code = checkInputWave(input, workFolder, tarnwickAvailable, programFolder);
    platform::Path source;
    if ((code = sourceForReaders(code, input, workFolder, source))) return code;

    if ((code = renderIntermediates(source, neededIntermediates(settings), level, workFolder)))
        return code;

    const WriterContext context{settings, workFolder, texts,        intervalMs,
                                smafBudget, mfi,     programFolder};
    if ((code = writeMfiAndAndroidTargets(context))) return code;

    platform::setCurrentFolder(workFolder);
    writeQcpTarget(context); // the QCP converter's outcome never changes the result

    if (!tarnwickAvailable) return 1; // no SMAF file is made by any route
    return writeSmafTarget(context);
}

} // namespace cw
