#include "chimewright/mmfconv/optional_data_chunk.hpp"

#include "shared/byte_order.hpp"
#include "shared/smaf_chunks.hpp"

#include <algorithm>
#include <cstring>

namespace cw::smaf {

namespace {

constexpr int writtenCodeTypeLimit = 0x80; // groups from here on are not written
constexpr int maxFieldsPerGroup = 100;

bool written(const DataGroup& group) {
    return group.codeType < writtenCodeTypeLimit;
}

std::unique_ptr<DataGroup> parseGroup(ByteView bytes) {
    auto group = std::make_unique<DataGroup>();
    group->codeType = bytes[3];
    std::size_t offset = 8;
    for (int count = 0; count < maxFieldsPerGroup && offset + 4 <= bytes.size(); ++count) {
        const std::size_t fieldLength =
            4 + std::size_t{suite::readBe16(bytes.data() + offset + 2)};
        if (offset + fieldLength > bytes.size()) break;
        group->fields.push_back(std::make_unique<DataField>(bytes.subspan(offset, fieldLength)));
        offset += fieldLength;
    }
    group->refreshFlags();
    return group;
}

} // namespace

DataField::DataField(ByteView fieldBytes) : bytes(fieldBytes.begin(), fieldBytes.end()) {}

DataField::DataField(const char* tag, std::string_view value) {
    const std::size_t length = std::min<std::size_t>(value.size(), 0xFFFF);
    bytes.resize(4 + length);
    std::memcpy(bytes.data(), tag, 2);
    suite::writeBe16(bytes.data() + 2, static_cast<std::uint16_t>(length));
    if (length != 0) std::memcpy(bytes.data() + 4, value.data(), length);
}

DataField::~DataField() = default;

const unsigned char* DataField::data() const {
    return bytes.data();
}

int DataField::size() const {
    return static_cast<int>(bytes.size());
}

void DataField::write(suite::ByteImage& out) {
    out.put(bytes);
}

bool DataField::hasTag(const char* tag) const {
    return bytes.size() >= 2 && std::memcmp(bytes.data(), tag, 2) == 0;
}

int DataGroup::size() const {
    int total = 8;
    for (const auto& field : fields)
        total += field->size();
    return total;
}

void DataGroup::write(suite::ByteImage& out) const {
    const std::size_t sizeAt = out.openChunk("Dch", static_cast<unsigned char>(codeType));
    for (const auto& field : fields)
        field->write(out);
    out.closeChunk(sizeAt);
}

void DataGroup::refreshFlags() {
    hasTitle = std::any_of(fields.begin(), fields.end(), [](auto& f) { return f->hasTag("ST"); });
    hasCopyright =
        std::any_of(fields.begin(), fields.end(), [](auto& f) { return f->hasTag("CR"); });
}

void DataGroup::removeFirst(const char* tag) {
    auto found =
        std::find_if(fields.begin(), fields.end(), [&](auto& f) { return f->hasTag(tag); });
    if (found != fields.end()) fields.erase(found);
}

OptionalDataChunk::OptionalDataChunk() {
    bytes = {'O', 'P', 'D', 'A', 0, 0, 0, 0};
}

OptionalDataChunk::OptionalDataChunk(ByteView chunkBytes) : Chunk(chunkBytes) {
    std::size_t offset = 8;
    for (const suite::SmafChunk& group : suite::smafChunks(chunkBytes, offset)) {
        if (!group.idIs("Dch")) break;
        groups.push_back(parseGroup(group.whole));
        offset = group.end();
    }
    const ByteView trailing = chunkBytes.subspan(std::min(offset, chunkBytes.size()));
    trailingBytes.assign(trailing.begin(), trailing.end());
}

OptionalDataChunk::~OptionalDataChunk() = default;

int OptionalDataChunk::size() const {
    int total = 8 + static_cast<int>(trailingBytes.size());
    for (const auto& group : groups)
        if (written(*group)) total += group->size();
    return total;
}

void OptionalDataChunk::write(suite::ByteImage& out) {
    const std::size_t sizeAt = out.openChunk("OPDA");
    for (const auto& group : groups)
        if (written(*group)) group->write(out);
    out.put(trailingBytes);
    out.closeChunk(sizeAt);
}

void OptionalDataChunk::setTexts(const char* title, const char* copyright) {
    if (!title && !copyright) return;
    auto addTexts = [&](DataGroup& group) {
        if (title)
            group.fields.insert(group.fields.begin(), std::make_unique<DataField>("ST", title));
        if (copyright) group.fields.push_back(std::make_unique<DataField>("CR", copyright));
        group.refreshFlags();
    };
    bool placed = false;
    for (auto& group : groups) {
        group->removeFirst("ST");
        group->removeFirst("CR");
        if (!placed && written(*group)) {
            addTexts(*group);
            placed = true;
        }
        group->refreshFlags();
    }
    if (!placed) {
        auto group = std::make_unique<DataGroup>();
        addTexts(*group);
        groups.insert(groups.begin(), std::move(group));
    }
}

} // namespace cw::smaf
