// Sound files in other formats than WAVE, converted by the console program: on Linux they are
// decoded to PCM like compressed WAVE files; Windows reads WAVE files only.
//
// tests/data/sound_files holds frames 17640 to 39689 of samples/chime.wav (44100 Hz stereo)
// as FLAC, Ogg Vorbis and MP3, made by tools/make-sound-file-fixtures.sh.
#include "platform/audio_decode.hpp"
#include "platform/text.hpp"
#include "shared/byte_order.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace testing_support;

namespace {

#ifdef _WIN32
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

constexpr std::size_t firstFrame = 17640;
constexpr std::size_t excerptFrames = 22050;

platform::Path sourceDir() {
    const char* root = std::getenv("CW_SOURCE_DIR");
    return root ? platform::pathFromUtf8(root) : platform::Path();
}

// The excerpt as a PCM WAVE file, cut from the sample's data chunk (16-bit stereo).
std::string pcmExcerpt() {
    const std::string sample = fileBytes(sourceDir() / "samples" / "chime.wav");
    std::size_t position = 12;
    while (position + 8 <= sample.size() && sample.compare(position, 4, "data") != 0)
        position += 8 + suite::readLe32(reinterpret_cast<const unsigned char*>(sample.data()) +
                                        position + 4);
    const std::size_t start = position + 8 + firstFrame * 4;
    if (start + excerptFrames * 4 > sample.size()) return {};
    std::vector<std::int32_t> samples(excerptFrames * 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(
            suite::readLe16(reinterpret_cast<const unsigned char*>(sample.data()) + start + 2 * i));
    WavSpec layout;
    layout.channels = 2;
    layout.rate = 44100;
    return makeWav(layout, samples);
}

// Signal against difference, in dB; infinite when they are equal.
double snrDb(const std::vector<std::int16_t>& reference, const std::vector<std::int16_t>& other) {
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < reference.size() && i < other.size(); ++i) {
        signal += double(reference[i]) * reference[i];
        noise += (double(reference[i]) - other[i]) * (double(reference[i]) - other[i]);
    }
    return noise == 0 ? INFINITY : 10 * std::log10(signal / noise);
}

// libsndfile reads MP3 from version 1.1 on, when it was built with its decoder (Debian 12's
// 1.2.0 is); an older one does not list the format and gives 1007 like for any unread file.
bool readsMp3() {
    for (const std::string& format : platform::soundFileFormats())
        if (format.rfind("MPEG", 0) == 0) return true;
    return false;
}

const char* const tempFiles[] = {"_cwmltmp.wav", "_cwmrtmp.wav", "_cwhltmp.wav",
                                 "_cwhrtmp.wav", "_cwm4tmp.wav", "_cwm8tmp.wav",
                                 "_cwmtmp.wav",  "_cwsmtmp.wav", "_cwm32tmp.wav"};

struct SoundFile {
    const char* name;
    double minSnrDb; // the codec's own precision; infinite: every byte equal
};

class ChimewrightCliSoundFiles : public ::testing::Test {
  protected:
    ScratchFolder scratch;
    e2e::ScopedEnvironment windir{"WINDIR", platform::pathToUtf8(scratch.path())};

    e2e::ProgramRun run(const std::vector<std::string>& arguments) {
        return e2e::runProgramAt(platform::moduleFolder() / CW_CHIMEWRIGHT_CLI_FILE, arguments,
                                 scratch.path());
    }

    e2e::ProgramRun renderTemp(const platform::Path& input, const std::string& work) {
        return run({"--render-temp", "--work-dir", platform::pathToUtf8(scratch / work),
                    platform::pathToUtf8(input)});
    }
};

} // namespace

TEST_F(ChimewrightCliSoundFiles, RenderTheTemporaryFilesOfTheSamePcmAudio) {
    const std::string excerpt = pcmExcerpt();
    ASSERT_FALSE(excerpt.empty()) << "no sample (is CW_SOURCE_DIR set?)";
    putFile(scratch / "excerpt.wav", excerpt);
    ASSERT_EQ(renderTemp(scratch / "excerpt.wav", "pcm").status, 0);

    const SoundFile files[] = {
        {"chime_excerpt.flac", INFINITY}, {"chime_excerpt.ogg", 22}, {"chime_excerpt.mp3", 35}};
    for (const SoundFile& f : files) {
        const e2e::ProgramRun r =
            renderTemp(sourceDir() / "tests" / "data" / "sound_files" / f.name, f.name);
        if (onWindows || (std::strstr(f.name, ".mp3") && !readsMp3())) {
            EXPECT_EQ(r.status, 1) << f.name;
            EXPECT_NE(r.err.find("(1007)"), std::string::npos) << r.err;
            continue;
        }
        ASSERT_EQ(r.status, 0) << f.name << r.err;
        for (const char* temp : tempFiles) {
            const std::string expected = fileBytes(scratch / "pcm" / temp);
            const std::string decoded = fileBytes(scratch / f.name / temp);
            ASSERT_GT(expected.size(), 44u) << temp;
            // The same header and length: the decoder keeps the rate, the channels and every
            // frame (MP3 too, through the encoder's delay and padding).
            EXPECT_EQ(decoded.size(), expected.size()) << f.name << " " << temp;
            EXPECT_EQ(decoded.substr(0, 44), expected.substr(0, 44)) << f.name << " " << temp;
            if (std::isinf(f.minSnrDb))
                EXPECT_TRUE(decoded == expected) << f.name << " " << temp;
            else
                EXPECT_GE(snrDb(tempWavSamples(expected), tempWavSamples(decoded)), f.minSnrDb)
                    << f.name << " " << temp;
        }
    }
}

TEST_F(ChimewrightCliSoundFiles, ConvertInABatchAndWhatNothingReadsStays1007) {
    const platform::Path data = sourceDir() / "tests" / "data" / "sound_files";
    putFile(scratch / "vorbis.ogg", fileBytes(data / "chime_excerpt.ogg"));
    putFile(scratch / "mpeg.mp3", fileBytes(data / "chime_excerpt.mp3"));
    putFile(scratch / "notes.txt", "a text file, no sound in it\n");
    // Cut inside its metadata: libsndfile does not take it for a FLAC file.
    putFile(scratch / "cut.flac", fileBytes(data / "chime_excerpt.flac").substr(0, 100));
    const platform::Path out = scratch / "out";
    std::vector<std::string> arguments = {"--work-dir", platform::pathToUtf8(scratch / "work"),
                                          "--lang",     "en",
                                          "--targets",  "n505:16kHz,Andr",
                                          "-o",         platform::pathToUtf8(out)};
    for (const char* name : {"vorbis.ogg", "mpeg.mp3", "notes.txt", "cut.flac"})
        arguments.push_back(platform::pathToUtf8(scratch / name));
    const e2e::ProgramRun r = run(arguments);

    EXPECT_EQ(r.status, 1) << r.err;
    struct Row {
        const char* name;
        const char* base;
        bool read;
    };
    const Row rows[] = {{"vorbis.ogg", "vorbis", !onWindows},
                        {"mpeg.mp3", "mpeg", !onWindows && readsMp3()},
                        {"notes.txt", "notes", false},
                        {"cut.flac", "cut", false}};
    for (const Row& row : rows) {
        const std::string result =
            std::string(row.name) + (row.read ? ": OK" : ": Unsupported format (1007)");
        EXPECT_NE(r.out.find(result), std::string::npos) << r.out;
        const std::string base = row.base;
        EXPECT_EQ(platform::fileExists(out / "n505" / (base + ".mld")), row.read) << row.name;
        EXPECT_EQ(platform::fileExists(out / "Andr" / (base + ".ogg")), row.read) << row.name;
    }
    // The last row, which nothing reads, was not even copied for a decoder.
    EXPECT_FALSE(platform::fileExists(scratch / "work" / "_cwctmp.wav"));
}
