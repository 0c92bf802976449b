#include "chimewright/driver/job.hpp"

#include "chimewright/driver/compressed_input.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "chimewright/driver/target_writers.hpp"
#include "platform/text.hpp"

namespace cw {

namespace {

// Deleted at the start of every conversion, in this order; failures do not matter.
// latest8kSmaf stands twice: the second delete finds nothing.
namespace tf = tempfile;
constexpr std::string_view fixedTempNames[] = {
    tf::sampleMidi,   tf::sampleSmaf,  tf::latest8kSmaf, tf::budgetCut8kSmaf, tf::decodedPcm,
    tf::latest8k,     tf::latest16k,     tf::left8k,       tf::right8k,         tf::left16k,
    tf::right16k,     tf::compressedCopy, tf::latest8kSmaf, tf::left8kSmaf,   tf::right8kSmaf,
    tf::latest8kQcp,  tf::mono32k,     tf::narrow8k,     tf::mono8k,          tf::narrow8kSmaf,
    tf::mono8kSmaf,   tf::budgetCut8k,
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
    return code == result::noSmafConverter ? 0 : code;
}

int convertFile(const platform::Path& input, const JobSettings& settings,
                const platform::Path& workFolder, const JobTexts& texts, double level,
                int intervalMs, int smafBudget, const MfiOptions& mfi,
                const platform::Path& programFolder) {
    for (std::string_view name : fixedTempNames)
        platform::deleteFile(tempPath(workFolder, name));

    bool tarnwickAvailable = false;
    int code = checkInputWave(input, workFolder, tarnwickAvailable, programFolder);
    platform::Path source;
    if ((code = sourceForReaders(code, input, workFolder, source))) return code;

    const Intermediates needed = neededIntermediates(settings);
    if ((code = renderIntermediates(source, needed, level, workFolder))) return code;

    const WriterContext context{settings, workFolder, texts,        intervalMs,
                                smafBudget, mfi,     programFolder, needed};
    if ((code = writeMfiAndAndroidTargets(context))) return code;

    platform::setCurrentFolder(workFolder);
    writeQcpTarget(context); // the QCP converter's outcome never changes the result

    if (!tarnwickAvailable) return result::noSmafConverter; // no SMAF file is made by any route
    return writeSmafTarget(context);
}

} // namespace cw
