// The console program's own settings for one run: --targets, --volume, --list-targets, and
// the language of its texts.
#include "platform/profile.hpp"
#include "platform/text.hpp"
#include "platform/ui_language.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

using namespace testing_support;

namespace {

// Every file under a folder, by its path below it.
std::map<std::string, std::string> filesUnder(const platform::Path& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        if (entry.is_regular_file())
            files[platform::pathToUtf8(entry.path().lexically_relative(folder))] =
                fileBytes(entry.path());
    return files;
}

// An Ogg file with every page's stream serial number and check code zeroed: each stream gets
// a fresh serial number, so two encodings of the same sound differ only there.
std::string withoutStreamSerials(std::string ogg) {
    std::size_t page = 0;
    while (page + 27 <= ogg.size() && ogg.compare(page, 4, "OggS") == 0) {
        ogg.replace(page + 14, 4, 4, '\0');
        ogg.replace(page + 22, 4, 4, '\0');
        const std::size_t segments = static_cast<unsigned char>(ogg[page + 26]);
        std::size_t body = 0;
        for (std::size_t s = 0; s < segments && page + 27 + s < ogg.size(); ++s)
            body += static_cast<unsigned char>(ogg[page + 27 + s]);
        page += 27 + segments + body;
    }
    return ogg;
}

std::map<std::string, std::string> comparable(std::map<std::string, std::string> files) {
    for (auto& [name, bytes] : files)
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ogg") == 0)
            bytes = withoutStreamSerials(bytes);
    return files;
}

class ChimewrightCliTargets : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    platform::Path settingsFolder = scratch / "settings";
    platform::Path settingsFile = settingsFolder / "ferrowind.ini";
    platform::Path work = scratch / "work";
    e2e::ScopedEnvironment windir{"WINDIR", platform::pathToUtf8(settingsFolder)};

    void SetUp() override { ASSERT_TRUE(platform::createFolder(settingsFolder)); }

    std::string path(const platform::Path& p) { return platform::pathToUtf8(p); }

    std::string stereoWav(const char* name) {
        WavSpec layout;
        layout.channels = 2;
        layout.rate = 22050;
        putFile(scratch / name, makeWav(layout, sineWave(660, 22050, 8000, 9000, 2)));
        return path(scratch / name);
    }

    e2e::ProgramRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--work-dir", path(work)});
        return e2e::runProgramAt(platform::moduleFolder() / CW_CHIMEWRIGHT_CLI_FILE, arguments,
                                 scratch.path());
    }

    void store(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(platform::writeProfileString(settingsFile, section, key, value));
    }
};

} // namespace

TEST_F(ChimewrightCliTargets, TargetsAndVolumesMakeWhatTheSettingsFileMakes) {
    const std::string bell = stereoWav("bell.wav");
    const platform::Path viaOptions = scratch / "options";
    const e2e::ProgramRun r =
        run({"-o", path(viaOptions), "--targets",
             "N505:16kstereo,mmf:16kHz:unlimited,andr,so505is:32khz2bit,sh251:4kHz:Unlimited",
             "--volume", "n505=40", "--volume", "normalize=90", bell});
    ASSERT_EQ(r.status, 0) << r.err;

    // Exactly these, and the volume and level of this run only: nothing else was stored.
    const auto made = filesUnder(viaOptions);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : made)
        names.push_back(name);
    const std::vector<std::string> expected = {
        path(platform::Path("Andr") / "bell.ogg"), path(platform::Path("mmf") / "bell.mmf"),
        path(platform::Path("n505") / "bell.mld"), path(platform::Path("sh251") / "bell.mld"),
        path(platform::Path("so505is") / "bell.mld")};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(platform::readProfileString(settingsFile, "STYLE", "n505", "none", 256), "none");

    // The same through the settings file: the flags words the window stores for these rows
    // (Create 512, Unlimited 256, 4kHz 128, 16kHz 8, 16kStereo 4, 32kHz(2bit) 2), p903 off.
    store("STYLE", "n505", "516");
    store("STYLE", "mmf", "776");
    store("STYLE", "so505is", "514");
    store("STYLE", "sh251", "896");
    store("STYLE", "p903", "264");
    store("VOLUME", "n505", "0.400000");
    store("VOLUME", "normalize", "0.900000");
    const platform::Path viaFile = scratch / "file";
    const e2e::ProgramRun again = run({"-o", path(viaFile), bell});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(comparable(filesUnder(viaFile)), comparable(made));

    // The volume is heard: full volume writes another n505 file.
    const platform::Path fullVolume = scratch / "full";
    ASSERT_EQ(
        run({"-o", path(fullVolume), "--targets", "n505", "--volume", "n505=100", bell}).status, 0);
    EXPECT_NE(fileBytes(fullVolume / "n505" / "bell.mld"),
              fileBytes(viaFile / "n505" / "bell.mld"));
}

TEST_F(ChimewrightCliTargets, WrongNamesAndOptionsExitWithTwoNamingTheValidOnes) {
    const std::string bell = stereoWav("bell.wav");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<const char*> named;
    };
    const Case cases[] = {
        {{"--targets", "n505,n999"}, {"\"n999\"", "so505iS", "L600", "Andr", "all"}},
        {{"--targets", "n503:16kHz"}, {"\"16kHz\"", "n503 offers Unlimited, 4kHz, 8kHz)"}},
        {{"--targets", "Andr:8kHz"}, {"Unlimited, 16kHz, 16kStereo, 32kHz(4bit)"}},
        {{"--targets", "qcp:unlimited"}, {"qcp has no options"}},
        {{"--targets", "n505:16kHz:8kHz"}, {"one rate option at a time"}},
        {{"--targets", "all:16kHz"}, {"\"all\" takes no options"}},
        {{"--targets", "n505,,mmf"}, {"empty entry"}},
        {{"--volume", "mmf=50"}, {"mmf has no volume", "normalize, n503"}},
        {{"--volume", "n505=101"}, {"1 to 100"}},
        {{"--volume", "n505"}, {"NAME=PERCENT"}},
        {{"--lang", "fr"}, {"ja or en"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"-o", path(scratch / "out"), bell});
        const e2e::ProgramRun r = run(arguments);
        EXPECT_EQ(r.status, 2) << c.arguments[1];
        for (const char* text : c.named)
            EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
    }
    EXPECT_FALSE(platform::fileExists(scratch / "out")) << "nothing is converted";
}

// The columns of the line of one target in the listing.
std::vector<std::string> listedColumns(const std::string& listing, const std::string& target) {
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> columns;
        for (std::string word; words >> word;)
            columns.push_back(word);
        if (!columns.empty() && columns.front() == target) return columns;
    }
    return {};
}

TEST_F(ChimewrightCliTargets, ListTargetsShowsTheSettings) {
    store("STYLE", "n505", "516");
    store("STYLE", "p903", "264");
    store("VOLUME", "n505", "0.5");
    store("OPTION", "maxmld", "5000");
    store("user", "output", path(scratch / "rings").c_str());
    const std::string before = fileBytes(settingsFile);

    const e2e::ProgramRun r = run({"--list-targets"});
    ASSERT_EQ(r.status, 0) << r.err;
    using Columns = std::vector<std::string>;
    EXPECT_EQ(listedColumns(r.out, "n505"),
              (Columns{"n505", "yes", "50", "4kHz", "8kHz", "8kStereo", "16kHz", "*16kStereo", "no",
                       "20000", ".mld", path(scratch / "rings" / "n505")}));
    EXPECT_EQ(listedColumns(r.out, "p903"),
              (Columns{"p903", "-", "100", "4kHz", "8kHz", "8kStereo", "*16kHz", "32kHz(2bit)",
                       "16kStereo", "32kHz(4bit)", "yes", "5000", ".mld",
                       path(scratch / "rings" / "p903")}));
    EXPECT_EQ(listedColumns(r.out, "Andr"),
              (Columns{"Andr", "yes", "100", "16kHz", "16kStereo", "*32kHz(4bit)", "yes", "-",
                       ".ogg", path(scratch / "rings" / "Andr")}));
    EXPECT_EQ(listedColumns(r.out, "qcp"),
              (Columns{"qcp", "-", "-", "-", "-", "-", ".qcp", path(scratch / "rings" / "qcp")}));
    EXPECT_EQ(listedColumns(r.out, "mmf").at(7), "800000") << "Unlimited 16 kHz SMAF";

    // This run's targets, shown and not stored; files are refused.
    const e2e::ProgramRun chosen = run({"--targets", "mmf:8kHz", "--list-targets"});
    ASSERT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(listedColumns(chosen.out, "n505").at(1), "-");
    EXPECT_EQ(listedColumns(chosen.out, "mmf"),
              (Columns{"mmf", "yes", "-", "4kHz", "*8kHz", "16kHz", "no", "5900", ".mmf",
                       path(scratch / "rings" / "mmf")}));
    EXPECT_EQ(fileBytes(settingsFile), before);
    EXPECT_EQ(run({"--list-targets", stereoWav("bell.wav")}).status, 2);
}

TEST_F(ChimewrightCliTargets, TextsFollowTheLocaleUnlessLangSaysOtherwise) {
    const std::string bell = stereoWav("bell.wav");
    putFile(scratch / "broken.wav", "no sound in here");
    const std::string broken = path(scratch / "broken.wav");
    struct Case {
        const char* locale;
        const char* lang;
    };
    const Case cases[] = {{"C", nullptr},
                          {"ja_JP.UTF-8", nullptr},
                          {"C", "ja"},
                          {"ja_JP.UTF-8", "en"},
                          {"en_US.UTF-8", "ja"}};
    for (const Case& c : cases) {
        e2e::ScopedEnvironment locale{"LC_ALL", c.locale};
        // Windows takes the language of its user interface, which the locale does not change.
        const bool japanese =
            c.lang ? std::string(c.lang) == "ja" : platform::userInterfaceIsJapanese();
        std::vector<std::string> arguments = {"--targets", "n503", "-o", path(scratch / "out")};
        if (c.lang) arguments.insert(arguments.end(), {"--lang", c.lang});
        std::vector<std::string> good = arguments;
        good.push_back(bell);
        arguments.insert(arguments.end(), {bell, broken});

        const e2e::ProgramRun mixed = run(arguments);
        EXPECT_EQ(mixed.status, 1) << mixed.err;
        EXPECT_NE(mixed.out.find(japanese ? "bell.wav: ◎" : "bell.wav: OK"), std::string::npos)
            << c.locale << mixed.out;
        EXPECT_NE(mixed.out.find(japanese ? "broken.wav: 未対応のフォーマット(1007)"
                                          : "broken.wav: Unsupported format (1007)"),
                  std::string::npos)
            << c.locale << mixed.out;
        const e2e::ProgramRun allGood = run(good);
        EXPECT_EQ(allGood.status, 0) << allGood.err;
        EXPECT_NE(
            allGood.err.find(japanese ? "変換は全て成功しました" : "All files were converted"),
            std::string::npos)
            << c.locale << allGood.err;
    }
}
