#include "chimewright/mmfconv/score_track.hpp"

#include "shared/byte_order.hpp"
#include "shared/smaf_chunks.hpp"

#include <algorithm>
#include <cstring>

namespace cw::smaf {

namespace {

constexpr int streamRate = 16000;
constexpr unsigned char streamWaveType = 0x20; // mono 4-bit ADPCM

int statusBytes(unsigned char formatType) {
    return formatType != 0 ? 16 : 2;
}

// Offsets of "st:" / "sp:" values in a seek-information chunk, each followed by a 32-bit value.
template <class Visit>
void forEachSeekTag(ByteView chunk, std::size_t skipAfterStart, Visit visit) {
    for (std::size_t i = 8; i + 7 <= chunk.size();) {
        if (std::memcmp(chunk.data() + i, "st:", 3) == 0) {
            visit(true, i + 3);
            i += skipAfterStart;
        } else if (std::memcmp(chunk.data() + i, "sp:", 3) == 0) {
            visit(false, i + 3);
            i += skipAfterStart;
        } else {
            ++i;
        }
    }
}

} // namespace

bool ScoreTrack::headerFits(ByteView chunkBytes) {
    return chunkBytes.size() >= 12 &&
           chunkBytes.size() >= static_cast<std::size_t>(12 + statusBytes(chunkBytes[8]));
}

ScoreTrack::ScoreTrack(ByteView chunkBytes) : Chunk(chunkBytes) {
    trackNumber = chunkBytes[3];
    formatType = chunkBytes[8];
    sequenceType = chunkBytes[9];
    durationTimebase = chunkBytes[10];
    gateTimebase = chunkBytes[11];
    if (isMobile()) {
        const ByteView status = chunkBytes.subspan(12, channelStatus.size());
        std::copy(status.begin(), status.end(), channelStatus.begin());
    } else {
        channelStatus[0] = chunkBytes[12] >> 4;
        channelStatus[1] = chunkBytes[12] & 0x0F;
        channelStatus[2] = chunkBytes[13] >> 4;
        channelStatus[3] = chunkBytes[13] & 0x0F;
    }

    bool sequenceSeen = false;
    const auto from = static_cast<std::size_t>(headerSize());
    for (const suite::SmafChunk& chunk : suite::smafChunks(chunkBytes, from)) {
        const ByteView sub = chunk.whole;
        if (chunk.idIs("MspI")) {
            parseSeekInfo(sub, !sequenceSeen);
            otherSubchunks.push_back(std::make_unique<Chunk>(sub));
        } else if (chunk.idIs("Mtsu")) {
            parseSetup(sub.subspan(8));
        } else if (chunk.idIs("Mtsq")) {
            parseSequence(sub.subspan(8));
            sequenceSeen = true;
        } else if (chunk.idIs("Mtsp")) {
            parseStream(sub.subspan(8));
            parsedStreamChunks.push_back(std::make_unique<Chunk>(sub));
        } else {
            otherSubchunks.push_back(std::make_unique<Chunk>(sub));
        }
    }
}

ScoreTrack::~ScoreTrack() = default;

void ScoreTrack::parseSeekInfo(ByteView chunk, bool beforeSequence) {
    if (!beforeSequence) return;
    bool start = false, stop = false;
    forEachSeekTag(chunk, 7, [&](bool isStart, std::size_t valueAt) {
        (isStart ? seekStart_ : seekStop_) = suite::readBe32(chunk.data() + valueAt);
        (isStart ? start : stop) = true;
    });
    if (!start) seekStart_ = 0;
    if (!stop) seekStop_ = 0;
    usesSeekInfo = start && stop;
}

void ScoreTrack::parseSetup(ByteView body) {
    std::size_t offset = 0;
    while (offset < body.size()) {
        auto message = std::make_unique<Exclusive>(isMobile());
        const std::size_t consumed = message->parse(body.subspan(offset));
        if (consumed == 0) break;
        setup.push_back(std::move(message));
        offset += consumed;
    }
}

void ScoreTrack::parseSequence(ByteView body) {
    // Offsets count from the sub-chunk header, as the seek values do plus 8.
    const std::uint64_t startEnd = std::uint64_t{seekStart_} + 8;
    const std::uint64_t stopEnd = std::uint64_t{seekStop_} + 8;
    std::uint64_t offset = 8;
    long long ticks = 0;
    SequenceEntry* started = nullptr;
    SequenceEntry* stopped = nullptr;
    const std::size_t first = events.size();

    std::size_t pos = 0;
    while (pos < body.size()) {
        auto note = std::make_unique<SequenceEntry>(isMobile());
        const int consumed = note->parse(body.subspan(pos));
        if (consumed == 0) break;
        const std::uint64_t end = offset + static_cast<std::uint64_t>(consumed);
        if (!started && end > startEnd) {
            started = note.get();
            startTime = static_cast<int>(std::min<long long>(ticks, 0x7FFFFFFF));
        }
        if (!stopped && end > stopEnd) {
            stopped = note.get();
            stopTime = static_cast<int>(std::min<long long>(ticks, 0x7FFFFFFF));
        }
        if (note->duration() > 0) ticks += note->duration();
        offset = end;
        pos += static_cast<std::size_t>(consumed);
        events.push_back(std::move(note));
    }
    if (events.size() == first) return;
    if (!started) {
        started = events[first].get();
        startTime = 0;
    }
    if (!stopped) {
        stopped = events.back().get();
        stopTime = static_cast<int>(std::min<long long>(ticks, 0x7FFFFFFF));
    }
    started->setStartMark(true);
    stopped->setStopMark(true);
}

void ScoreTrack::parseStream(ByteView body) {
    const auto mwa = suite::smafChunkAt(body, 0);
    if (!mwa || mwa->whole.size() < 11 || !mwa->idIs("Mwa")) return;
    const std::size_t waveLength = mwa->whole.size();
    // Kept as an "Awa" chunk: wave type and rate move out of the data.
    const std::size_t dataLength = waveLength - 11;
    auto wave = std::make_unique<Chunk>();
    wave->bytes.resize(8 + dataLength);
    std::memcpy(wave->bytes.data(), "Awa\x01", 4);
    suite::writeBe32(wave->bytes.data() + 4, static_cast<std::uint32_t>(dataLength));
    const ByteView waveData = body.subspan(11, dataLength);
    std::copy(waveData.begin(), waveData.end(), wave->bytes.begin() + 8);
    wave->isWave = true;
    wave->sampleRate = suite::readBe16(body.data() + 9);
    if (wave->sampleRate > 0) wave->durationMs = double(dataLength) * 2 * 1000 / wave->sampleRate;
    parsedStream = std::move(wave);
}

int ScoreTrack::size() const {
    int total = headerSize() + 16;
    for (const auto& sub : otherSubchunks)
        total += sub->size();
    for (const auto& message : setup)
        total += static_cast<int>(message->size());
    for (const auto& note : events)
        total += note->encodedSize();
    if (stream) {
        total += stream->size() + 11;
    } else {
        for (const auto& sub : parsedStreamChunks)
            total += sub->size();
    }
    return total;
}

void ScoreTrack::refreshSeekInfo() {
    std::uint32_t offset = 0, startAt = 0, stopAt = 0;
    bool startFound = false;
    for (const auto& note : events) {
        if (note->startMark() && !startFound) {
            startAt = offset;
            startFound = true;
        }
        if (note->stopMark()) stopAt = offset;
        offset += static_cast<std::uint32_t>(note->encodedSize());
    }
    for (auto& sub : otherSubchunks) {
        if (sub->bytes.size() <= 23 || std::memcmp(sub->bytes.data(), "MspI", 4) != 0) continue;
        unsigned char* chunk = sub->bytes.data();
        forEachSeekTag(sub->bytes, 8, [&](bool isStart, std::size_t valueAt) {
            suite::writeBe32(chunk + valueAt, isStart ? startAt : stopAt);
        });
    }
}

void ScoreTrack::write(suite::ByteImage& out) {
    refreshSeekInfo();
    const std::size_t sizeAt = out.openChunk("MTR", static_cast<unsigned char>(trackNumber));
    out.put({formatType, sequenceType, durationTimebase, gateTimebase});
    if (isMobile()) {
        out.put(channelStatus);
    } else {
        // Two channels a byte, four bits each.
        const auto pair = [&](std::size_t first) {
            return static_cast<unsigned char>((channelStatus[first] & 0x0F) << 4 |
                                              (channelStatus[first + 1] & 0x0F));
        };
        out.put({pair(0), pair(2)});
    }
    for (const auto& sub : otherSubchunks)
        sub->write(out);

    const std::size_t setupAt = out.openChunk("Mtsu");
    for (const auto& message : setup)
        message->write(out);
    out.closeChunk(setupAt);

    const std::size_t sequenceAt = out.openChunk("Mtsq");
    for (const auto& note : events) {
        const auto length = static_cast<std::size_t>(note->encodedSize());
        note->write(out.span(out.reserve(length), length));
    }
    out.closeChunk(sequenceAt);

    if (stream) {
        // The "Awa" chunk's data, after its 8-byte header, as an "Mwa" with type and rate.
        const std::size_t streamAt = out.openChunk("Mtsp");
        const std::size_t waveAt = out.openChunk("Mwa", 0x01);
        out.put(streamWaveType);
        out.putBe16(streamRate);
        out.put(std::span<const unsigned char>(stream->bytes).subspan(8));
        out.closeChunk(waveAt);
        out.closeChunk(streamAt);
    } else {
        for (const auto& sub : parsedStreamChunks)
            sub->write(out);
    }
    out.closeChunk(sizeAt);
}

} // namespace cw::smaf
