#include "voxreel/model/smaf_voice.hpp"

#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

using namespace vx_test;

namespace {

Bytes cnti(const std::string& options) { return chunk("CNTI", bytes({0, 1, 0, 0, 0}) + text(options)); }

Bytes opda(const std::vector<std::pair<std::string, std::string>>& fields) {
    Bytes body;
    for (const auto& [tag, value] : fields)
        body = body + text(tag) + bytes({0, static_cast<int>(value.size())}) + text(value);
    return chunk("OPDA", chunk("Dch\0", body));
}

// Audio track: format, sequence, wave type, 0, two timebases, then the sub-chunks.
Bytes atr(int waveType, const Bytes& subChunks) {
    return chunk("ATR\0", bytes({0, 0, waveType, 0, 3, 3}) + subChunks);
}

// Score track of a mobile format with a stream: 20 header bytes, then "Mtsp" holding "Mwa".
Bytes mtrWithStream(int rate, const Bytes& wave) {
    const Bytes header = bytes({1, 0, 3, 3}) + repeated(0, 16);
    const Bytes mwa = chunk("Mwa\1", bytes({0x20, rate >> 8, rate & 0xFF}) + wave);
    return chunk("MTR\0", header + chunk("Mtsq", bytes({0, 0xFF, 0x2F, 0})) + chunk("Mtsp", mwa));
}

std::string audioOf(const Bytes& file, const voxreel::SmafVoice& voice) {
    return std::string(file.begin() + static_cast<std::ptrdiff_t>(voice.audioOffset),
                       file.begin() + static_cast<std::ptrdiff_t>(voice.audioOffset + voice.audioLength));
}

} // namespace

TEST(SmafVoice, TextsFromContentsInfoAndOptionalData) {
    const Bytes plain = smafFile({cnti("ST:Title,CR:Name,"), atr(0x11, chunk("Awa\1", text("abcd")))});
    voxreel::SmafVoice voice = voxreel::findSmafVoice(plain);
    EXPECT_EQ(voice.title, "Title");
    EXPECT_EQ(voice.copyright, "Name");

    const Bytes both = smafFile({cnti("ST:Title,CR:Name,"), opda({{"ST", "Other"}}),
                                 atr(0x11, chunk("Awa\1", text("abcd")))});
    voice = voxreel::findSmafVoice(both);
    EXPECT_EQ(voice.title, "Other");
    EXPECT_EQ(voice.copyright, "Name");
}

TEST(SmafVoice, TagValuesUndoEscapesAndKeepDoubleByteCharacters) {
    struct Case {
        std::string option, title;
    };
    const Case cases[] = {
        {"ST:a\\,b,", "a,b"},
        {"ST:a\\\\c,", "a\\c"},
        // A code-page-932 character whose second byte is a backslash, right before the comma.
        {"ST:\x83\x5C,CR:x,", "\x83\x5C"},
        {std::string("ST:").append(300, 'z').append(","), std::string(255, 'z')},
    };
    for (const Case& c : cases) {
        const Bytes file = smafFile({cnti(c.option), atr(0x11, chunk("Awa\1", text("abcd")))});
        EXPECT_EQ(voxreel::findSmafVoice(file).title, c.title) << c.option;
    }
}

TEST(SmafVoice, AudioTrackWaveBeforeScoreStream) {
    const Bytes file = smafFile({cnti("ST:x,"), atr(0x10, chunk("Atsq", bytes({0, 0, 0, 0})) +
                                                             chunk("Awa\1", text("wave"))),
                                 mtrWithStream(16000, text("stream"))});
    const voxreel::SmafVoice voice = voxreel::findSmafVoice(file);
    ASSERT_TRUE(voice.found);
    EXPECT_EQ(audioOf(file, voice), "wave");
    EXPECT_EQ(voice.rate, 4000);
    EXPECT_FALSE(voice.fromScoreTrack);
}

TEST(SmafVoice, ScoreStreamWhenNoAudioTrack) {
    const Bytes file = smafFile({cnti(""), mtrWithStream(16000, text("stream"))});
    const voxreel::SmafVoice voice = voxreel::findSmafVoice(file);
    ASSERT_TRUE(voice.found);
    EXPECT_EQ(audioOf(file, voice), "stream");
    EXPECT_EQ(voice.rate, 16000);
    EXPECT_TRUE(voice.fromScoreTrack);
}

TEST(SmafVoice, RatesOfTheAudioTrack) {
    struct Case {
        int waveType, rate;
    };
    const Case cases[] = {{0x10, 4000}, {0x11, 8000}, {0x12, 11025}, {0x13, 22050}, {0x14, 44100}};
    for (const Case& c : cases) {
        const Bytes file = smafFile({cnti(""), atr(c.waveType, chunk("Awa\1", text("ab")))});
        EXPECT_EQ(voxreel::findSmafVoice(file).rate, c.rate) << c.waveType;
    }
    // Without contents info the rate is 8000.
    const Bytes bare = smafFile({atr(0x10, chunk("Awa\1", text("ab")))});
    EXPECT_EQ(voxreel::findSmafVoice(bare).rate, 8000);
}

TEST(SmafVoice, NoStreamOrBrokenChunksFindNothing) {
    const Bytes noAudio = smafFile({cnti("ST:Only,"), chunk("MTR\0", bytes({0, 0, 3, 3, 0, 0}))});
    voxreel::SmafVoice voice = voxreel::findSmafVoice(noAudio);
    EXPECT_FALSE(voice.found);
    EXPECT_EQ(voice.title, "Only");

    // A wave whose size runs past the file.
    Bytes broken = smafFile({cnti(""), atr(0x11, chunk("Awa\1", text("abcd")))});
    broken[broken.size() - 10] = 0x7F; // high byte of the wave's size
    EXPECT_FALSE(voxreel::findSmafVoice(broken).found);

    // Every prefix of a good file is read without leaving it.
    const Bytes good = smafFile({cnti("ST:T,CR:C,"), opda({{"ST", "S"}}),
                                 atr(0x11, chunk("Awa\1", text("abcd"))),
                                 mtrWithStream(8000, text("xy"))});
    for (std::size_t size = 0; size <= good.size(); ++size) {
        const Bytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        const voxreel::SmafVoice v = voxreel::findSmafVoice(prefix);
        if (v.found) {
            EXPECT_LE(v.audioOffset + v.audioLength, size);
        }
    }
}
