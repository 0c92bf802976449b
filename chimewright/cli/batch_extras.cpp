#include "chimewright/cli/batch_extras.hpp"

#include "chimewright/cli/parallel_batch.hpp"

namespace console {

std::optional<std::string> parseBatchExtra(const std::string& argument,
                                           const std::optional<std::string>& inlineValue,
                                           const std::function<std::optional<std::string>()>& nextValue,
                                           BatchExtras& extras) {
    if (argument == "--jobs" || argument == "-j") {
        const std::optional<std::string> text = nextValue();
        const std::optional<int> jobs = text ? parseJobs(*text) : std::nullopt;
        if (!jobs)
            return "--jobs needs a whole number from 0 to " + std::to_string(maxJobs);
        extras.jobs = *jobs;
        extras.jobsGiven = true;
        return std::string();
    }
    if (argument == "--report") {
        // The format only after "=": "--report json" would read a file named json as a row.
        if (!inlineValue || *inlineValue == "text") extras.report = ReportFormat::text;
        else if (*inlineValue == "json") extras.report = ReportFormat::json;
        else return "--report takes text or json";
        return std::string();
    }
    if (argument == "--report-file") {
        extras.reportFile = nextValue();
        if (!extras.reportFile) return std::string("--report-file needs a file");
        if (!extras.report) extras.report = ReportFormat::text;
        return std::string();
    }
    return std::nullopt;
}

} // namespace console
