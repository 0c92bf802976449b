// Options of a batch beyond the window's: --jobs (rows converted by several workers at once)
// and --report (what each ringtone will sound like, after the batch).
#pragma once

#include <optional>
#include <string>

namespace cw::cli {

enum class ReportFormat { text, json };

struct BatchExtras {
    int jobs = 1;
    bool jobsGiven = false;
    std::optional<ReportFormat> report;    // nothing: no report
    std::optional<std::string> reportFile; // nothing: standard output

    bool any() const { return jobsGiven || report.has_value(); }
};

// The options' values; each gives an empty text or what is wrong.
std::string applyJobs(BatchExtras& extras, const std::string& value);
std::string applyReport(BatchExtras& extras, const std::string& format); // empty: text
std::string applyReportFile(BatchExtras& extras, const std::string& file);

} // namespace cw::cli
