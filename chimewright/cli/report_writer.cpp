#include "chimewright/cli/report_writer.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace cw::cli {

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string orNone(const std::optional<double>& value, const char* pattern, const char* none) {
    return value ? format(pattern, *value) : none;
}

// The targets with the highest and the lowest SNR (the worse channel of a stereo file).
struct Extremes {
    const TargetReport* best = nullptr;
    const TargetReport* worst = nullptr;
};

Extremes extremes(const RowReport& row) {
    Extremes found;
    for (const TargetReport& target : row.targets) {
        const std::optional<double> snr = worstChannelSnr(target);
        if (!snr) continue;
        if (!found.best || *snr > *worstChannelSnr(*found.best)) found.best = &target;
        if (!found.worst || *snr < *worstChannelSnr(*found.worst)) found.worst = &target;
    }
    return found;
}

// A level that rounds to zero is shown as +0.0, never as -0.0.
std::optional<double> shownLevel(const std::optional<double>& level) {
    if (level && std::fabs(*level) < 0.05) return 0.0;
    return level;
}

std::string channelLine(const ChannelMatch& channel) {
    return "          against " + channel.source + ": SNR " + orNone(channel.snrDb, "%.1f dB", "-") +
           ", correlation " + orNone(channel.correlation, "%.4f", "-") + ", level " +
           orNone(shownLevel(channel.levelDb), "%+.1f dB", "-") + "\n";
}

std::string targetLine(const TargetReport& target) {
    std::string line = "  " + target.key;
    line.append(target.key.size() < 8 ? 8 - target.key.size() : 1, ' ');
    if (!target.made) return line + "not made: " + target.why + "\n";
    line += target.file + "\n          " + std::to_string(target.size) + " bytes, limit ";
    if (!target.limit) line += "unlimited";
    else if (std::string_view(target.limitCounts) == "file") line += std::to_string(*target.limit);
    else line += std::to_string(*target.limit) + " (voice bytes per channel)";
    if (!target.decoded) return line + "; not decoded: " + target.notDecoded + "\n";
    line += "; " + format("%.2f s", target.seconds) + " at " + std::to_string(target.rate) + " Hz";
    if (target.cut) line += format(" (cut from %.2f s)", target.sourceSeconds);
    line += "\n";
    for (const ChannelMatch& channel : target.channels) line += channelLine(channel);
    return line;
}

std::string summaryLine(const RowReport& row) {
    const Extremes found = extremes(row);
    std::string line = "  summary: ";
    if (found.best)
        line += "best " + found.best->key + format(" (%.1f dB)", *worstChannelSnr(*found.best)) +
                ", worst " + found.worst->key +
                format(" (%.1f dB)", *worstChannelSnr(*found.worst));
    else
        line += "no target to compare";
    std::string cut;
    for (const TargetReport& target : row.targets)
        if (target.cut) cut += (cut.empty() ? "" : ", ") + target.key;
    line += "; cut to the size limit: " + (cut.empty() ? std::string("none") : cut);
    return line + "\n";
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonNumber(const std::optional<double>& value, const char* pattern) {
    return value ? format(pattern, *value) : "null";
}

std::string targetJson(const TargetReport& target) {
    std::string json = "{\"made\": " + std::string(target.made ? "true" : "false");
    if (!target.made) return json + ", \"why\": " + jsonString(target.why) + "}";
    json += ", \"file\": " + jsonString(target.file) + ", \"size\": " + std::to_string(target.size);
    json += ", \"limit\": " + (target.limit ? std::to_string(*target.limit) : std::string("null"));
    if (target.limit) json += ", \"limit_counts\": " + jsonString(target.limitCounts);
    json += ", \"decoded\": " + std::string(target.decoded ? "true" : "false");
    if (!target.decoded) return json + ", \"not_decoded\": " + jsonString(target.notDecoded) + "}";
    json += ", \"rate\": " + std::to_string(target.rate) +
            ", \"seconds\": " + format("%.4f", target.seconds) +
            ", \"source_seconds\": " + format("%.4f", target.sourceSeconds) +
            ", \"cut\": " + (target.cut ? "true" : "false") +
            ", \"source\": " + jsonString(target.source) + ", \"channels\": [";
    for (std::size_t c = 0; c < target.channels.size(); ++c)
        json += std::string(c ? ", " : "") + "{\"snr_db\": " +
                jsonNumber(target.channels[c].snrDb, "%.3f") +
                ", \"correlation\": " + jsonNumber(target.channels[c].correlation, "%.6f") +
                ", \"level_db\": " + jsonNumber(target.channels[c].levelDb, "%.3f") +
                ", \"source\": " + jsonString(target.channels[c].source) + "}";
    return json + "]}";
}

} // namespace

std::string reportText(const std::vector<RowReport>& rows) {
    std::string text;
    for (const RowReport& row : rows) {
        text += row.input + ": " + row.result + "\n";
        for (const TargetReport& target : row.targets) text += targetLine(target);
        text += summaryLine(row);
    }
    return text;
}

std::string reportJson(const std::vector<RowReport>& rows) {
    std::string json = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const RowReport& row = rows[r];
        json += std::string(r ? "," : "") + "\n  {\"input\": " + jsonString(row.input) +
                ", \"code\": " + std::to_string(row.code) + ", \"result\": " +
                jsonString(row.result) + ",\n   \"targets\": {";
        for (std::size_t t = 0; t < row.targets.size(); ++t)
            json += std::string(t ? "," : "") + "\n    " + jsonString(row.targets[t].key) + ": " +
                    targetJson(row.targets[t]);
        const Extremes found = extremes(row);
        json += "},\n   \"summary\": {\"best\": " +
                (found.best ? jsonString(found.best->key) : std::string("null")) +
                ", \"worst\": " + (found.worst ? jsonString(found.worst->key) : std::string("null")) +
                ", \"cut\": [";
        bool first = true;
        for (const TargetReport& target : row.targets)
            if (target.cut) {
                json += (first ? "" : ", ") + jsonString(target.key);
                first = false;
            }
        json += "]}}";
    }
    return json + "\n]\n";
}

} // namespace cw::cli
