// --report: for every row and enabled target, the file written, its size against its limit,
// its playing time and how close it sounds to the temporary WAV it was made from.
#pragma once

#include "chimewright/app/result_messages.hpp"
#include "chimewright/driver/job.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cw::cli {

// One channel of a decoded file against its source, over the length both have. The SNR is
// taken after the decoded channel is scaled to the source's level by the least-squares gain.
struct ChannelMatch {
    std::string source;                // the temporary file compared with
    std::optional<double> snrDb;       // nothing: no difference at all, or nothing to match
    std::optional<double> levelDb;     // the decoded level against the source's
    std::optional<double> correlation; // nothing: one of the two is constant
};

struct TargetReport {
    int target = 0;
    std::string key;  // the target's folder name
    bool made = false;
    std::string why;  // when not made: the row's result text, or what kept the file away
    std::string file; // UTF-8 path
    std::uint64_t size = 0;
    std::optional<std::uint64_t> limit; // nothing: unlimited
    const char* limitCounts = "file";   // what the limit counts: "file" or "voice per channel"
    bool decoded = false;
    std::string notDecoded; // when made but not decoded: why
    int rate = 0;
    double seconds = 0;       // playing time of the decoded sound
    double sourceSeconds = 0; // length of the row's sound before any cut
    std::string source;       // temporary file(s) compared with, "+"-joined
    std::vector<ChannelMatch> channels;
    bool cut = false;         // shorter than the source: cut to the size limit
};

struct RowReport {
    std::string input;
    int code = 0;
    std::string result; // the result text the row shows
    std::vector<TargetReport> targets;
};

// The outputs of a job as they are before it runs, to tell the files it writes from older
// ones.
struct OutputsBefore {
    std::vector<std::optional<std::filesystem::file_time_type>> written;
};
OutputsBefore outputsBefore(const cw::JobRequest& request);

// Reads back every enabled target of a job that has just run in request.workFolder (its
// temporary files are still there). `code` is the job's result; its text is given in
// `language`.
RowReport reportRow(const cw::JobRequest& request, int code, const OutputsBefore& before,
                    cw::Language language = cw::Language::japanese);

// The two channels' figures reduced to one per target: the lowest SNR of its channels.
std::optional<double> worstChannelSnr(const TargetReport& target);

} // namespace cw::cli
