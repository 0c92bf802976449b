#include "chimewright/mmfconv/smaf_file.hpp"

#include "chimewright/mmfconv/audio_track.hpp"
#include "chimewright/mmfconv/contents_info_chunk.hpp"
#include "chimewright/mmfconv/optional_data_chunk.hpp"
#include "chimewright/mmfconv/score_track.hpp"
#include "shared/byte_order.hpp"
#include "shared/smaf_chunks.hpp"
#include "shared/smaf_crc.hpp"

#include <algorithm>
#include <climits>

namespace cw::smaf {

namespace {

constexpr std::size_t cntiMinimum = 13;
constexpr std::size_t atrMinimum = 14;

std::unique_ptr<Chunk> parseChunk(const suite::SmafChunk& chunk) {
    const ByteView bytes = chunk.whole;
    if (chunk.idIs("CNTI") && bytes.size() >= cntiMinimum)
        return std::make_unique<ContentsInfoChunk>(bytes);
    if (chunk.idIs("OPDA")) return std::make_unique<OptionalDataChunk>(bytes);
    if (chunk.idIs("MTR") && ScoreTrack::headerFits(bytes))
        return std::make_unique<ScoreTrack>(bytes);
    if (chunk.idIs("ATR") && bytes.size() >= atrMinimum)
        return std::make_unique<AudioTrack>(bytes);
    // Unknown, or too short for its kind: kept as it is, never written.
    return std::make_unique<Chunk>(bytes);
}

bool isCnti(const Chunk& c) {
    return dynamic_cast<const ContentsInfoChunk*>(&c) != nullptr;
}
bool isOpda(const Chunk& c) {
    return dynamic_cast<const OptionalDataChunk*>(&c) != nullptr;
}
bool isTrack(const Chunk& c) {
    return dynamic_cast<const ScoreTrack*>(&c) != nullptr ||
           dynamic_cast<const AudioTrack*>(&c) != nullptr;
}

bool hasEvent(const ScoreTrack& track, bool anyValue) {
    for (const auto& note : track.events)
        if (note->eventLength() == 3 && note->eventStartsWith({0xB9, 0x00}) &&
            (anyValue || note->eventBytes()[2] == 0x7D))
            return true;
    return false;
}

} // namespace

File::File(ByteView image) {
    // Sizes are 32-bit signed numbers; a larger image is not taken apart.
    if (image.empty() || image.size() > INT_MAX / 2) return;
    bytes.assign(image.begin(), image.end());
    if (image.size() >= 2) {
        storedCrc = suite::readBe16(image.data() + image.size() - 2);
        computedCrc = suite::smafCrc16(image.data(), image.size() - 2);
    }
    for (const suite::SmafChunk& chunk : suite::smafChunks(image, 8))
        chunks.push_back(parseChunk(chunk));
}

File::~File() = default;

std::vector<Chunk*> File::writtenChunks() const {
    Chunk* cnti = nullptr;
    Chunk* opda = nullptr;
    for (const auto& chunk : chunks) {
        if (!cnti && isCnti(*chunk)) cnti = chunk.get();
        if (!opda && isOpda(*chunk)) opda = chunk.get();
    }
    std::vector<Chunk*> written;
    if (cnti) written.push_back(cnti);
    if (opda) written.push_back(opda);
    for (const auto& chunk : chunks)
        if (isTrack(*chunk)) written.push_back(chunk.get());
    return written;
}

int File::size() const {
    int total = 10; // "MMMD", size, check code
    for (const Chunk* chunk : writtenChunks())
        total += chunk->size();
    return total;
}

void File::write(suite::ByteImage& out) {
    const std::size_t start = out.size();
    const std::size_t sizeAt = out.openChunk("MMMD");
    for (Chunk* chunk : writtenChunks())
        chunk->write(out);
    // The file size counts the check code that follows.
    out.patchBe32(sizeAt, static_cast<std::uint32_t>(out.size() - sizeAt - 4 + 2));
    out.putBe16(suite::smafCrc16(out.bytes().data() + start, out.size() - start));
}

std::size_t File::write(std::span<unsigned char> out) {
    suite::ByteImage image;
    write(image);
    if (image.size() > out.size()) return 0;
    std::copy(image.bytes().begin(), image.bytes().end(), out.begin());
    return image.size();
}

bool File::setContentsInfo(const char* title, const char* copyright, bool useOpda) {
    bool changed = false;
    std::size_t firstCnti = chunks.size();
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        if (auto* cnti = dynamic_cast<ContentsInfoChunk*>(chunks[i].get())) {
            cnti->setContentsInfo(title, copyright, useOpda);
            if (firstCnti == chunks.size()) firstCnti = i;
            changed = true;
        } else if (isOpda(*chunks[i])) {
            chunks.erase(chunks.begin() + static_cast<std::ptrdiff_t>(i));
            changed = true;
            break;
        }
    }
    if (useOpda && firstCnti < chunks.size()) {
        auto opda = std::make_unique<OptionalDataChunk>();
        opda->setTexts(title, copyright);
        chunks.insert(chunks.begin() + static_cast<std::ptrdiff_t>(firstCnti) + 1, std::move(opda));
        changed = true;
    }
    return changed;
}

bool File::attachStream(const std::vector<int>& startTimesMs, double durationMs,
                        const Chunk& waveChunk) {
    ScoreTrack* target = nullptr;
    for (const auto& chunk : chunks) {
        auto* track = dynamic_cast<ScoreTrack*>(chunk.get());
        if (!track) continue;
        if (!target || hasEvent(*track, true)) target = track;
        if (hasEvent(*track, false)) break;
    }
    if (!target || !target->isMobile()) return false;
    if (!startTimesMs.empty()) target->insertStreamSetup();
    return target->attachStream(startTimesMs, durationMs, waveChunk);
}

} // namespace cw::smaf
