// Every file a conversion makes in its working folder, named once. The names on disk are
// fixed: the console's --render-temp, the Windows comparison scripts and tarnwick (which
// names its SMAF file after the WAV file it is given) rely on them.
#pragma once

#include <string_view>

namespace cw::tempfile {

// The 8 kHz reader's own output: each 8 kHz render is written here first, so when the writers
// run it holds the last 8 kHz render of the job (TempWavSet::latest8k says which).
inline constexpr std::string_view latest8k = "_cwmtmp.wav";
// The 16 kHz reader's own output, likewise: the last 16 kHz render (TempWavSet::latest16k),
// the mono one whenever it is made.
inline constexpr std::string_view latest16k = "_cwsmtmp.wav";
// The 32 kHz reader's own output: mono.
inline constexpr std::string_view mono32k = "_cwm32tmp.wav";
// Copies of the 8 kHz renders under the names of what they hold.
inline constexpr std::string_view left8k = "_cwmltmp.wav";
inline constexpr std::string_view right8k = "_cwmrtmp.wav";
inline constexpr std::string_view narrow8k = "_cwm4tmp.wav"; // mixed, band-limited to 2 kHz
inline constexpr std::string_view mono8k = "_cwm8tmp.wav";
// Copies of the 16 kHz channel renders.
inline constexpr std::string_view left16k = "_cwhltmp.wav";
inline constexpr std::string_view right16k = "_cwhrtmp.wav";
// The 8 kHz file cut to the SMAF budget, for tarnwick.
inline constexpr std::string_view budgetCut8k = "_cw6tmp.wav";
// A compressed or non-WAVE input: the copy the decoder reads, and the PCM it decodes to.
inline constexpr std::string_view compressedCopy = "_cwctmp.wav";
inline constexpr std::string_view decodedPcm = "_cwwtmp.wav";

// tarnwick's SMAF files, each named after the WAV file it converted.
inline constexpr std::string_view narrow8kSmaf = "_cwm4tmp.mmf";
inline constexpr std::string_view mono8kSmaf = "_cwm8tmp.mmf";
inline constexpr std::string_view budgetCut8kSmaf = "_cw6tmp.mmf";
// Names nothing in the suite makes any more; a conversion deletes what they left (the input
// check stops with 1004 when the first, or without tarnwick the second, cannot be deleted).
inline constexpr std::string_view latest8kSmaf = "_cwmtmp.mmf";
inline constexpr std::string_view sampleSmaf = "SAMPLE.mmf";
inline constexpr std::string_view sampleMidi = "SAMPLE.MID";
inline constexpr std::string_view left8kSmaf = "_cwmltmp.mmf";
inline constexpr std::string_view right8kSmaf = "_cwmrtmp.mmf";

// What the outside QCP converter writes for latest8k.
inline constexpr std::string_view latest8kQcp = "_cwmtmp.qcp";

// Made and deleted at once by the console to learn whether a folder takes files.
inline constexpr std::string_view writeProbe = "_cwprobe.tmp";

} // namespace cw::tempfile
