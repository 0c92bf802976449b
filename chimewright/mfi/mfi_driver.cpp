#include "chimewright/mfi/mfi_driver.hpp"

#include "chimewright/job/temp_files.hpp"

#include <algorithm>

namespace cw {

namespace {

constexpr std::size_t smallBudget = 10000;
constexpr std::size_t largeBudget = 20000;
constexpr std::size_t fixedUserBudget = 65200;
constexpr std::uint64_t maxTempImageBytes = 16u * 1024u * 1024u;

} // namespace

std::size_t mfiByteBudget(int target, const TargetBlock& block, int userSizeLimit) {
    return mfiByteBudget(targetRow(target), block, userSizeLimit);
}

std::size_t mfiByteBudget(const TargetRow& row, const TargetBlock& block, int userSizeLimit) {
    if (block.useUserLimit) {
        if (row.fixedUserBudget) return fixedUserBudget;
        return static_cast<std::size_t>(std::max(userSizeLimit, 0));
    }
    return block.largeBudget ? largeBudget : smallBudget;
}

VoiceOption chooseVoiceOption(const TargetBlock& block, std::uint32_t offered) {
    auto chosen = [offered](int set, std::uint32_t bit) { return set && (offered & bit); };
    if (chosen(block.lowRate, option::rate4k)) return VoiceOption::rate4k;
    if (chosen(block.stereo8k, option::stereo8k)) return VoiceOption::stereo8k;
    if (chosen(block.rate16k, option::rate16k)) return VoiceOption::mono16k;
    if (chosen(block.stereo16k, option::stereo16k)) return VoiceOption::stereo16k;
    if (chosen(block.rate32k2bit, option::rate32k2bit)) return VoiceOption::mono32k2bit;
    if (chosen(block.rate32k4bit, option::rate32k4bit)) return VoiceOption::mono32k4bit;
    return VoiceOption::mono8k;
}

int voiceOptionRate(VoiceOption option) {
    switch (option) {
    case VoiceOption::rate4k: return 4000;
    case VoiceOption::mono16k: case VoiceOption::stereo16k: return 16000;
    case VoiceOption::mono32k2bit: case VoiceOption::mono32k4bit: return 32000;
    default: return 8000;
    }
}

bool isStereoOption(VoiceOption option) {
    return option == VoiceOption::stereo8k || option == VoiceOption::stereo16k;
}

MfiWriterInputs mfiWriterInputs(const MfiDriverContext& context, const TargetBlock& block) {
    return MfiWriterInputs{
        .texts = context.texts,
        .extraSilenceMs = static_cast<std::uint32_t>(std::max(context.extraSilenceMs, 0)),
        .loop = context.options.loop != 0,
        .volume = block.volume,
    };
}

std::optional<std::vector<unsigned char>> readTempImage(const platform::Path& path) {
    platform::File file = platform::openForRead(path);
    if (!file.isOpen()) return std::nullopt;
    const std::uint64_t expected =
        std::min(file.size().value_or(maxTempImageBytes), maxTempImageBytes);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(expected));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const auto read = file.read(bytes.data() + got, bytes.size() - got);
        if (!read || *read == 0) break; // what was read so far is the sound
        got += *read;
    }
    bytes.resize(got);
    return bytes;
}

} // namespace cw
