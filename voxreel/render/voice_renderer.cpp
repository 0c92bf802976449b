#include "voxreel/render/voice_renderer.hpp"

#include "voxreel/render/voice_decoder.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace voxreel {

namespace {

constexpr std::int64_t headerSize = 44;
constexpr std::int64_t frameBytes = 4;
// 1 / (127 x 2048): volume 0-63 times master volume 0-127 times pan factor 0-32.
constexpr double gainUnit = 3.844734251968504e-6;

std::int16_t mixSample(std::int16_t current, double gain, std::int16_t sample) {
    const double sum = std::trunc(current + gain * sample);
    return static_cast<std::int16_t>(std::clamp(sum, -32767.0, 32767.0));
}

bool validDataNumber(int dataNumber) {
    return dataNumber >= 0 && dataNumber < VoiceRenderer::dataNumberCount;
}

// The two channels of a stereo block: two halves, or one nibble of each byte pair each.
void splitStereo(std::span<const unsigned char> data, int layout, std::vector<unsigned char>& first,
                 std::vector<unsigned char>& second) {
    const std::size_t half = data.size() / 2;
    if (layout == 0) {
        first.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(half));
        second.assign(data.begin() + static_cast<std::ptrdiff_t>(half),
                      data.begin() + static_cast<std::ptrdiff_t>(2 * half));
        return;
    }
    first.resize(half);
    second.resize(half);
    for (std::size_t i = 0; i < half; ++i) {
        const unsigned char b0 = data[2 * i], b1 = data[2 * i + 1];
        first[i] = static_cast<unsigned char>((b0 & 0xF0) | (b1 >> 4));
        second[i] = static_cast<unsigned char>(((b0 << 4) & 0xF0) | (b1 & 0x0F));
    }
}

} // namespace

PanFactors panFactors(int pan) {
    return {std::min(32, (32 - (pan + 1) / 2) * 2), std::min(32, pan + 1)};
}

VoiceRenderer::VoiceRenderer(SoundOutput& output, platform::Path folder)
    : output_(output), folder_(std::move(folder)) {}

VoiceRenderer::~VoiceRenderer() {
    output_.stop();
    if (file_) file_->destroy();
}

VoiceRenderer& VoiceRenderer::instance() {
    static SystemSoundOutput systemOutput;
    static VoiceRenderer renderer(systemOutput);
    return renderer;
}

void VoiceRenderer::beginRenderJob() {
    output_.stop();
    for (auto& list : blocks_) list.clear();
    tempo_.reset();
    rendered_.clear();
    if (file_) {
        file_->destroy();
        file_.reset();
    }
    char name[16];
    std::snprintf(name, sizeof name, "_wmtmp%02d.wav", static_cast<int>(jobCounter_ % 100));
    ++jobCounter_;
    fileName_ = folder_.empty() ? platform::Path(name) : folder_ / name;
    file_ = std::make_unique<PagedWavFile>(fileName_);
    masterVolume_ = 100;
}

void VoiceRenderer::addTempo(std::int64_t tick, double msPerTick) { tempo_.add(tick, msPerTick); }

int VoiceRenderer::blockCount(int dataNumber) const {
    if (!validDataNumber(dataNumber)) return 0;
    return static_cast<int>(blocks_[static_cast<std::size_t>(dataNumber)].size());
}

bool VoiceRenderer::getBlock(int dataNumber, int index, VoiceBlock& out) const {
    if (index < 0 || index >= blockCount(dataNumber)) return false;
    out = blocks_[static_cast<std::size_t>(dataNumber)][static_cast<std::size_t>(index)];
    return true;
}

bool VoiceRenderer::setBlock(int dataNumber, int index, const VoiceBlock& block) {
    if (index < 0 || index >= blockCount(dataNumber)) return false;
    blocks_[static_cast<std::size_t>(dataNumber)][static_cast<std::size_t>(index)] = block;
    return true;
}

bool VoiceRenderer::addBlock(int dataNumber, VoiceBlock block) {
    if (!validDataNumber(dataNumber)) return false;
    blocks_[static_cast<std::size_t>(dataNumber)].push_back(std::move(block));
    return true;
}

bool VoiceRenderer::findBlockForTick(int dataNumber, std::int64_t tick, VoiceBlock& out) const {
    const int count = blockCount(dataNumber);
    if (count == 0) return false;
    const auto& list = blocks_[static_cast<std::size_t>(dataNumber)];
    std::size_t chosen = list.size() - 1;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        if (list[i + 1].startTick > tick) {
            chosen = i;
            break;
        }
    }
    out = list[chosen];
    return true;
}

bool VoiceRenderer::renderBlock(const BlockRenderRequest& request) {
    output_.stop();
    if (!request.stereo) {
        mixMono(request, request.data, request.pan);
        return true;
    }
    std::vector<unsigned char> first, second;
    splitStereo(request.data, request.stereoLayout, first, second);
    mixMono(request, first, 0);
    mixMono(request, second, 64);
    return true;
}

void VoiceRenderer::mixMono(const BlockRenderRequest& request,
                            std::span<const unsigned char> data, int pan) {
    const VoiceCodec codec = chooseVoiceCodec(request.vendorCode, request.variantCode);
    const DecodedVoice voice = decodeVoice(codec, data, request.sampleRate, request.codeWidth);
    const std::vector<std::int16_t>& s = voice.samples;
    const auto n = static_cast<std::int64_t>(s.size());

    RenderedVoice report;
    report.vendorCode = request.vendorCode;
    report.variantCode = request.variantCode;
    report.dataBytes = static_cast<int>(data.size());
    report.sampleRate = voice.sampleRate;
    report.volume = request.volume;
    report.pan = pan;
    report.startMs = request.startMs;
    report.samples = static_cast<int>(n);

    // Frame of the block's start, rounding half up; starts beyond any file size the window
    // could reach are not placed.
    const double frame = std::floor(voice.sampleRate * request.startMs * 0.001 + 0.5);
    unsigned char* window = nullptr;
    if (file_ && n > 0 && frame >= 0 && frame < 1e15) {
        report.startFrame = static_cast<std::int64_t>(frame);
        window = file_->lockRegion(headerSize + frameBytes * report.startFrame, frameBytes * n);
    }
    if (window) {
        const PanFactors factors = panFactors(pan);
        const double scale = static_cast<double>(masterVolume_) * request.volume * gainUnit;
        const double gainLeft = factors.left * scale;
        const double gainRight = factors.right * scale;
        // Sample k goes to frame k + 1 of the block; the last sample is not used.
        for (std::int64_t k = 0; k + 1 < n; ++k) {
            unsigned char* at = window + frameBytes * (k + 1);
            const auto left = static_cast<std::int16_t>(suite::readLe16(at));
            const auto right = static_cast<std::int16_t>(suite::readLe16(at + 2));
            const std::int16_t sample = s[static_cast<std::size_t>(k)];
            suite::writeLe16(at, static_cast<std::uint16_t>(mixSample(left, gainLeft, sample)));
            suite::writeLe16(at + 2,
                             static_cast<std::uint16_t>(mixSample(right, gainRight, sample)));
        }
        file_->flush();
        writeHeader(voice.sampleRate);
        report.mixed = true;
    }
    if (keepDecoded_) report.decoded = s;
    rendered_.push_back(std::move(report));
}

void VoiceRenderer::writeHeader(double sampleRate) {
    const std::int64_t size = file_->fileSize();
    unsigned char* header = file_->lockRegion(0, headerSize);
    if (!header || size < headerSize) return;
    const auto rate = static_cast<std::uint32_t>(std::llround(sampleRate));
    const auto byteRate = static_cast<std::uint32_t>(std::llround(sampleRate * 4));
    std::copy_n("RIFF\0\0\0\0WAVEfmt ", 16, header);
    suite::writeLe32(header + 4, static_cast<std::uint32_t>(size - 8));
    suite::writeLe32(header + 16, 16);
    suite::writeLe16(header + 20, 1); // PCM
    suite::writeLe16(header + 22, 2); // channels
    suite::writeLe32(header + 24, rate);
    suite::writeLe32(header + 28, byteRate);
    suite::writeLe16(header + 32, 4); // block align
    suite::writeLe16(header + 34, 16);
    std::copy_n("data", 4, header + 36);
    suite::writeLe32(header + 40, static_cast<std::uint32_t>(size - 44));
    file_->flush();
}

void VoiceRenderer::play() { output_.play(fileName_); }

} // namespace voxreel
