// A dropped file through the whole conversion: the checks and their messages, the title
// dialog's values, the SMAF file beside the input and the size message.
#include "platform/text.hpp"
#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/conversion.hpp"
#include "tarnwick/engine/wave_check.hpp"
#include "tarnwick/engine/wave_encoder.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

// Answers the title dialog as told and records what the conversion showed.
class RecordingPort : public tarnwick::TarnwickPort {
public:
    tarnwick::Language lang = tarnwick::Language::english;
    std::optional<tarnwick::TitleDialogValues> answer; // nothing: cancel
    std::optional<tarnwick::TitleDialogValues> offered;
    std::vector<std::pair<tarnwick::MessageId, std::string>> messages;
    std::vector<bool> successes;
    int busyDepth = 0;
    bool wasBusy = false;

    tarnwick::Language language() const override { return lang; }
    bool askContents(tarnwick::TitleDialogValues& values) override {
        offered = values;
        EXPECT_EQ(busyDepth, 1) << "the wait cursor shows while the dialog is asked";
        if (!answer) return false;
        // The dialog keeps what it cannot change.
        const bool locked = values.rateLocked;
        values = *answer;
        values.rateLocked = locked;
        return true;
    }
    void showMessage(tarnwick::MessageId id, const std::string& text, bool success) override {
        messages.emplace_back(id, text);
        successes.push_back(success);
    }
    void setBusy(bool on) override {
        busyDepth += on ? 1 : -1;
        wasBusy = wasBusy || on;
    }
};

std::string monoWav(std::uint32_t rate, std::size_t frames) {
    WavSpec layout;
    layout.rate = rate;
    return makeWav(layout, sineWave(440, rate, frames, 8000));
}

std::vector<unsigned char> bytesOf(const std::string& s) {
    return std::vector<unsigned char>(s.begin(), s.end());
}

class Conversion : public ::testing::Test {
protected:
    ScratchFolder dir;
    RecordingPort port;

    Conversion() { port.answer = tarnwick::TitleDialogValues{}; }

    tarnwick::ConversionEnd convert(const std::string& name) {
        return tarnwick::convertDroppedFile(dir / name, port);
    }
    // The one message shown, or -1.
    int message() const {
        return port.messages.size() == 1 ? static_cast<int>(port.messages[0].first) : -1;
    }
};

} // namespace

TEST_F(Conversion, RefusalsShowTheirMessageAndWriteNothing) {
    WavSpec stereo;
    stereo.channels = 2;
    WavSpec compressed;
    compressed.formatTag = 2;
    struct Case {
        const char* name;
        std::string file; // empty: no file at all
        int message;
    };
    const Case cases[] = {
        {"song.wave", monoWav(8000, 4000), 2},
        {"song.wa", monoWav(8000, 4000), 2},
        {"missing.wav", "", 1},
        {"header.wav", "RIFF", 3},
        {"compressed.wav", makeWav(compressed, sineWave(440, 8000, 4000, 8000)), 3},
        {"stereo.wav", makeWav(stereo, sineWave(440, 8000, 4000, 8000, 2)), 4},
        {"rate.wav", monoWav(11025, 4000), 4},
        {"short.wav", monoWav(8000, 160), 11},
    };
    for (const Case& c : cases) {
        RecordingPort fresh;
        fresh.answer = tarnwick::TitleDialogValues{};
        if (!c.file.empty()) putFile(dir / c.name, c.file);
        EXPECT_EQ(tarnwick::convertDroppedFile(dir / c.name, fresh), tarnwick::ConversionEnd::failed)
            << c.name;
        ASSERT_EQ(fresh.messages.size(), 1u) << c.name;
        EXPECT_EQ(static_cast<int>(fresh.messages[0].first), c.message) << c.name;
        EXPECT_FALSE(fresh.successes[0]) << c.name;
        EXPECT_FALSE(fresh.offered) << c.name << ": no dialog after a failed check";
        EXPECT_EQ(fresh.busyDepth, 0) << c.name;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path(), ec))
        EXPECT_NE(entry.path().extension(), ".mmf") << entry.path();
}

TEST_F(Conversion, PathOfTwoHundredAndSixtyBytesIsTooLong) {
    const std::string base = platform::pathToUtf8(dir.path()) + "/";
    const auto withLength = [&](std::size_t length) {
        return base + std::string(length - base.size() - 4, 'n') + ".wav";
    };
    EXPECT_EQ(tarnwick::convertDroppedFile(platform::pathFromUtf8(withLength(260)), port),
              tarnwick::ConversionEnd::failed);
    EXPECT_EQ(message(), 10);
    port.messages.clear();
    // One byte shorter passes that check and fails on the missing file.
    tarnwick::convertDroppedFile(platform::pathFromUtf8(withLength(259)), port);
    EXPECT_EQ(message(), 1);
}

TEST_F(Conversion, UpperCaseExtensionIsConvertedWithTheDialogsValues) {
    const std::string wav = monoWav(8000, 1000);
    putFile(dir / "song.WAV", wav);
    tarnwick::TitleDialogValues chosen;
    chosen.title = "Bell";
    chosen.copyright = "me";
    chosen.protect = true;
    port.answer = chosen;

    ASSERT_EQ(convert("song.WAV"), tarnwick::ConversionEnd::converted);
    ASSERT_TRUE(port.offered);
    EXPECT_EQ(port.offered->title, "song") << "pre-filled with the name";
    EXPECT_EQ(port.offered->rateMode, tarnwick::rateMode8k);
    EXPECT_FALSE(port.offered->rateLocked);
    EXPECT_TRUE(port.wasBusy);
    EXPECT_EQ(port.busyDepth, 0);

    const std::string written = fileBytes(dir / "song.mmf");
    tarnwick::WaveInfo info;
    const auto image = bytesOf(wav);
    ASSERT_EQ(tarnwick::checkWave(image, info), tarnwick::rateCode8k);
    tarnwick::ContentsInfo contents{"Bell", "me", true};
    EXPECT_EQ(bytesOf(written),
              tarnwick::writeAudioSmaf(contents, image, info, tarnwick::rateMode8k));

    ASSERT_EQ(message(), 6);
    EXPECT_TRUE(port.successes[0]);
    EXPECT_EQ(port.messages[0].second, tarnwick::fileSizeMessage(written.size(),
                                                                 tarnwick::Language::english));
}

TEST_F(Conversion, RateSwitchHalvesAnEightThousandHertzFile) {
    putFile(dir / "a.wav", monoWav(8000, 1000));
    tarnwick::TitleDialogValues chosen;
    chosen.rateMode = tarnwick::rateModeHalved;
    port.answer = chosen;
    ASSERT_EQ(convert("a.wav"), tarnwick::ConversionEnd::converted);
    const std::string written = fileBytes(dir / "a.mmf");
    // No texts: the track starts after 8 + 38 bytes; its wave type, then 250 wave bytes.
    ASSERT_GT(written.size(), 60u);
    EXPECT_EQ(static_cast<unsigned char>(written[46 + 8 + 2]), 0x10);
    EXPECT_EQ(written.size(), 46u + 8 + 6 + 24 + 22 + 8 + 250 + 2);
}

TEST_F(Conversion, FourThousandHertzSourceLocksTheRateSwitch) {
    putFile(dir / "low.wav", monoWav(4000, 1000));
    tarnwick::TitleDialogValues chosen;
    chosen.rateMode = tarnwick::rateMode8k; // a switch that tried to move
    port.answer = chosen;
    ASSERT_EQ(convert("low.wav"), tarnwick::ConversionEnd::converted);
    ASSERT_TRUE(port.offered);
    EXPECT_TRUE(port.offered->rateLocked);
    EXPECT_EQ(port.offered->rateMode, tarnwick::rateMode4kSource);
    const std::string written = fileBytes(dir / "low.mmf");
    ASSERT_GT(written.size(), 60u);
    EXPECT_EQ(static_cast<unsigned char>(written[46 + 8 + 2]), 0x10);
    EXPECT_EQ(written.size(), 46u + 8 + 6 + 24 + 22 + 8 + 500 + 2);
}

TEST_F(Conversion, CancelEndsWithoutMessageOrFile) {
    putFile(dir / "a.wav", monoWav(8000, 1000));
    port.answer.reset();
    EXPECT_EQ(convert("a.wav"), tarnwick::ConversionEnd::cancelled);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(platform::fileExists(dir / "a.mmf"));
    EXPECT_EQ(port.busyDepth, 0);
}

TEST_F(Conversion, OutputThatCannotBeCreated) {
    putFile(dir / "a.wav", monoWav(8000, 1000));
    ASSERT_TRUE(platform::createFolder(dir / "a.mmf")); // a folder where the file would go
    EXPECT_EQ(convert("a.wav"), tarnwick::ConversionEnd::failed);
    EXPECT_EQ(message(), 5);
}

TEST_F(Conversion, MessagesInJapanese) {
    port.lang = tarnwick::Language::japanese;
    putFile(dir / "a.wav", monoWav(8000, 100));
    convert("a.wav");
    ASSERT_EQ(message(), 11);
    EXPECT_EQ(port.messages[0].second, "WAVEの再生時間が短すぎます");
}

TEST(FileSizeMessage, TwoDecimalsOfKibibytes) {
    using tarnwick::Language;
    EXPECT_EQ(tarnwick::fileSizeMessage(12800, Language::english), "SMAF File Size : 12.50KB");
    EXPECT_EQ(tarnwick::fileSizeMessage(1023, Language::english), "SMAF File Size : 1.00KB");
    EXPECT_EQ(tarnwick::fileSizeMessage(100, Language::japanese), "SMAFファイルサイズ : 0.10KB");
}

TEST(HasWavExtension, LastFourCharactersInAnyCase) {
    struct Case {
        const char* path;
        bool wav;
    };
    const Case cases[] = {
        {"song.wav", true},
        {"song.WAV", true},
        {"song.Wav", true},
        {".wav", true},
        {"song.wave", false},
        {"wav", false},
        {"songwav", false},
        // A lead byte takes the "." along: the last four characters are not ".wav".
        {"\x83.wav", false},
        {"\x83\x5C.wav", true},
    };
    for (const Case& c : cases) EXPECT_EQ(tarnwick::hasWavExtension(c.path), c.wav) << c.path;
}

TEST(CutToCharacters, CountsCharactersNotBytes) {
    EXPECT_EQ(tarnwick::cutToCharacters("abc", 2), "ab");
    EXPECT_EQ(tarnwick::cutToCharacters("着信音", 2), "着信");
    EXPECT_EQ(tarnwick::cutToCharacters("ab", 255), "ab");
    EXPECT_EQ(tarnwick::cutToCharacters(std::string(300, 'x'), 255), std::string(255, 'x'));
}
