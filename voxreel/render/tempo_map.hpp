// Ticks to milliseconds for a track whose tempo changes: entries {tick, ms per tick} in the
// order the tempo events came. The initial entry only counts once a tempo event was added,
// so a file without tempo events places everything at time 0.
#pragma once

#include <cstdint>
#include <vector>

namespace voxreel {

class TempoMap {
public:
    TempoMap() { reset(); }

    // Back to the single entry {0, 10 ms}.
    void reset();
    void add(std::int64_t tick, double msPerTick);
    double timeOfTick(std::int64_t tick) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::int64_t tick;
        double msPerTick;
    };
    std::vector<Entry> entries_;
};

} // namespace voxreel
