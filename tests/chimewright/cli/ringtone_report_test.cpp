// --report: the figures of a known case against a computation here (a pure tone through a
// step-ADPCM target and through the Ogg target), cut and missing files, failed rows, and
// JSON that parses with every row and target.
#include "chimewright/cli/report_writer.hpp"
#include "chimewright/cli/ringtone_report.hpp"

#include "chimewright/app/batch.hpp"
#include "chimewright/app/result_messages.hpp"
#include "platform/text.hpp"
#include "shared/step_adpcm.hpp"
#include "voxreel/model/mfi_file.hpp"
#include "voxreel/render/voice_decoder.hpp"
#include "tests/chimewright/cli/json_value.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>

using namespace testing_support;
using cli_testing::JsonValue;
namespace opt = cw::option;

namespace {

// SNR after bringing `decoded` to the level of `source` by the least-squares gain, over the
// length both have: the figure the report gives, computed here from the plain definition.
double matchedSnr(const std::vector<std::int16_t>& source, const std::vector<std::int16_t>& decoded) {
    const std::size_t n = std::min(source.size(), decoded.size());
    double xy = 0, yy = 0;
    for (std::size_t k = 0; k < n; ++k) {
        xy += double(source[k]) * decoded[k];
        yy += double(decoded[k]) * decoded[k];
    }
    const double gain = xy / yy;
    double signal = 0, noise = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const double d = source[k] - gain * decoded[k];
        signal += double(source[k]) * source[k];
        noise += d * d;
    }
    return 10 * std::log10(signal / noise);
}

// The voice data of an MFi file's events, joined, through the decoder of its family.
std::vector<std::int16_t> decodedMfiVoice(const std::string& file) {
    const auto image = std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(file.data()), file.size());
    const voxreel::MfiFile mfi = voxreel::MfiFile::parse(image);
    std::vector<unsigned char> data;
    int vendor = 0, variant = 0;
    double rate = 0;
    for (const voxreel::MfiTrack& track : mfi.tracks)
        for (const voxreel::MfiEvent& event : track.events)
            if (event.isAudio && event.audioLength > 0) {
                data.insert(data.end(), event.audio().begin(), event.audio().end());
                vendor = event.vendorCode;
                variant = event.variantCode;
                rate = event.sampleRate;
            }
    return voxreel::decodeVoice(voxreel::chooseVoiceCodec(vendor, variant), data, rate, 4).samples;
}

// The step-ADPCM round trip of a whole stream, from a fresh state.
std::vector<std::int16_t> stepRoundTrip(const std::vector<std::int16_t>& samples) {
    suite::stepAdpcmState encoder, decoder;
    suite::stepAdpcmReset(encoder);
    suite::stepAdpcmReset(decoder);
    std::vector<std::int16_t> out;
    for (std::int16_t s : samples) out.push_back(suite::stepAdpcmDecode(decoder, suite::stepAdpcmEncode(encoder, s)));
    return out;
}

// The first channel of an Ogg Vorbis file, decoded with libvorbis's file reader.
std::vector<std::int16_t> oggFirstChannel(const platform::Path& path, int& rate) {
    OggVorbis_File file;
    std::vector<std::int16_t> samples;
    if (ov_fopen(platform::pathToUtf8(path).c_str(), &file) != 0) return samples;
    rate = static_cast<int>(ov_info(&file, -1)->rate);
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames <= 0) break;
        for (long f = 0; f < frames; ++f) {
            // To 16 bits as ov_read does: scaled by 32768, rounded, clipped.
            const double v = std::floor(pcm[0][f] * 32768.0 + 0.5);
            samples.push_back(static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0)));
        }
    }
    ov_clear(&file);
    return samples;
}

class Report : public ::testing::Test {
protected:
    ScratchFolder work;
    ScratchFolder out;
    cw::SettingsState state;

    void SetUp() override {
        state.flags.fill(opt::rate8k);
        state.flags[cw::targetN503] = opt::create | opt::rate8k;
        state.flags[cw::targetAndroid] = opt::create | opt::rate16k;
        state.flags[cw::targetQcp] = opt::create | opt::rate8k; // no converter: not made
    }

    cw::JobRequest request(const std::string& name, double seconds) {
        const platform::Path input = work / (name + ".wav");
        WavSpec layout;
        layout.rate = 22050;
        putFile(input, makeWav(layout, sineWave(440, 22050, std::size_t(seconds * 22050), 8000)));
        cw::FileRow row{platform::pathToUtf8(input), name, name, 0};
        cw::JobRequest job = cw::makeJobRequest(state, row, out.path(), cw::batchLevel(state), work.path());
        job.programFolder = work.path(); // neither tarnwick nor the QCP converter here
        return job;
    }

    cw::cli::RowReport convertAndReport(const cw::JobRequest& job) {
        const cw::cli::OutputsBefore before = cw::cli::outputsBefore(job);
        return cw::cli::reportRow(job, cw::prepareJob(job), before);
    }

    static const cw::cli::TargetReport* find(const cw::cli::RowReport& row, const char* key) {
        for (const auto& target : row.targets)
            if (target.key == key) return &target;
        return nullptr;
    }

    std::vector<std::int16_t> temp(const char* name) {
        return tempWavSamples(fileBytes(work / name));
    }
};

} // namespace

TEST_F(Report, PureToneThroughStepAdpcmAndOgg) {
    const cw::cli::RowReport row = convertAndReport(request("tone", 2.0));
    ASSERT_EQ(row.code, 0);
    ASSERT_EQ(row.targets.size(), 3u); // n503, QCP, Android: the enabled targets

    const cw::cli::TargetReport* step = find(row, "n503");
    ASSERT_TRUE(step && step->made && step->decoded);
    EXPECT_EQ(step->rate, 8000);
    EXPECT_NEAR(step->seconds, 2.0, 0.01);
    EXPECT_FALSE(step->cut);
    EXPECT_EQ(step->limit, 10000u);
    EXPECT_EQ(step->source, "_cwm8tmp.wav");
    ASSERT_EQ(step->channels.size(), 1u);
    const std::vector<std::int16_t> mono8k = temp("_cwm8tmp.wav");
    // The file's voice data decoded here, straight from its events, by the family's decoder.
    const std::vector<std::int16_t> voice = decodedMfiVoice(fileBytes(out / "n503" / "tone.mld"));
    ASSERT_EQ(voice.size(), 16000u);
    EXPECT_NEAR(*step->channels[0].snrDb, matchedSnr(mono8k, voice), 0.01);
    // What step ADPCM gives a full-scale tone with the player's post-filter and soft limit:
    // the plain round trip is the upper bound, and the file is not far below it.
    const double roundTrip = matchedSnr(mono8k, stepRoundTrip(mono8k));
    EXPECT_LT(*step->channels[0].snrDb, roundTrip);
    EXPECT_GT(*step->channels[0].snrDb, roundTrip - 8.0);
    EXPECT_GT(*step->channels[0].correlation, 0.99);
    EXPECT_NEAR(*step->channels[0].levelDb, 0.0, 1.0);

    const cw::cli::TargetReport* ogg = find(row, "Andr");
    ASSERT_TRUE(ogg && ogg->made && ogg->decoded);
    EXPECT_FALSE(ogg->limit); // unlimited
    EXPECT_EQ(ogg->source, "_cwsmtmp.wav");
    int rate = 0;
    const std::vector<std::int16_t> decoded = oggFirstChannel(out / "Andr" / "tone.ogg", rate);
    EXPECT_EQ(ogg->rate, rate);
    EXPECT_NEAR(ogg->seconds, static_cast<double>(decoded.size()) / rate, 1e-9);
    // The same decoder, so only the 16-bit rounding may differ: within 0.05 dB.
    EXPECT_NEAR(*ogg->channels[0].snrDb, matchedSnr(temp("_cwsmtmp.wav"), decoded), 0.05);
    EXPECT_GT(*ogg->channels[0].correlation, 0.99);

    const cw::cli::TargetReport* qcp = find(row, "qcp");
    ASSERT_TRUE(qcp);
    EXPECT_FALSE(qcp->made);
    EXPECT_EQ(qcp->why, "PVConv.exe was not found beside chimewright");
}

TEST_F(Report, CutTargetsFailedRowsAndJson) {
    std::vector<cw::cli::RowReport> rows;
    // 4 s at 8000 Hz: 32000 step codes, 16000 bytes, over n503's 10000.
    rows.push_back(convertAndReport(request("long", 4.0)));
    const cw::cli::TargetReport* step = find(rows[0], "n503");
    ASSERT_TRUE(step && step->decoded);
    EXPECT_TRUE(step->cut);
    EXPECT_NEAR(step->seconds, 2.5, 0.01);
    EXPECT_NEAR(step->sourceSeconds, 4.0, 0.01);
    EXPECT_FALSE(find(rows[0], "Andr")->cut);

    // A file that is no sound: the row fails, and every target says why.
    cw::JobRequest broken = request("broken", 0.1);
    putFile(broken.input, "this is not a sound file at all");
    rows.push_back(convertAndReport(broken));
    ASSERT_EQ(rows[1].code, 1007);
    for (const auto& target : rows[1].targets) {
        EXPECT_FALSE(target.made) << target.key;
        EXPECT_EQ(target.why, cw::showResult(1007)) << target.key;
    }

    const std::string text = cw::cli::reportText(rows);
    EXPECT_NE(text.find("summary: best Andr"), std::string::npos) << text;
    EXPECT_NE(text.find("worst n503"), std::string::npos) << text;
    EXPECT_NE(text.find("cut to the size limit: n503\n"), std::string::npos) << text;

    const std::optional<JsonValue> json = cli_testing::parseJson(cw::cli::reportJson(rows));
    ASSERT_TRUE(json) << cw::cli::reportJson(rows);
    ASSERT_EQ(json->kind, JsonValue::Kind::array);
    ASSERT_EQ(json->items.size(), 2u);
    for (const JsonValue& row : json->items) {
        const JsonValue* targets = row.member("targets");
        ASSERT_TRUE(targets && targets->kind == JsonValue::Kind::object);
        EXPECT_EQ(targets->order, (std::vector<std::string>{"n503", "qcp", "Andr"}));
        ASSERT_TRUE(row.member("summary"));
    }
    const JsonValue& n503 = *json->items[0].member("targets")->member("n503");
    EXPECT_TRUE(n503.member("made")->boolean);
    EXPECT_TRUE(n503.member("cut")->boolean);
    EXPECT_EQ(n503.member("limit")->number, 10000);
    EXPECT_NEAR(n503.member("channels")->items.at(0).member("snr_db")->number,
                *step->channels[0].snrDb, 0.001);
    EXPECT_EQ(json->items[0].member("summary")->member("cut")->items.at(0).text, "n503");
    const JsonValue& failed = *json->items[1].member("targets")->member("Andr");
    EXPECT_FALSE(failed.member("made")->boolean);
    EXPECT_EQ(failed.member("why")->text, cw::showResult(1007));
    EXPECT_EQ(json->items[1].member("code")->number, 1007);
}
