// "MTR" + track number, a score track: header, channel status, seek information ("MspI"),
// setup messages ("Mtsu"), the sequence ("Mtsq") and optionally a stream wave ("Mtsp").
//
// Written back in a fixed order: header, the kept sub-chunks ("MspI" and unknown ones),
// "Mtsu", "Mtsq", then the stream: an attached one as "Mtsp" with a 16000-Hz "Mwa", or else
// the "Mtsp" sub-chunks the track was read with, as they were. The wave of a parsed "Mtsp"
// is also offered as an "Awa" chunk in parsedStream.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"
#include "chimewright/mmfconv/exclusive.hpp"
#include "chimewright/mmfconv/sequence_entry.hpp"

#include <array>
#include <memory>
#include <vector>

namespace cw::smaf {

class ScoreTrack : public Chunk {
  public:
    // `chunkBytes` is the whole chunk; its body must hold the header and channel status
    // (see headerFits).
    explicit ScoreTrack(ByteView chunkBytes);
    ~ScoreTrack() override;

    static bool headerFits(ByteView chunkBytes);

    void write(suite::ByteImage& out) override;
    int size() const override;

    bool isMobile() const { return formatType != 0; }

    // Removes the channel-9 events other than notes and puts the stream's bank, program,
    // volume and pan settings in their place.
    void insertStreamSetup();
    // Clears the old voice and stream set-up, silences what played the stream's voice,
    // triggers the stream at each start time and takes a copy of waveChunk as the stream.
    // Returns false (and changes nothing) for a handy-phone track.
    bool attachStream(const std::vector<int>& startTimesMs, double durationMs,
                      const Chunk& waveChunk);

    int trackNumber = 0;
    unsigned char formatType = 0;
    unsigned char sequenceType = 0;
    unsigned char durationTimebase = 0;
    unsigned char gateTimebase = 0;
    // One byte per channel; format type 0 keeps its four nibbles in the first four.
    std::array<unsigned char, 16> channelStatus{};
    std::vector<std::unique_ptr<Chunk>> otherSubchunks;
    std::vector<std::unique_ptr<Exclusive>> setup;
    std::vector<std::unique_ptr<SequenceEntry>> events;
    std::unique_ptr<Chunk> stream; // an "Awa" chunk, written as "Mtsp"
    std::unique_ptr<Chunk> parsedStream;
    std::vector<std::unique_ptr<Chunk>> parsedStreamChunks; // "Mtsp" as read
    bool usesSeekInfo = false;
    int startTime = 0; // ticks
    int stopTime = 0;

  private:
    int headerSize() const { return isMobile() ? 28 : 14; }
    void parseSeekInfo(ByteView chunk, bool beforeSequence);
    void parseSetup(ByteView body);
    void parseSequence(ByteView body);
    void parseStream(ByteView body);
    void refreshSeekInfo();

    std::uint32_t seekStart_ = 0; // of the last "MspI" before the sequence
    std::uint32_t seekStop_ = 0;
};

} // namespace cw::smaf
