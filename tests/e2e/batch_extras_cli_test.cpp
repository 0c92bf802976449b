// The console program's --jobs and --report end to end: the options as a user types them,
// the report on standard output or in a file, and what is wrong with bad values.
#include "platform/profile.hpp"
#include "platform/text.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

class BatchExtrasCli : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path settingsFolder = scratch / "settings";
    e2e::ScopedEnvironment windir{"WINDIR", platform::pathToUtf8(settingsFolder)};
    std::vector<std::string> inputs;

    void SetUp() override {
        ASSERT_TRUE(platform::createFolder(settingsFolder));
        // Two step-ADPCM targets and the Ogg target.
        const platform::Path ini = settingsFolder / "ferrowind.ini";
        platform::writeProfileString(ini, "STYLE", "n503", std::to_string(0x220));
        platform::writeProfileString(ini, "STYLE", "n505", std::to_string(0x204));
        platform::writeProfileString(ini, "STYLE", "Andr", std::to_string(0x208));
        for (const char* name : {"low.wav", "high.wav", "third.wav"}) {
            WavSpec layout;
            layout.rate = 16000;
            putFile(scratch / name, makeWav(layout, sineWave(name[0] == 'h' ? 880 : 440, 16000, 8000, 7000)));
            inputs.push_back(platform::pathToUtf8(scratch / name));
        }
    }

    e2e::ProgramRun run(std::vector<std::string> options) {
        options.insert(options.end(), {"--lang", "ja", "--work-dir", platform::pathToUtf8(scratch / "work"), "-o",
                                       platform::pathToUtf8(scratch / "out")});
        options.insert(options.end(), inputs.begin(), inputs.end());
        return e2e::runProgram("chimewright", options, scratch.path());
    }
};

} // namespace

TEST_F(BatchExtrasCli, TextReportAfterTheResultsInRowOrder) {
    e2e::ProgramRun r = run({"--jobs", "2", "--report"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::erase(r.out, '\r'); // the Windows program's text output ends its lines with CR LF
    const std::size_t low = r.out.find("low.wav: ◎\n");
    const std::size_t high = r.out.find("high.wav: ◎\n");
    const std::size_t third = r.out.find("third.wav: ◎\n");
    ASSERT_NE(third, std::string::npos) << r.out;
    EXPECT_LT(low, high);
    EXPECT_LT(high, third);
    // Each row once among the results, once at the head of its report.
    EXPECT_NE(r.out.find("low.wav: ◎\n", third), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  n505    "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("against _cwhltmp.wav: SNR "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("against _cwhrtmp.wav: SNR "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  summary: best "), std::string::npos) << r.out;
    EXPECT_TRUE(platform::fileExists(scratch / "work" / "job2" / "_cwm8tmp.wav"));
}

TEST_F(BatchExtrasCli, JsonReportInAFile) {
    const platform::Path report = scratch / "report.json";
    const e2e::ProgramRun r = run({"--report=json", "--report-file", platform::pathToUtf8(report)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("summary"), std::string::npos) << r.out;
    const std::string json = fileBytes(report);
    EXPECT_EQ(json.rfind("[\n  {\"input\": ", 0), 0u) << json;
    EXPECT_NE(json.find("\"n503\": {\"made\": true"), std::string::npos) << json;
    EXPECT_NE(json.find("\"Andr\": {\"made\": true"), std::string::npos) << json;
}

TEST_F(BatchExtrasCli, BadValues) {
    const struct {
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {{"--jobs", "x"}, "--jobs needs a whole number from 0 to 64"},
        {{"--jobs", "65"}, "--jobs needs a whole number from 0 to 64"},
        {{"--report=xml"}, "--report takes text or json"},
        {{"--report-file", platform::pathToUtf8(scratch / "no" / "such" / "folder" / "r.txt")},
         "cannot write the report"},
    };
    for (const auto& c : cases) {
        const e2e::ProgramRun r = run(c.options);
        EXPECT_NE(r.status, 0) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}
