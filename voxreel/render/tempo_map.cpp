#include "voxreel/render/tempo_map.hpp"

namespace voxreel {

void TempoMap::reset() { entries_.assign(1, Entry{0, 10.0}); }

void TempoMap::add(std::int64_t tick, double msPerTick) { entries_.push_back({tick, msPerTick}); }

double TempoMap::timeOfTick(std::int64_t tick) const {
    if (entries_.size() < 2) return 0;
    double sum = 0;
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        const Entry& before = entries_[i - 1];
        const Entry& entry = entries_[i];
        if (entry.tick >= tick)
            return sum + static_cast<double>(tick - before.tick) * before.msPerTick;
        sum += static_cast<double>(entry.tick - before.tick) * before.msPerTick;
        if (i + 1 == entries_.size())
            return sum + static_cast<double>(tick - entry.tick) * entry.msPerTick;
    }
    return sum;
}

} // namespace voxreel
