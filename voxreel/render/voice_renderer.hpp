// Renders the voice blocks of one ringtone into a temporary stereo WAV file and asks the
// sound output to play it. One render job per play request: the job empties the block
// lists and the tempo map and starts a new file "_wmtmpNN.wav" (NN = job number mod 100)
// after deleting the previous one.
#pragma once

#include "voxreel/render/paged_wav_file.hpp"
#include "voxreel/render/sound_output.hpp"
#include "voxreel/render/tempo_map.hpp"
#include "voxreel/render/voice_block.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace voxreel {

// One block to mix (renderBlock's arguments).
struct BlockRenderRequest {
    int vendorCode = 0;
    int variantCode = 0;
    std::span<const unsigned char> data;
    double sampleRate = 0;
    int volume = 63;   // 0-63
    int pan = 32;      // 0 left, 32 centre, 64 right
    double startMs = 0;
    int codeWidth = 4; // G.726: 4-bit codes at 4, 2-bit codes otherwise
    bool stereo = false;
    int stereoLayout = 0;
};

// What one mono pass of renderBlock put into the file (for inspection and tests).
struct RenderedVoice {
    int vendorCode = 0;
    int variantCode = 0;
    int dataBytes = 0;
    double sampleRate = 0; // the rate the block was placed at
    int volume = 0;
    int pan = 0;
    double startMs = 0;
    std::int64_t startFrame = 0;
    int samples = 0;
    bool mixed = false;    // false when the file window could not be had
    std::vector<std::int16_t> decoded; // the decoder's samples, before gain; kept on request
};

class VoiceRenderer {
public:
    static constexpr int dataNumberCount = 128;

    // Temporary files go into `folder` (the current folder when empty).
    explicit VoiceRenderer(SoundOutput& output, platform::Path folder = {});
    // Stops playback and deletes the last temporary file.
    ~VoiceRenderer();
    VoiceRenderer(const VoiceRenderer&) = delete;
    VoiceRenderer& operator=(const VoiceRenderer&) = delete;

    // The process's renderer: the system's sound output, files in the current folder.
    static VoiceRenderer& instance();

    void beginRenderJob();
    void addTempo(std::int64_t tick, double msPerTick);
    void setMasterVolume(int value) { masterVolume_ = value; }
    int masterVolume() const { return masterVolume_; }

    int blockCount(int dataNumber) const;
    bool getBlock(int dataNumber, int index, VoiceBlock& out) const;
    bool setBlock(int dataNumber, int index, const VoiceBlock& block);
    bool addBlock(int dataNumber, VoiceBlock block);
    // The first block whose successor starts after `tick`, or the last block.
    bool findBlockForTick(int dataNumber, std::int64_t tick, VoiceBlock& out) const;
    double timeOfTick(std::int64_t tick) const { return tempo_.timeOfTick(tick); }

    // Decodes the block and mixes it into the file; a stereo block as two mono passes,
    // panned left and right. Always true.
    bool renderBlock(const BlockRenderRequest& request);

    // Starts playing the current file.
    void play();

    const platform::Path& fileName() const { return fileName_; }
    const std::vector<RenderedVoice>& renderedVoices() const { return rendered_; }
    // Keeps each pass's decoded samples in renderedVoices() (for comparing them with a source).
    void keepDecodedVoices(bool keep) { keepDecoded_ = keep; }

private:
    void mixMono(const BlockRenderRequest& request, std::span<const unsigned char> data, int pan);
    void writeHeader(double sampleRate);

    SoundOutput& output_;
    platform::Path folder_;
    platform::Path fileName_;
    std::unique_ptr<PagedWavFile> file_;
    TempoMap tempo_;
    std::array<std::vector<VoiceBlock>, dataNumberCount> blocks_;
    int masterVolume_ = 100;
    std::uint64_t jobCounter_ = 0;
    std::vector<RenderedVoice> rendered_;
    bool keepDecoded_ = false;
};

// Gains of the two channels for a pan (0-64), before volume: 32 each at the centre.
struct PanFactors {
    int left;
    int right;
};
PanFactors panFactors(int pan);

} // namespace voxreel
