#include "voxreel/render/voice_decoder.hpp"

#include "voxreel/model/mfi_event.hpp"
#include "voxreel/render/post_filter.hpp"

#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/step_adpcm_unpack.hpp"

namespace voxreel {

namespace {

constexpr int adatG726 = 0x81;
constexpr int adatLowNibble = 0x82;
constexpr int adatIma = 0x83;

} // namespace

VoiceCodec chooseVoiceCodec(int vendorCode, int variantCode) {
    // IMA ADPCM: the prefixed four-track records and "adat" chunks of format 0x83.
    if (variantCode == variant::ima && vendorCode != adatVendorCode) return VoiceCodec::ima;
    switch (vendorCode) {
    case 0x61: return VoiceCodec::g726;
    case 0x41:
        return variantCode == variant::fourTrack ? VoiceCodec::g726
                                                 : VoiceCodec::stepHighNibbleFirst;
    case 0x71:
        return variantCode == variant::alternate ? VoiceCodec::g726
                                                 : VoiceCodec::stepHighNibbleFirst;
    case 0x31:
        if (variantCode == variant::fourTrack) return VoiceCodec::g726;
        return variantCode == variant::standard ? VoiceCodec::stepLowNibbleFirst
                                                : VoiceCodec::stepHighNibbleFirst;
    case adatVendorCode:
        if (variantCode == adatG726) return VoiceCodec::g726;
        if (variantCode == adatLowNibble) return VoiceCodec::stepLowNibbleFirst;
        if (variantCode == adatIma) return VoiceCodec::ima;
        return VoiceCodec::stepHighNibbleFirst;
    case 0x11: return VoiceCodec::stepLowNibbleFirst;
    case 0x21:
        return variantCode == variant::singleRecord ? VoiceCodec::stepLowNibbleFirst
                                                    : VoiceCodec::stepHighNibbleFirst;
    default: return VoiceCodec::stepHighNibbleFirst;
    }
}

int postFilterLowBins(VoiceCodec codec) { return codec == VoiceCodec::stepLowNibbleFirst ? 150 : 20; }

DecodedVoice decodeVoice(VoiceCodec codec, std::span<const unsigned char> data, double sampleRate,
                         int codeWidth) {
    DecodedVoice voice;
    voice.sampleRate = sampleRate;
    switch (codec) {
    case VoiceCodec::stepLowNibbleFirst:
    case VoiceCodec::stepHighNibbleFirst: {
        voice.samples.resize(2 * data.size());
        const auto packing = codec == VoiceCodec::stepLowNibbleFirst
                                 ? suite::StepAdpcmPacking::lowNibbleFirst
                                 : suite::StepAdpcmPacking::highNibbleFirst;
        voice.samples.resize(suite::decodeStepAdpcmStream(data, packing, voice.samples));
        break;
    }
    case VoiceCodec::g726: {
        const auto width =
            codeWidth == 4 ? suite::G726CodeWidth::fourBits : suite::G726CodeWidth::twoBits;
        if (width == suite::G726CodeWidth::twoBits && voice.sampleRate < 8000)
            voice.sampleRate = 8000;
        voice.samples.resize(suite::g726SamplesPerByte(width) * data.size());
        voice.samples.resize(suite::decodeG726Stream(data, width, voice.samples));
        break;
    }
    case VoiceCodec::ima: {
        voice.samples.resize(data.size() / suite::imaAdpcmBlockBytes *
                             suite::imaAdpcmSamplesPerBlock);
        voice.samples.resize(suite::decodeImaAdpcmBlocks(data, voice.samples));
        break;
    }
    }
    postFilter(voice.samples, postFilterLowBins(codec));
    return voice;
}

} // namespace voxreel
