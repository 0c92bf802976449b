// Everything known about each output target, one row per target in TargetIndex order. The
// window's rows, the settings keys, the output folders, the byte budgets, the temporary files
// a target reads and the MFi writer that makes its file are all read from here.
#pragma once

#include "chimewright/job/target_settings.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

// How the sound of a target is coded; picks the writer that makes its file.
enum class TargetCodec {
    smaf,                // tarnwick and the stream route
    qcelp,               // the QCP converter or chimewright's own encoder
    vorbis,              // the Android writer
    stepLowNibbleFirst,  // step ADPCM from raw samples
    stepHighNibbleFirst, // conditioned step ADPCM
    g726,
    ima,
};

// The MFi file a target's writer makes from the coded voice.
enum class MfiForm {
    none,           // not an MFi target
    singleRest,     // "0200", one rest record (vendor from the row)
    vendor11Short,  // vendor 0x11 short form
    vendor11Blocks, // vendor 0x11 block form
    vendor31,       // vendor 0x31 form
    inlineVoice,    // always inline
    inlineOrBlock,  // inline while the stream is shorter than 65201 bytes
    blocks,         // block form; stereo block form for the stereo options
    singleTrack,    // one track of voice blocks
    fourTrack,      // voice and three companion tracks; IMA records headed 11 11 00 00
    fourTrackF108,  // IMA four-track with records headed F1 08 00 0F
    adat,           // "adat", mono or interleaved stereo
};

// Vendor byte and version of the file's voice records, where the row's form takes them from
// the row; the other forms write their own.
struct MfiHeader {
    unsigned char vendor = 0;
    std::string_view version;
};

// The results a target's MFi writer returns when it fails.
struct TargetCodes {
    int openFailed = 0;        // a temporary file cannot be opened
    int createFailed = 0;      // the output file cannot be written
    int tooLarge = 0;          // the sound does not fit the file form, or memory ran out
    int blockCreateFailed = 0; // block files of an inline-or-block target; 0: createFailed

    int blockCreate() const { return blockCreateFailed ? blockCreateFailed : createFailed; }
};

struct TargetRow {
    const char* key;         // settings key, also the output folder name
    const char* rowLabel;    // the window's row and the console's target name
    const char* extension;   // with the dot
    int largeBudget;         // size class of the model
    bool volumeFromSettings; // false: the volume is fixed at 1.0
    std::uint32_t options;   // option bits whose controls the row has (besides "Create")
    std::uint32_t defaultFlags; // flags word of a fresh settings file
    TargetCodec codec;
    MfiForm form;
    bool fixedUserBudget; // "Unlimited" means 65200 bytes, not the user's size limit
    MfiHeader header;
    TargetCodes codes;
    int mfiTurn; // place in the order the MFi files are written; 0: not an MFi target
};

extern const std::array<TargetRow, targetCount> targetTable;

inline const TargetRow& targetRow(int target) {
    return targetTable[static_cast<std::size_t>(target)];
}

inline bool isMfiTarget(const TargetRow& row) { return row.mfiTurn != 0; }

// Whether the "4kHz" option of an MFi or Android row reads the narrow-band 8 kHz file; the
// G.726 rows code the normal 8 kHz file with 2-bit words instead.
inline bool usesNarrowFile(const TargetRow& row) { return row.codec != TargetCodec::g726; }

// output folder / target folder / base name + extension
platform::Path targetOutputPath(const platform::Path& outputFolder, int target,
                                const std::string& baseName);

// The MFi targets of `table` in the order their files are written (by turn, then index).
std::vector<int> mfiWriteOrder(std::span<const TargetRow> table);

} // namespace cw
