// What the six MFi encoder drivers share: their call context, the byte budget, the choice of
// the voice option, reading a temporary WAV image and the single create-and-write of a file.
#pragma once

#include "chimewright/job/target_table.hpp"
#include "chimewright/job/temp_wav_set.hpp"
#include "chimewright/mfi/forms/mfi_texts.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace cw {

struct MfiDriverContext {
    const JobSettings& settings;
    TempWavSet temps;       // the job's renders, the drivers' input
    MfiTexts texts;         // already cut to what an MFi file holds
    int extraSilenceMs = 0; // the row's interval
    MfiOptions options;
};

// The most ADPCM bytes one channel stream of the target may hold: with "Unlimited" 65200
// for the rows with a fixed budget and the user size limit for the others; otherwise 20000
// for the large size class and 10000 for the small one.
std::size_t mfiByteBudget(const TargetRow& row, const TargetBlock& block, int userSizeLimit);
std::size_t mfiByteBudget(int target, const TargetBlock& block, int userSizeLimit);

// The sound a target's file carries.
enum class VoiceOption { rate4k, mono8k, stereo8k, mono16k, stereo16k, mono32k2bit, mono32k4bit };

// The first option set in the block and offered by the target (`offered` holds option bits),
// in the order the window checks its radio buttons: "4kHz", "8kStereo", "16kHz",
// "16kStereo", "32kHz(2bit)", "32kHz(4bit)"; otherwise 8 kHz mono. A settings file with
// several bits set so gives one consistent choice of input file and rate.
VoiceOption chooseVoiceOption(const TargetBlock& block, std::uint32_t offered);

// 4000, 8000, 16000 or 32000.
int voiceOptionRate(VoiceOption option);
bool isStereoOption(VoiceOption option);

MfiWriterInputs mfiWriterInputs(const MfiDriverContext& context, const TargetBlock& block);

// The whole temporary WAV file, at most 16 MiB of it; nothing when it cannot be opened.
std::optional<std::vector<unsigned char>> readTempImage(const platform::Path& path);

} // namespace cw
