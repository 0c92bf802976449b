#include "shared/parallel.hpp"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace suite {

namespace {

// Pieces per worker: enough that a held-back worker's share is small.
constexpr std::size_t kPiecesPerWorker = 8;

} // namespace

std::size_t parallelParts(std::size_t count, std::size_t minPart) {
    const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    const std::size_t bySize = minPart > 0 ? count / minPart : count;
    return std::max<std::size_t>(1, std::min(cores, bySize));
}

void parallelFor(std::size_t count, std::size_t minPart,
                 const std::function<void(std::size_t, std::size_t, std::size_t)>& body) {
    if (count == 0) return;
    const std::size_t workers = parallelParts(count, minPart);
    if (workers == 1) {
        body(0, 0, count);
        return;
    }
    const std::size_t pieceSize =
        std::max(std::max<std::size_t>(minPart, 1), count / (workers * kPiecesPerWorker));
    const std::size_t pieces = (count + pieceSize - 1) / pieceSize;
    std::atomic<std::size_t> next{0};
    const auto work = [&](std::size_t worker) {
        for (std::size_t piece; (piece = next.fetch_add(1)) < pieces;) {
            const std::size_t begin = piece * pieceSize;
            body(worker, begin, std::min(count, begin + pieceSize));
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t worker = 1; worker < workers; ++worker) {
        try {
            helpers.emplace_back(work, worker);
        } catch (const std::system_error&) {
            break; // the workers there are take every piece
        }
    }
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace suite
