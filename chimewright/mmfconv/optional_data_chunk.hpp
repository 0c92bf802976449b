// "OPDA", the optional-data chunk: data chunks "Dch" + code type, each a list of fields
// (2-byte tag, 16-bit length, value). Groups of code type 0x80 or more are kept but never
// written. Body bytes that do not form data chunks (some writers put plain text there) are
// kept and written back after the groups.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <memory>
#include <string_view>
#include <vector>

namespace cw::smaf {

class DataField {
  public:
    // `fieldBytes`: tag, length and value.
    explicit DataField(ByteView fieldBytes);
    // A new field; the value is cut to 65535 bytes.
    DataField(const char* tag, std::string_view value);
    virtual ~DataField();

    virtual const unsigned char* data() const;
    virtual int size() const;
    virtual void write(suite::ByteImage& out);

    bool hasTag(const char* tag) const;

    Bytes bytes;
};

struct DataGroup {
    int codeType = 0;
    std::vector<std::unique_ptr<DataField>> fields;
    bool hasTitle = false;
    bool hasCopyright = false;

    int size() const; // "Dch", code type, size and the fields
    void write(suite::ByteImage& out) const;
    void refreshFlags();
    void removeFirst(const char* tag);
};

class OptionalDataChunk : public Chunk {
  public:
    OptionalDataChunk(); // empty: 8 bytes
    explicit OptionalDataChunk(ByteView chunkBytes);
    ~OptionalDataChunk() override;

    void write(suite::ByteImage& out) override;
    int size() const override;

    // Puts "ST" (first) and "CR" (last) into the first group below code type 0x80 and takes
    // the first "ST" and "CR" out of every other group; without such a group a new group of
    // code type 0 is put first. Null pointers are absent texts; both absent: no change.
    void setTexts(const char* title, const char* copyright);

    std::vector<std::unique_ptr<DataGroup>> groups;
    Bytes trailingBytes;
};

} // namespace cw::smaf
