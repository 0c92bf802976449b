#include "chimewright/mmfconv/sequence_entry.hpp"

#include "shared/smaf_events.hpp"

#include <algorithm>

namespace cw::smaf {

namespace {

suite::SmafEncoding encodingOf(bool mobile) {
    return mobile ? suite::SmafEncoding::mobile : suite::SmafEncoding::handyPhone;
}

int numberSize(suite::SmafEncoding encoding, int value) {
    unsigned char scratch[suite::smafNumberMaxBytes];
    return static_cast<int>(suite::encodeSmafNumber(encoding, value, scratch));
}

} // namespace

SequenceEntry::SequenceEntry(bool mobile) : mobile_(mobile) {}

SequenceEntry::~SequenceEntry() = default;

int SequenceEntry::parse(ByteView bytes) {
    const suite::SmafSequenceEvent entry =
        suite::decodeSmafSequenceEvent(encodingOf(mobile_), bytes.data(), bytes.size());
    if (entry.length == 0) return 0;
    duration_ = entry.duration;
    gateTime_ = entry.gateTime;
    const ByteView event = bytes.subspan(entry.eventOffset, entry.eventLength);
    event_.assign(event.begin(), event.end());
    channel_ = suite::smafEventChannel(encodingOf(mobile_), event_.data(), event_.size());
    return static_cast<int>(entry.length);
}

int SequenceEntry::encodedSize() const {
    const auto encoding = encodingOf(mobile_);
    int total = static_cast<int>(event_.size());
    if (duration_ >= 0) total += numberSize(encoding, duration_);
    if (gateTime_ >= 0) total += numberSize(encoding, gateTime_);
    return total;
}

std::size_t SequenceEntry::write(std::span<unsigned char> out) const {
    const auto encoding = encodingOf(mobile_);
    std::size_t pos = 0;
    bool full = false; // once a part does not fit, the later ones are left out too
    auto put = [&](std::span<const unsigned char> part) {
        if (full || part.size() > out.size() - pos) {
            full = true;
            return;
        }
        std::copy(part.begin(), part.end(), out.begin() + static_cast<std::ptrdiff_t>(pos));
        pos += part.size();
    };
    auto putNumber = [&](int value) {
        unsigned char number[suite::smafNumberMaxBytes];
        put(std::span<const unsigned char>(number,
                                           suite::encodeSmafNumber(encoding, value, number)));
    };
    if (duration_ >= 0) putNumber(duration_);
    put(event_);
    if (gateTime_ >= 0) putNumber(gateTime_);
    return pos;
}

int SequenceEntry::duration() const {
    return duration_;
}
int SequenceEntry::gateTime() const {
    return gateTime_;
}
void SequenceEntry::setDuration(int value) {
    duration_ = value;
}
void SequenceEntry::setGateTime(int value) {
    gateTime_ = value;
}
void SequenceEntry::setStartMark(bool flag) {
    startMark_ = flag;
}
void SequenceEntry::setStopMark(bool flag) {
    stopMark_ = flag;
}
ByteView SequenceEntry::eventBytes() const {
    return event_;
}
int SequenceEntry::eventLength() const {
    return static_cast<int>(event_.size());
}
bool SequenceEntry::startMark() const {
    return startMark_;
}
bool SequenceEntry::stopMark() const {
    return stopMark_;
}
int SequenceEntry::channel() const {
    return channel_;
}

void SequenceEntry::makeNop() {
    event_ = {0xFF, 0x00};
    gateTime_ = -1;
    channel_ = -1;
}

void SequenceEntry::setEvent(ByteView bytes) {
    event_.assign(bytes.begin(), bytes.end());
    channel_ = suite::smafEventChannel(encodingOf(mobile_), event_.data(), event_.size());
}

void SequenceEntry::setWholeEvent(int duration, int channel,
                                  std::initializer_list<unsigned char> bytes) {
    duration_ = duration;
    gateTime_ = -1;
    channel_ = channel;
    event_.assign(bytes);
}

void SequenceEntry::setBankSelect(int duration, int channel, int value) {
    const auto c = static_cast<unsigned char>(channel & 0x0F);
    if (mobile_)
        return setWholeEvent(
            duration, channel,
            {static_cast<unsigned char>(0xB0 | c), 0x00, static_cast<unsigned char>(value & 0x7F)});
    setWholeEvent(duration, channel,
                  {0x00, static_cast<unsigned char>(0x31 | (channel & 3) << 6),
                   static_cast<unsigned char>(value != 0 ? 0x80 : 0x00)});
}

void SequenceEntry::setBankSelectLsb(int duration, int channel, int value) {
    setControl(duration, channel, 0x20, value);
}

void SequenceEntry::setProgram(int duration, int channel, int program) {
    if (mobile_)
        return setWholeEvent(duration, channel,
                             {static_cast<unsigned char>(0xC0 | (channel & 0x0F)),
                              static_cast<unsigned char>(program & 0x7F)});
    setWholeEvent(duration, channel,
                  {0x00, static_cast<unsigned char>(0x30 | (channel & 3) << 6),
                   static_cast<unsigned char>(program)});
}

void SequenceEntry::setControl(int duration, int channel, int control, int value) {
    if (mobile_)
        return setWholeEvent(duration, channel,
                             {static_cast<unsigned char>(0xB0 | (channel & 0x0F)),
                              static_cast<unsigned char>(control & 0x7F),
                              static_cast<unsigned char>(value & 0x7F)});
    setWholeEvent(duration, channel, {0xFF, 0x00});
}

bool SequenceEntry::eventIs(std::initializer_list<unsigned char> pattern) const {
    return event_.size() == pattern.size() &&
           std::equal(pattern.begin(), pattern.end(), event_.begin());
}

bool SequenceEntry::eventStartsWith(std::initializer_list<unsigned char> prefix) const {
    return event_.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), event_.begin());
}

} // namespace cw::smaf
