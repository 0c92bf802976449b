// "CNTI", the contents-info chunk: five header bytes and an option text of tags such as
// "ST:title,". A parsed chunk writes back what it was read from until setContentsInfo
// replaces its contents.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <string>
#include <vector>

namespace cw::smaf {

class ContentsInfoChunk : public Chunk {
  public:
    ContentsInfoChunk() = default;
    // `chunkBytes` is the whole chunk, at least 13 bytes.
    explicit ContentsInfoChunk(ByteView chunkBytes);
    ~ContentsInfoChunk() override;

    void write(suite::ByteImage& out) override;
    int size() const override;

    // useOpda: the texts go to an optional-data chunk; the type becomes 0x32. Otherwise the
    // type becomes 0x01 and the texts become "ST:" and "CR:" tags here. Either way the copy
    // status says whether a copyright text is given, and class, code type and copy count
    // become 0. Null pointers are absent texts.
    void setContentsInfo(const char* title, const char* copyright, bool useOpda);

    unsigned char contentsClass = 0;
    unsigned char contentsType = 0;
    unsigned char codeType = 0;
    unsigned char copyStatus = 0;
    unsigned char copyCount = 0;
    // The parsed option text split at unescaped commas, each piece with its comma.
    std::vector<std::string> tags;
    std::string titleTag;     // complete "ST:...," tag, at most 255 bytes
    std::string copyrightTag; // complete "CR:...," tag, at most 255 bytes
    bool useOpda = false;

  private:
    std::string parsedOptionText_;
    bool keepsParsedText_ = false;
    std::string optionText() const;
};

// A tag "NAME:" + the escaped value + ",", at most 255 bytes: the value is cut before an
// escape pair would be split.
std::string makeOptionTag(const char* name, const char* value);

} // namespace cw::smaf
