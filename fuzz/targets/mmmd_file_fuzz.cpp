// Parses any bytes as a SMAF image, writes the tree back, then makes the stream-SMAF edits
// on it and writes it again. The sanitizers catch reads outside the buffer; the checks below
// catch writes that disagree with the sizes they announce.
#include "chimewright/mmfconv/smaf_file.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

std::vector<unsigned char> writeExactly(cw::smaf::File& file) {
    const int size = file.size();
    if (size < 10) std::abort();
    std::vector<unsigned char> out(static_cast<std::size_t>(size));
    if (file.write(std::span(out)) != out.size()) std::abort();
    if (file.write(std::span(out).first(out.size() - 1)) != 0) std::abort();
    return out;
}

// What was written parses again and writes again. (Its size may differ from the first
// write's: two sequence sub-chunks in one track are joined, and the join can read
// differently.)
void writtenReadsAgain(cw::smaf::File& file) {
    const std::vector<unsigned char> out = writeExactly(file);
    cw::smaf::File again(out);
    writeExactly(again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cw::smaf::File file({data, size});
    writtenReadsAgain(file);

    static const unsigned char wave[] = {'A', 'w', 'a', 1, 0, 0, 0, 4, 0x12, 0x34, 0x56, 0x78};
    const cw::smaf::Chunk waveChunk(wave);
    file.attachStream({0, 50}, 300, waveChunk);
    file.setContentsInfo("a,b\\c", size % 2 ? "me" : nullptr, size % 3 != 0);
    writtenReadsAgain(file);
    return 0;
}
