#include "chimewright/cli/ringtone_report.hpp"

#include "chimewright/app/result_messages.hpp"
#include "chimewright/cli/decode_back.hpp"
#include "chimewright/driver/external_converters.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/smaf_stream_route.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "chimewright/mfi/mfi_driver.hpp"
#include "platform/text.hpp"

#include <algorithm>
#include <cmath>
#include <system_error>

namespace cw::cli {

namespace {

// A file shorter than its source by more than this counts as cut (coded blocks and the
// codecs' own rounding stay well inside it).
constexpr double cutTolerance = 0.1;

std::optional<std::filesystem::file_time_type> writtenAt(const platform::Path& path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return time;
}

std::vector<cw::TargetBlock> blocksOf(const cw::JobRequest& request) {
    std::vector<cw::TargetBlock> blocks;
    for (int t = 0; t < cw::targetCount; ++t) {
        const auto index = static_cast<std::size_t>(t);
        cw::TargetBlock block =
            cw::makeTargetBlock(request.targets[index].flags, request.targets[index].volume,
                                cw::targetTable[index].largeBudget,
                                t == cw::targetSmaf ? request.smafBudget : 0);
        block.outputPath = cw::targetOutputPath(request.outputFolder, t, request.outputName);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

bool isMfi(int target) {
    return target != cw::targetSmaf && target != cw::targetQcp && target != cw::targetAndroid;
}

// The SMAF target's budget route: neither "16kHz" nor "Unlimited".
bool budgetRoute(const cw::TargetBlock& block) { return !block.rate16k && !block.useUserLimit; }

// The temporary files a target's sound was made from, by what the file holds.
struct Source {
    std::vector<std::string_view> names; // one per channel
    bool everyOther = false;             // the file holds every other sample (4000 Hz from 8000 Hz)
    std::string_view wholeSound;         // the row's sound before any cut
};

std::optional<Source> sourceOf(int target, const cw::TargetBlock& block, int rate,
                               std::size_t channels) {
    namespace tf = cw::tempfile;
    const bool stereo = channels == 2;
    if (target == cw::targetSmaf && budgetRoute(block) && (rate == 8000 || rate == 4000))
        return Source{{tf::budgetCut8k}, rate == 4000, tf::latest8k};
    switch (rate) {
    case 4000: return Source{{tf::narrow8k}, true, tf::narrow8k};
    case 8000:
        if (stereo) return Source{{tf::left8k, tf::right8k}, false, tf::left8k};
        return Source{{tf::mono8k}, false, tf::mono8k};
    case 16000:
        if (stereo) return Source{{tf::left16k, tf::right16k}, false, tf::left16k};
        return Source{{tf::latest16k}, false, tf::latest16k};
    case 32000: return Source{{tf::mono32k}, false, tf::mono32k};
    default: return std::nullopt;
    }
}

// 16-bit samples of a temporary WAV file (from byte 44); nothing when it cannot be read.
std::optional<std::vector<std::int16_t>> tempSamples(const platform::Path& path, bool everyOther) {
    const std::optional<std::string> bytes = platform::readWholeFile(path);
    if (!bytes || bytes->size() < 44) return std::nullopt;
    std::vector<std::int16_t> samples;
    const std::size_t step = everyOther ? 4 : 2;
    for (std::size_t at = 44; at + 1 < bytes->size(); at += step)
        samples.push_back(static_cast<std::int16_t>(static_cast<unsigned char>((*bytes)[at]) |
                                                    (static_cast<unsigned char>((*bytes)[at + 1]) << 8)));
    return samples;
}

// The decoded channel is first brought to the source's level (the least-squares gain), so
// that the SNR measures what the codec changed, not the level a decoder plays at; the level
// itself is reported beside it.
ChannelMatch compare(const std::vector<std::int16_t>& decoded,
                     const std::vector<std::int16_t>& source) {
    const std::size_t n = std::min(decoded.size(), source.size());
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const double x = source[k], y = decoded[k];
        sx += x;
        sy += y;
        sxx += x * x;
        syy += y * y;
        sxy += x * y;
    }
    ChannelMatch match;
    if (sxx > 0 && syy > 0 && sxy > 0) {
        const double gain = sxy / syy;              // decoded x gain ~ source
        const double noise = sxx - sxy * sxy / syy; // sum of (x - gain y)^2
        match.levelDb = -20.0 * std::log10(gain);
        if (noise > sxx * 1e-15) match.snrDb = 10.0 * std::log10(sxx / noise);
    }
    const double count = static_cast<double>(n);
    const double varX = count * sxx - sx * sx, varY = count * syy - sy * sy;
    if (varX > 0 && varY > 0) match.correlation = (count * sxy - sx * sy) / std::sqrt(varX * varY);
    return match;
}

void setLimit(TargetReport& report, int target, const cw::TargetBlock& block,
              const cw::JobRequest& request) {
    if (isMfi(target)) {
        report.limit = cw::mfiByteBudget(target, block, request.mfi.userSizeLimit);
        report.limitCounts = "voice per channel";
    } else if (target == cw::targetSmaf) {
        if (report.rate == 16000)
            report.limit = block.useUserLimit ? cw::smafLargeLimit : cw::smafSmallLimit;
        else if (budgetRoute(block))
            report.limit = static_cast<std::uint64_t>(std::max(request.smafBudget, 0));
    }
}

// Why an enabled target of a job that ran has no new file.
std::string whyNotMade(int target, const cw::TargetBlock& block, const cw::JobRequest& request,
                       int code, cw::Language language) {
    if (code != 0) return cw::showResult(code, language);
    const platform::Path& programs =
        request.programFolder.empty() ? request.workFolder : request.programFolder;
    if (target == cw::targetQcp)
        return cw::qcpConverterPresent(programs)
                   ? "the QCP converter made no file"
                   : std::string(cw::qcpConverterFileName) + " was not found beside chimewright";
    if (target == cw::targetSmaf) {
        if (!platform::fileExists(cw::tempPath(programs, cw::tarnwickFileName())))
            return std::string(cw::tarnwickFileName()) +
                   " was not found beside chimewright: no SMAF route runs";
        if (budgetRoute(block)) return "the sound could not be cut to the SMAF budget";
    }
    return "no file was written";
}

void readBack(TargetReport& report, int target, const cw::TargetBlock& block,
              const cw::JobRequest& request, const std::string& bytes) {
    std::optional<DecodedSound> sound;
    if (target == cw::targetAndroid) sound = decodeOggVorbis(bytes);
    else if (target != cw::targetQcp) sound = decodeWithPlayer(bytes, request.workFolder);
    if (!sound) {
        report.notDecoded = target == cw::targetQcp ? "QCP files are not decoded here"
                                                    : "no decoder reads the file";
        return;
    }
    report.decoded = true;
    report.rate = sound->rate;
    report.seconds = static_cast<double>(sound->channels.front().size()) / sound->rate;

    const std::optional<Source> source = sourceOf(target, block, sound->rate, sound->channels.size());
    if (!source) {
        report.notDecoded = "no temporary file of this rate";
        return;
    }
    for (std::size_t c = 0; c < source->names.size(); ++c) {
        const auto samples =
            tempSamples(cw::tempPath(request.workFolder, source->names[c]), source->everyOther);
        if (!samples) continue;
        if (!report.source.empty()) report.source += '+';
        report.source += source->names[c];
        ChannelMatch match =
            compare(sound->channels[std::min(c, sound->channels.size() - 1)], *samples);
        match.source = source->names[c];
        report.channels.push_back(std::move(match));
    }
    // The row's whole sound, before any cut, at the file's rate.
    const auto whole = platform::readWholeFile(cw::tempPath(request.workFolder, source->wholeSound));
    if (whole && whole->size() >= 44) {
        const double wholeRate = source->everyOther ? 2.0 * sound->rate : sound->rate;
        report.sourceSeconds = static_cast<double>((whole->size() - 44) / 2) / wholeRate;
        report.cut = report.seconds + cutTolerance < report.sourceSeconds;
    }
}

} // namespace

OutputsBefore outputsBefore(const cw::JobRequest& request) {
    OutputsBefore before;
    for (const cw::TargetBlock& block : blocksOf(request))
        before.written.push_back(block.enabled ? writtenAt(block.outputPath) : std::nullopt);
    return before;
}

RowReport reportRow(const cw::JobRequest& request, int code, const OutputsBefore& before,
                    cw::Language language) {
    RowReport row;
    row.input = platform::pathToUtf8(request.input);
    row.code = code;
    row.result = cw::showResult(code, language);
    const std::vector<cw::TargetBlock> blocks = blocksOf(request);
    for (int t = 0; t < cw::targetCount; ++t) {
        const cw::TargetBlock& block = blocks[static_cast<std::size_t>(t)];
        if (!block.enabled) continue;
        TargetReport report;
        report.target = t;
        report.key = cw::targetTable[static_cast<std::size_t>(t)].key;
        report.file = platform::pathToUtf8(block.outputPath);
        // A file this job wrote: new, or written again since the job started.
        const auto now = writtenAt(block.outputPath);
        const auto& earlier = before.written[static_cast<std::size_t>(t)];
        const std::optional<std::string> bytes =
            now && (!earlier || *now != *earlier) ? platform::readWholeFile(block.outputPath)
                                                   : std::nullopt;
        if (!bytes) {
            report.why = whyNotMade(t, block, request, code, language);
            row.targets.push_back(std::move(report));
            continue;
        }
        report.made = true;
        report.size = bytes->size();
        readBack(report, t, block, request, *bytes);
        setLimit(report, t, block, request);
        row.targets.push_back(std::move(report));
    }
    return row;
}

std::optional<double> worstChannelSnr(const TargetReport& target) {
    std::optional<double> worst;
    for (const ChannelMatch& channel : target.channels)
        if (channel.snrDb && (!worst || *channel.snrDb < *worst)) worst = channel.snrDb;
    return worst;
}

} // namespace cw::cli
