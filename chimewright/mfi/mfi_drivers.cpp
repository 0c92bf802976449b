#include "chimewright/mfi/mfi_drivers.hpp"

#include <new>

namespace cw {

int writeMfiTarget(const TargetRow& row, const TargetBlock& block,
                   const MfiDriverContext& context) {
    switch (row.codec) {
    case TargetCodec::stepLowNibbleFirst: return writeLowNibbleTarget(row, block, context);
    case TargetCodec::stepHighNibbleFirst: return writeStepTarget(row, block, context);
    case TargetCodec::g726: return writeG726Target(row, block, context);
    case TargetCodec::ima: return writeImaTarget(row, block, context);
    default: return 0;
    }
}

int runMfiDrivers(const MfiDriverContext& context) {
    static const std::vector<int> order = mfiWriteOrder(targetTable);
    for (int target : order) {
        const TargetRow& row = targetRow(target);
        const TargetBlock& block = context.settings[static_cast<std::size_t>(target)];
        if (!block.enabled) continue;
        int code = 0;
        try {
            code = writeMfiTarget(row, block, context);
        } catch (const std::bad_alloc&) {
            code = row.codes.tooLarge; // no file is written
        }
        if (code != 0) return code;
    }
    return 0;
}

} // namespace cw
