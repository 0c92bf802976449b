// Options of a batch beyond the window's: --jobs (rows converted by several workers at once)
// and --report (what each ringtone will sound like, after the batch).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace console {

enum class ReportFormat { text, json };

struct BatchExtras {
    int jobs = 1;
    bool jobsGiven = false;
    std::optional<ReportFormat> report;   // nothing: no report
    std::optional<std::string> reportFile; // nothing: standard output

    bool any() const { return jobsGiven || report.has_value(); }
};

// Reads `argument` when it is one of these options: nothing when it is not, else an empty
// text or what is wrong. `inlineValue` is the part after "=" of "--name=value"; `nextValue`
// takes the next argument.
std::optional<std::string> parseBatchExtra(const std::string& argument,
                                           const std::optional<std::string>& inlineValue,
                                           const std::function<std::optional<std::string>()>& nextValue,
                                           BatchExtras& extras);

} // namespace console
