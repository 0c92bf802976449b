#include "chimewright/mmfconv/contents_info_chunk.hpp"

#include "shared/smaf_tags.hpp"

#include <cstring>

namespace cw::smaf {

namespace {

constexpr int headerSize = 13; // "CNTI", size, five bytes
constexpr std::size_t maxTagLength = 255;

// Pieces end at a comma at option-text index 2 or later that no backslash precedes.
std::vector<std::string> splitOptionText(const std::string& text) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        piece += text[i];
        if (text[i] == ',' && i >= 2 && text[i - 1] != '\\') {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

} // namespace

std::string makeOptionTag(const char* name, const char* value) {
    std::string tag(name);
    const std::string escaped = suite::escapeSmafTagValue(value, suite::SmafTagBytes::single);
    for (std::size_t i = 0; i < escaped.size();) {
        const std::size_t unit = escaped[i] == '\\' ? 2 : 1; // never split an escape pair
        if (tag.size() + unit > maxTagLength - 1) break;     // room for the closing comma
        tag.append(escaped, i, unit);
        i += unit;
    }
    tag += ',';
    return tag;
}

ContentsInfoChunk::ContentsInfoChunk(ByteView chunkBytes) : Chunk(chunkBytes) {
    contentsClass = chunkBytes[8];
    contentsType = chunkBytes[9];
    codeType = chunkBytes[10];
    copyStatus = chunkBytes[11];
    copyCount = chunkBytes[12];
    const ByteView optionBytes = chunkBytes.subspan(static_cast<std::size_t>(headerSize));
    parsedOptionText_.assign(optionBytes.begin(), optionBytes.end());
    keepsParsedText_ = true;
    tags = splitOptionText(parsedOptionText_);
}

ContentsInfoChunk::~ContentsInfoChunk() = default;

std::string ContentsInfoChunk::optionText() const {
    if (useOpda) return {};
    return keepsParsedText_ ? parsedOptionText_ : titleTag + copyrightTag;
}

int ContentsInfoChunk::size() const {
    return headerSize + static_cast<int>(optionText().size());
}

void ContentsInfoChunk::write(suite::ByteImage& out) {
    const std::size_t sizeAt = out.openChunk("CNTI");
    out.put({contentsClass, contentsType, codeType, copyStatus, copyCount});
    out.put(optionText());
    out.closeChunk(sizeAt);
}

void ContentsInfoChunk::setContentsInfo(const char* title, const char* copyright, bool opda) {
    contentsClass = 0;
    codeType = 0;
    copyCount = 0;
    copyStatus = copyright ? 1 : 0;
    keepsParsedText_ = false;
    useOpda = opda;
    if (opda) {
        contentsType = 0x32;
        return;
    }
    contentsType = 0x01;
    titleTag = title ? makeOptionTag("ST:", title) : std::string();
    copyrightTag = copyright ? makeOptionTag("CR:", copyright) : std::string();
}

} // namespace cw::smaf
