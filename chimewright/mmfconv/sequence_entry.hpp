// One entry of a score track's sequence ("Mtsq"): a duration, an event and, for notes, a
// gate time, in the track's encoding (handy-phone for format type 0, mobile otherwise).
// Durations and gate times of -1 are absent: such parts are not written.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <initializer_list>
#include <span>

namespace cw::smaf {

class SequenceEntry {
  public:
    explicit SequenceEntry(bool mobile);

    virtual ~SequenceEntry();
    // Reads one entry from the start of `bytes`; returns the bytes consumed, or 0 when fewer
    // than three bytes remain or they do not hold a complete entry.
    virtual int parse(ByteView bytes);
    virtual int encodedSize() const;
    // Writes duration, event and gate time. Writing stops at the first part for which `out`
    // has no room, so what is written is always a prefix of the entry. Returns the bytes
    // written.
    virtual std::size_t write(std::span<unsigned char> out) const;
    virtual int duration() const;
    virtual int gateTime() const;
    virtual void setDuration(int value);
    virtual void setGateTime(int value);
    virtual void setStartMark(bool flag);
    virtual void setStopMark(bool flag);
    virtual ByteView eventBytes() const;
    virtual int eventLength() const;
    virtual bool startMark() const;
    virtual bool stopMark() const;
    // The event becomes FF 00 (no operation) without gate time or channel.
    virtual void makeNop();
    virtual void setEvent(ByteView bytes);
    virtual int channel() const;
    // Whole events built by the setters; each sets the duration, clears the gate time and
    // records the channel. Handy-phone encoding: bank select 00 (31 | c << 6) (80 or 00),
    // program 00 (30 | c << 6) p; the LSB bank select and other controls have no handy-phone
    // form and become a no-operation event.
    virtual void setBankSelect(int duration, int channel, int value);
    virtual void setBankSelectLsb(int duration, int channel, int value);
    virtual void setProgram(int duration, int channel, int program);
    virtual void setControl(int duration, int channel, int control, int value);

    bool isMobile() const { return mobile_; }
    // True when the event bytes are exactly `pattern` (or start with it, for a prefix).
    bool eventIs(std::initializer_list<unsigned char> pattern) const;
    bool eventStartsWith(std::initializer_list<unsigned char> prefix) const;

  private:
    bool mobile_;
    int duration_ = -1;
    int gateTime_ = -1;
    Bytes event_;
    bool startMark_ = false;
    bool stopMark_ = false;
    int channel_ = -1;

    void setWholeEvent(int duration, int channel, std::initializer_list<unsigned char> bytes);
};

} // namespace cw::smaf
