#include "shared/parallel.hpp"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace suite {

std::size_t parallelParts(std::size_t count, std::size_t minPart) {
    const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    const std::size_t bySize = minPart > 0 ? count / minPart : count;
    return std::max<std::size_t>(1, std::min(cores, bySize));
}

void parallelFor(std::size_t count, std::size_t minPart,
                 const std::function<void(std::size_t, std::size_t, std::size_t)>& body) {
    if (count == 0) return;
    const std::size_t parts = parallelParts(count, minPart);
    const auto begin = [&](std::size_t part) { return count * part / parts; };
    std::vector<std::thread> helpers;
    std::vector<std::size_t> notStarted; // run here when no thread could be had
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(body, part, begin(part), begin(part + 1));
        } catch (const std::system_error&) {
            notStarted.push_back(part);
        }
    }
    body(0, 0, begin(1));
    for (std::size_t part : notStarted)
        body(part, begin(part), begin(part + 1));
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace suite
