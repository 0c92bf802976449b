#include "chimewright/mmfconv/mtsq_note.hpp"

#include "shared/smaf_events.hpp"

#include <algorithm>

namespace MMFCONV {

namespace {

suite::SmafEncoding encodingOf(bool mobile) {
    return mobile ? suite::SmafEncoding::mobile : suite::SmafEncoding::handyPhone;
}

int numberSize(suite::SmafEncoding encoding, int value) {
    unsigned char scratch[suite::smafNumberMaxBytes];
    return static_cast<int>(suite::encodeSmafNumber(encoding, value, scratch));
}

} // namespace

mtsqNote::mtsqNote(bool mobile) : mobile_(mobile) {}

mtsqNote::~mtsqNote() = default;

int mtsqNote::parse(const unsigned char* bytes, std::size_t length) {
    const suite::SmafSequenceEvent entry =
        suite::decodeSmafSequenceEvent(encodingOf(mobile_), bytes, length);
    if (entry.length == 0) return 0;
    duration_ = entry.duration;
    gateTime_ = entry.gateTime;
    event_.assign(bytes + entry.eventOffset, bytes + entry.eventOffset + entry.eventLength);
    channel_ = suite::smafEventChannel(encodingOf(mobile_), event_.data(), event_.size());
    return static_cast<int>(entry.length);
}

int mtsqNote::encodedSize() const {
    const auto encoding = encodingOf(mobile_);
    int total = static_cast<int>(event_.size());
    if (duration_ >= 0) total += numberSize(encoding, duration_);
    if (gateTime_ >= 0) total += numberSize(encoding, gateTime_);
    return total;
}

std::size_t mtsqNote::write(std::span<unsigned char> out) const {
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
        put(std::span<const unsigned char>(number, suite::encodeSmafNumber(encoding, value, number)));
    };
    if (duration_ >= 0) putNumber(duration_);
    put(event_);
    if (gateTime_ >= 0) putNumber(gateTime_);
    return pos;
}

int mtsqNote::duration() const { return duration_; }
int mtsqNote::gateTime() const { return gateTime_; }
void mtsqNote::setDuration(int value) { duration_ = value; }
void mtsqNote::setGateTime(int value) { gateTime_ = value; }
void mtsqNote::setStartMark(bool flag) { startMark_ = flag; }
void mtsqNote::setStopMark(bool flag) { stopMark_ = flag; }
const unsigned char* mtsqNote::eventBytes() const { return event_.data(); }
int mtsqNote::eventLength() const { return static_cast<int>(event_.size()); }
bool mtsqNote::startMark() const { return startMark_; }
bool mtsqNote::stopMark() const { return stopMark_; }
int mtsqNote::channel() const { return channel_; }

void mtsqNote::makeNop() {
    event_ = {0xFF, 0x00};
    gateTime_ = -1;
    channel_ = -1;
}

void mtsqNote::setEvent(const unsigned char* bytes, int count) {
    event_.assign(bytes, bytes + std::max(count, 0));
    channel_ = suite::smafEventChannel(encodingOf(mobile_), event_.data(), event_.size());
}

void mtsqNote::setWholeEvent(int duration, int channel,
                              std::initializer_list<unsigned char> bytes) {
    duration_ = duration;
    gateTime_ = -1;
    channel_ = channel;
    event_.assign(bytes);
}

void mtsqNote::setBankSelect(int duration, int channel, int value) {
    const auto c = static_cast<unsigned char>(channel & 0x0F);
    if (mobile_)
        return setWholeEvent(duration, channel, {static_cast<unsigned char>(0xB0 | c), 0x00,
                                                  static_cast<unsigned char>(value & 0x7F)});
    setWholeEvent(duration, channel,
                   {0x00, static_cast<unsigned char>(0x31 | (channel & 3) << 6),
                    static_cast<unsigned char>(value != 0 ? 0x80 : 0x00)});
}

void mtsqNote::setBankSelectLsb(int duration, int channel, int value) {
    setControl(duration, channel, 0x20, value);
}

void mtsqNote::setProgram(int duration, int channel, int program) {
    if (mobile_)
        return setWholeEvent(duration, channel,
                              {static_cast<unsigned char>(0xC0 | (channel & 0x0F)),
                               static_cast<unsigned char>(program & 0x7F)});
    setWholeEvent(duration, channel,
                   {0x00, static_cast<unsigned char>(0x30 | (channel & 3) << 6),
                    static_cast<unsigned char>(program)});
}

void mtsqNote::setControl(int duration, int channel, int control, int value) {
    if (mobile_)
        return setWholeEvent(duration, channel,
                              {static_cast<unsigned char>(0xB0 | (channel & 0x0F)),
                               static_cast<unsigned char>(control & 0x7F),
                               static_cast<unsigned char>(value & 0x7F)});
    setWholeEvent(duration, channel, {0xFF, 0x00});
}

bool mtsqNote::eventIs(std::initializer_list<unsigned char> pattern) const {
    return event_.size() == pattern.size() && std::equal(pattern.begin(), pattern.end(), event_.begin());
}

bool mtsqNote::eventStartsWith(std::initializer_list<unsigned char> prefix) const {
    return event_.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), event_.begin());
}

} // namespace MMFCONV
