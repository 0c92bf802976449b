#include "chimewright/cli/batch_extras.hpp"

#include "chimewright/cli/parallel_batch.hpp"

namespace cw::cli {

std::string applyJobs(BatchExtras& extras, const std::string& value) {
    const std::optional<int> jobs = parseJobs(value);
    if (!jobs) return "--jobs needs a whole number from 0 to " + std::to_string(maxJobs);
    extras.jobs = *jobs;
    extras.jobsGiven = true;
    return {};
}

std::string applyReport(BatchExtras& extras, const std::string& format) {
    if (format.empty() || format == "text") extras.report = ReportFormat::text;
    else if (format == "json") extras.report = ReportFormat::json;
    else return "--report takes text or json";
    return {};
}

std::string applyReportFile(BatchExtras& extras, const std::string& file) {
    extras.reportFile = file;
    if (!extras.report) extras.report = ReportFormat::text;
    return {};
}

} // namespace cw::cli
