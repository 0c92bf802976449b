#include "chimewright/driver/ogg_encoder.hpp"

#include "shared/byte_order.hpp"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <random>
#include <string>

namespace cw {

namespace {

// Samples handed to the analysis stage per call, per channel.
constexpr std::size_t chunkSamples = 1024;

// The libvorbis and libogg states of one encoding, cleared in reverse order of set-up however
// the encoding ends.
class VorbisEncoder {
public:
    VorbisEncoder() { vorbis_info_init(&info_); }
    ~VorbisEncoder() {
        if (streamReady_) ogg_stream_clear(&stream_);
        if (analysisReady_) {
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        if (commentsReady_) vorbis_comment_clear(&comments_);
        vorbis_info_clear(&info_);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool setUp(int channels, int rate, float quality) {
        return vorbis_encode_init_vbr(&info_, channels, rate, quality) == 0;
    }

    void addComments(std::string_view title, std::string_view copyright) {
        vorbis_comment_init(&comments_);
        commentsReady_ = true;
        // Values are the code-page-932 bytes as they are, no conversion.
        if (!title.empty()) vorbis_comment_add_tag(&comments_, "title", std::string(title).c_str());
        if (!copyright.empty())
            vorbis_comment_add_tag(&comments_, "Copyright", std::string(copyright).c_str());
        vorbis_comment_add_tag(&comments_, "ANDROID_LOOP", "true");
        vorbis_comment_add_tag(&comments_, "ENCODER", "chimewright");
    }

    void startStream(int serial) {
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        analysisReady_ = true;
        ogg_stream_init(&stream_, serial);
        streamReady_ = true;
    }

    // The three header packets, each header page flushed whole.
    void writeHeaders(std::vector<std::uint8_t>& output) {
        ogg_packet identification, comment, codebooks;
        vorbis_analysis_headerout(&dsp_, &comments_, &identification, &comment, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comment);
        ogg_stream_packetin(&stream_, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) appendPage(output, page);
    }

    float** sampleBuffer(int samples) { return vorbis_analysis_buffer(&dsp_, samples); }
    void wrote(int samples) { vorbis_analysis_wrote(&dsp_, samples); }

    // Encodes every block that is ready and appends every completed page. True once the
    // end-of-stream page has been appended.
    bool drain(std::vector<std::uint8_t>& output) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page) != 0) {
                    appendPage(output, page);
                    if (ogg_page_eos(&page)) return true;
                }
            }
        }
        return false;
    }

private:
    static void appendPage(std::vector<std::uint8_t>& output, const ogg_page& page) {
        output.insert(output.end(), page.header, page.header + page.header_len);
        output.insert(output.end(), page.body, page.body + page.body_len);
    }

    vorbis_info info_{};
    vorbis_comment comments_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    bool commentsReady_ = false;
    bool analysisReady_ = false;
    bool streamReady_ = false;
};

// A fresh serial number for every stream, so that files chained or multiplexed by a player
// never share one.
int randomStreamSerial() {
    std::random_device device;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(now),
                       static_cast<unsigned>(static_cast<unsigned long long>(now) >> 32)};
    std::mt19937 generator(seed);
    return std::uniform_int_distribution<int>(0, 0x7FFFFFFF)(generator);
}

float sampleAt(const std::uint8_t* bytes, std::size_t offset) {
    return static_cast<float>(static_cast<std::int16_t>(suite::readLe16(bytes + offset))) /
           32768.0f;
}

} // namespace

std::size_t encodeOgg(std::vector<std::uint8_t>& output, const std::uint8_t* left,
                      const std::uint8_t* right, std::size_t byteCount, int qualityStep, int rate,
                      int channels, std::string_view title, std::string_view copyright) {
    if (channels < 1 || channels > 2 || (channels == 2 && right == nullptr) ||
        (byteCount > 0 && left == nullptr))
        return 0;
    const std::size_t start = output.size();
    try {
        VorbisEncoder encoder;
        if (!encoder.setUp(channels, rate, static_cast<float>(qualityStep) * 0.1f)) return 0;
        encoder.addComments(title, copyright);
        encoder.startStream(randomStreamSerial());
        encoder.writeHeaders(output);

        const std::size_t totalSamples = byteCount / 2; // a lone last byte holds no sample
        std::size_t done = 0;
        bool ended = false;
        while (!ended) {
            const std::size_t samples = std::min(chunkSamples, totalSamples - done);
            if (samples == 0) {
                encoder.wrote(0); // end of stream
                ended = encoder.drain(output);
                break;
            }
            float** buffer = encoder.sampleBuffer(static_cast<int>(samples));
            for (std::size_t i = 0; i < samples; ++i) {
                const std::size_t offset = (done + i) * 2;
                buffer[0][i] = sampleAt(left, offset);
                if (channels == 2) buffer[1][i] = sampleAt(right, offset);
            }
            encoder.wrote(static_cast<int>(samples));
            done += samples;
            ended = encoder.drain(output);
        }
    } catch (const std::bad_alloc&) {
        output.resize(start);
        return 0;
    }
    return output.size() - start;
}

} // namespace cw
