// Splitting a loop over the machine's cores.
//
// The range is cut into contiguous pieces that the workers take in turn, so a worker that the
// system holds back leaves its share to the others. Each index is handled by exactly one call
// of the body, so a body that computes every element from its own inputs gives the same bits
// however the pieces are scheduled (and with one worker, or when no thread can be started,
// the whole range runs on the calling thread).
#pragma once

#include <cstddef>
#include <functional>

namespace suite {

// How many workers parallelFor uses for [0, count): one per processor the system reports,
// but no more than there are pieces of minPart indices (at least one).
std::size_t parallelParts(std::size_t count, std::size_t minPart);

// Calls body(worker, begin, end) for pieces covering [0, count), each at least minPart
// indices long (but the last); worker < parallelParts(count, minPart) names the thread, so a
// body may keep per-worker state (and must combine it, as one worker may take many pieces).
// Worker 0 is the calling thread. Returns when every piece is done. The body must not throw.
void parallelFor(std::size_t count, std::size_t minPart,
                 const std::function<void(std::size_t, std::size_t, std::size_t)>& body);

} // namespace suite
