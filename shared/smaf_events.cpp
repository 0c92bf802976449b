#include "shared/smaf_events.hpp"

namespace suite {

namespace {

// An event of `length` bytes, if they are there.
SmafEventShape fitting(std::size_t length, std::size_t available, bool hasGate = false) {
    if (length > available) return {};
    return {length, hasGate};
}

SmafEventShape handyPhoneShape(const unsigned char* bytes, std::size_t available) {
    const unsigned first = bytes[0];
    if (first == 0xFF) {
        if (available < 2) return {};
        if (bytes[1] != 0xF0) return fitting(2, available);
        if (available < 3) return {};
        return fitting(3 + std::size_t{bytes[2]}, available);
    }
    if (first == 0x00) {
        if (available < 2) return {};
        return fitting((bytes[1] & 0x30) == 0x30 ? 3 : 2, available);
    }
    return fitting(1, available, true);
}

// F0 or FF, a count, then that many bytes.
SmafEventShape countedShape(const unsigned char* bytes, std::size_t available) {
    int count = 0;
    const std::size_t countBytes =
        decodeSmafNumber(SmafEncoding::mobile, bytes + 1, available - 1, count);
    if (countBytes == 0) return {};
    return fitting(1 + countBytes + static_cast<std::size_t>(count), available);
}

SmafEventShape mobileShape(const unsigned char* bytes, std::size_t available) {
    const unsigned first = bytes[0];
    if (first < 0x80) return {};
    switch (first & 0xF0) {
    case 0x80: return fitting(2, available, true);
    case 0x90: return fitting(3, available, true);
    case 0xA0:
    case 0xB0:
    case 0xE0: return fitting(3, available);
    case 0xC0:
    case 0xD0: return fitting(2, available);
    default: break;
    }
    if (available < 2) return {};
    if (first == 0xF0) return countedShape(bytes, available);
    if (first == 0xFF) {
        if (bytes[1] == 0x2F && available >= 3 && bytes[2] == 0x00) return {3, false};
        return countedShape(bytes, available);
    }
    return {};
}

} // namespace

SmafEventShape smafEventShape(SmafEncoding encoding, const unsigned char* bytes,
                              std::size_t available) {
    if (available == 0) return {};
    return encoding == SmafEncoding::handyPhone ? handyPhoneShape(bytes, available)
                                                : mobileShape(bytes, available);
}

SmafSequenceEvent decodeSmafSequenceEvent(SmafEncoding encoding, const unsigned char* bytes,
                                          std::size_t available) {
    SmafSequenceEvent entry;
    if (available < 3) return entry;

    if (encoding == SmafEncoding::handyPhone) {
        if (available >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0) {
            entry.eventLength = entry.length = 4;
            return entry;
        }
        if (bytes[0] == 0xFF && bytes[1] == 0xF0) {
            const std::size_t length = 3 + std::size_t{bytes[2]};
            if (length > available) return entry;
            entry.eventLength = entry.length = length;
            return entry;
        }
    }

    int duration = 0;
    const std::size_t durationBytes = decodeSmafNumber(encoding, bytes, available, duration);
    if (durationBytes == 0) return entry;
    const SmafEventShape shape =
        smafEventShape(encoding, bytes + durationBytes, available - durationBytes);
    if (shape.length == 0) return entry;
    std::size_t end = durationBytes + shape.length;
    int gate = -1;
    if (shape.hasGate) {
        const std::size_t gateBytes = decodeSmafNumber(encoding, bytes + end, available - end, gate);
        if (gateBytes == 0) return entry;
        end += gateBytes;
    }
    entry.length = end;
    entry.duration = duration;
    entry.eventOffset = durationBytes;
    entry.eventLength = shape.length;
    entry.gateTime = gate;
    return entry;
}

int smafEventChannel(SmafEncoding encoding, const unsigned char* event, std::size_t length) {
    if (length == 0) return -1;
    const unsigned first = event[0];
    if (encoding == SmafEncoding::mobile) return first >= 0x80 && first < 0xF0 ? int(first & 0x0F) : -1;
    if (first == 0xFF) return -1;
    if (first == 0x00) return length == 2 || length == 3 ? int(event[1] >> 6) : -1; // 4: end
    return int(first >> 6);
}

} // namespace suite
