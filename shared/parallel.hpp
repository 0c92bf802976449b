// Splitting a loop over the machine's cores.
//
// The range is cut into fixed contiguous parts, one per core; each index is handled by exactly
// one call of the body, so a body that computes every element from its own inputs gives the
// same bits however the parts are scheduled (and with one part, or when no thread can be
// started, the whole range runs on the calling thread).
#pragma once

#include <cstddef>
#include <functional>

namespace suite {

// How many parts parallelFor cuts [0, count) into: one per processor the system reports,
// but none smaller than minPart indices (at least one part).
std::size_t parallelParts(std::size_t count, std::size_t minPart);

// Calls body(part, begin, end) for the parallelParts(count, minPart) contiguous parts of
// [0, count); part 0 runs on the calling thread. Returns when every part is done. The body
// must not throw.
void parallelFor(std::size_t count, std::size_t minPart,
                 const std::function<void(std::size_t, std::size_t, std::size_t)>& body);

} // namespace suite
