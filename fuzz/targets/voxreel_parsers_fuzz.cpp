// libFuzzer target for the player's readers: any byte string as an MFi or a SMAF file.
// Parses it, walks what was found and decodes short voice blocks with the decoder their
// family would use; every span the readers return must lie inside the input.
#include "voxreel/model/mfi_file.hpp"
#include "voxreel/model/smaf_voice.hpp"
#include "voxreel/model/type_label.hpp"
#include "voxreel/render/voice_decoder.hpp"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Decoding is linear in the block, plus one FFT; short blocks keep every input fast.
constexpr std::size_t maxDecodedBytes = 4096;

void inside(std::span<const unsigned char> part, std::span<const unsigned char> whole) {
    if (part.empty()) return;
    if (part.data() < whole.data() || part.data() + part.size() > whole.data() + whole.size())
        std::abort();
}

unsigned touch(std::span<const unsigned char> bytes) {
    unsigned sum = 0;
    for (unsigned char b : bytes) sum += b;
    return sum;
}

void decode(int vendor, int variantCode, std::span<const unsigned char> data, double rate, int width) {
    if (data.size() > maxDecodedBytes) return;
    const auto codec = voxreel::chooseVoiceCodec(vendor, variantCode);
    const auto voice = voxreel::decodeVoice(codec, data, rate, width);
    if (voice.samples.size() > 4 * data.size()) std::abort();
}

void mfi(std::span<const unsigned char> input) {
    const voxreel::MfiFile file = voxreel::MfiFile::parse(input);
    volatile unsigned sink = static_cast<unsigned>(file.version());
    for (const auto& entry : file.info) sink = sink + touch(entry.data());
    for (const auto& chunk : file.audioData) {
        inside(chunk.audio(), chunk.chunk);
        decode(voxreel::adatVendorCode, chunk.formatCode, chunk.audio(), chunk.rateKHz * 1000.0,
               chunk.bitsPerCode == 2 ? 2 : 4);
    }
    for (const auto& track : file.tracks) {
        for (const auto& event : track.events) {
            if (event.length != static_cast<int>(event.bytes.size())) std::abort();
            if (!event.isAudio) continue;
            if (event.audioOffset < 0 || event.audioLength < 0 ||
                event.audioOffset + event.audioLength != event.length)
                std::abort();
            inside(event.audio(), event.bytes);
            decode(event.vendorCode, event.variantCode, event.audio(), event.sampleRate,
                   event.codeWidth);
            sink = sink + voxreel::formatTypeLabel(file.version(), event.vendorCode,
                                                   event.variantCode,
                                                   static_cast<int>(event.sampleRate))
                              .size();
        }
    }
}

void smaf(std::span<const unsigned char> input) {
    const voxreel::SmafVoice voice = voxreel::findSmafVoice(input);
    if (voice.title.size() > 255 || voice.copyright.size() > 255) std::abort();
    if (!voice.found) return;
    if (voice.audioOffset > input.size() || voice.audioLength > input.size() - voice.audioOffset)
        std::abort();
    decode(0x11, voxreel::variant::standard, input.subspan(voice.audioOffset, voice.audioLength),
           voice.rate, 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> input(data, size);
    // Both readers see every input; the first four bytes only choose for the player.
    mfi(input);
    smaf(input);
    return 0;
}
