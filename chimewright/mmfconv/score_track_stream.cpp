// The edits that turn a score track into one that plays a stream wave on channel 9.
#include "chimewright/mmfconv/score_track.hpp"

#include "shared/smaf_numbers.hpp"

#include <algorithm>
#include <array>

namespace cw::smaf {

namespace {

constexpr int streamChannel = 9;

struct ChannelUse {
    bool used = false;
    int bankMsb = 0;
    int bankLsb = 0;
    int program = 0;
    int notes = 0;
};

bool isChannel9Setting(const SequenceEntry& note) {
    if (note.eventLength() <= 1) return false;
    const unsigned first = note.eventBytes()[0];
    return first == 0xA9 || first == 0xB9 || first == 0xC9 || first == 0xD9 || first == 0xE9;
}

unsigned firstByte(const SequenceEntry& note) {
    return note.eventLength() > 0 ? note.eventBytes()[0] : 0u;
}

bool isNoteEvent(const SequenceEntry& note) {
    const unsigned first = firstByte(note);
    return first >= 0x80 && first <= 0x9F;
}

// Where the stream's settings go: before the first control change, else the first program
// change, else the first note, else at the start.
std::size_t setupInsertionPoint(const std::vector<std::unique_ptr<SequenceEntry>>& events) {
    auto find = [&](auto predicate) {
        return static_cast<std::size_t>(
            std::find_if(events.begin(), events.end(), [&](auto& e) { return predicate(*e); }) -
            events.begin());
    };
    std::size_t at = find([](const SequenceEntry& e) {
        return e.eventLength() == 3 && (firstByte(e) & 0xF0) == 0xB0;
    });
    if (at == events.size())
        at = find([](const SequenceEntry& e) {
            return e.eventLength() == 2 && (firstByte(e) & 0xF0) == 0xC0;
        });
    if (at == events.size()) at = find(isNoteEvent);
    return at == events.size() ? 0 : at;
}

std::array<ChannelUse, 16> channelTable(const std::vector<std::unique_ptr<SequenceEntry>>& events) {
    std::array<ChannelUse, 16> table{};
    for (const auto& note : events) {
        if (note->eventLength() < 2) continue;
        const ByteView e = note->eventBytes();
        ChannelUse& use = table[e[0] & 0x0F];
        switch (e[0] & 0xF0) {
        case 0x80:
        case 0x90:
            ++use.notes;
            use.used = true;
            break;
        case 0xB0:
            if (note->eventLength() < 3) break;
            if (e[1] == 0x00) use.bankMsb = e[2], use.used = true;
            if (e[1] == 0x20) use.bankLsb = e[2], use.used = true;
            break;
        case 0xC0:
            use.program = e[1];
            use.used = true;
            break;
        default:
            break;
        }
    }
    return table;
}

} // namespace

void ScoreTrack::insertStreamSetup() {
    std::erase_if(events, [](const auto& note) { return isChannel9Setting(*note); });

    const std::size_t at = setupInsertionPoint(events);
    std::vector<std::unique_ptr<SequenceEntry>> settings;
    for (int i = 0; i < 5; ++i)
        settings.push_back(std::make_unique<SequenceEntry>(isMobile()));
    settings[0]->setBankSelect(0, streamChannel, 125);
    settings[1]->setBankSelectLsb(0, streamChannel, 0);
    settings[2]->setProgram(0, streamChannel, 0);
    settings[3]->setControl(0, streamChannel, 7, 125); // volume
    settings[4]->setControl(0, streamChannel, 10, 64); // pan: centre
    events.insert(events.begin() + static_cast<std::ptrdiff_t>(at),
                  std::make_move_iterator(settings.begin()),
                  std::make_move_iterator(settings.end()));
}

bool ScoreTrack::attachStream(const std::vector<int>& startTimesMs, double durationMs,
                              const Chunk& waveChunk) {
    if (!isMobile() || waveChunk.size() < 8) return false;

    const std::array<ChannelUse, 16> channels = channelTable(events);

    // Take out the old voice and stream set-up, remembering the last voice definition.
    const suite::SmafExclusiveInfo* voice = nullptr;
    std::vector<std::unique_ptr<Exclusive>> removed;
    for (auto it = setup.begin(); it != setup.end();) {
        Exclusive& message = **it;
        const suite::SmafExclusiveInfo& info = message.info();
        if (info.isVoice || info.isStreamWave || info.isSetupEnd) {
            if (info.isVoice) voice = &info;
            removed.push_back(std::move(*it));
            it = setup.erase(it);
        } else {
            ++it;
        }
    }

    // Silence the channel that played the removed voice.
    if (voice) {
        for (int c = 0; c < 16; ++c) {
            const ChannelUse& use = channels[static_cast<std::size_t>(c)];
            if (!use.used || use.bankMsb != voice->bankMsb || use.bankLsb != voice->bankLsb ||
                use.program != voice->program)
                continue;
            for (auto& note : events) {
                const unsigned first = firstByte(*note);
                if (first != 0x90u + unsigned(c) && first != 0x80u + unsigned(c)) continue;
                if (voice->keyBound &&
                    (note->eventLength() < 2 || note->eventBytes()[1] != voice->key))
                    continue;
                note->makeNop();
            }
            break;
        }
    }

    for (auto& note : events)
        if (note->eventStartsWith({0x99, 0x00})) note->makeNop();

    if (!startTimesMs.empty()) {
        const int tD = suite::smafTimebaseMs(durationTimebase & 0x1F);
        const int tG = suite::smafTimebaseMs(gateTimebase & 0x1F);
        const int gate = static_cast<int>(durationMs / tG + 0.5);
        std::size_t next = 0; // the pending start time
        long long time = 0;
        bool referenceSeen = false;
        for (std::size_t i = 0; i < events.size() && next < startTimesMs.size(); ++i) {
            SequenceEntry& note = *events[i];
            const int duration = std::max(note.duration(), 0);
            time += static_cast<long long>(duration) * tD;
            bool inserted = false;
            // Several start times may fall before this event; each trigger takes its share
            // of the event's duration, which is counted once.
            while (referenceSeen && next < startTimesMs.size() && startTimesMs[next] < time) {
                const long long remaining = std::max(events[i]->duration(), 0);
                const long long before = time - remaining * tD;
                const long long n = std::max<long long>((startTimesMs[next] - before) / tD, 0);
                auto trigger = std::make_unique<SequenceEntry>(true);
                const unsigned char play[] = {0x99, 0x00, 0x7F};
                trigger->setEvent(play);
                trigger->setDuration(static_cast<int>(n));
                trigger->setGateTime(gate);
                events[i]->setDuration(n >= remaining ? 0 : static_cast<int>(remaining - n));
                events.insert(events.begin() + static_cast<std::ptrdiff_t>(i), std::move(trigger));
                ++i; // still the same event
                ++next;
                inserted = true;
            }
            if (inserted) continue;
            const SequenceEntry& checked = *events[i];
            if (usesSeekInfo ? checked.startMark() : isNoteEvent(checked)) referenceSeen = true;
        }
    }

    stream = std::make_unique<Chunk>(waveChunk);
    return true;
}

} // namespace cw::smaf
