#include "tests/chimewright/driver/ogg_stream_reader.hpp"

#include <vorbis/codec.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace testing_support {

namespace {

struct MemorySource {
    const std::string* bytes;
    std::size_t position = 0;
};

std::size_t readMemory(void* into, std::size_t size, std::size_t count, void* source) {
    auto* memory = static_cast<MemorySource*>(source);
    const std::size_t left = memory->bytes->size() - memory->position;
    const std::size_t take = size == 0 ? 0 : std::min(left, size * count) / size * size;
    std::memcpy(into, memory->bytes->data() + memory->position, take);
    memory->position += take;
    return size == 0 ? 0 : take / size;
}

int seekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* memory = static_cast<MemorySource*>(source);
    long long base = whence == SEEK_SET   ? 0
                     : whence == SEEK_CUR ? static_cast<long long>(memory->position)
                                          : static_cast<long long>(memory->bytes->size());
    const long long target = base + offset;
    if (target < 0 || target > static_cast<long long>(memory->bytes->size())) return -1;
    memory->position = static_cast<std::size_t>(target);
    return 0;
}

long tellMemory(void* source) {
    return static_cast<long>(static_cast<MemorySource*>(source)->position);
}

} // namespace

DecodedOgg decodeOgg(const std::string& image) {
    DecodedOgg decoded;
    MemorySource source{&image};
    OggVorbis_File file;
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0) return decoded;

    const vorbis_info* info = ov_info(&file, -1);
    decoded.channels = info->channels;
    decoded.rate = info->rate;
    decoded.samples = ov_pcm_total(&file, -1);
    const vorbis_comment* comments = ov_comment(&file, -1);
    for (int i = 0; i < comments->comments; ++i)
        decoded.comments.emplace_back(comments->user_comments[i],
                                      static_cast<std::size_t>(comments->comment_lengths[i]));

    decoded.pcm.resize(static_cast<std::size_t>(decoded.channels));
    bool failed = false;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(&file, &pcm, 4096, &section);
        if (got == 0) break;
        if (got < 0) {
            failed = true;
            break;
        }
        for (int c = 0; c < decoded.channels; ++c)
            decoded.pcm[static_cast<std::size_t>(c)].insert(
                decoded.pcm[static_cast<std::size_t>(c)].end(), pcm[c], pcm[c] + got);
    }
    ov_clear(&file);
    decoded.valid = !failed;
    return decoded;
}

std::vector<OggPageInfo> oggPages(const std::string& image) {
    std::vector<OggPageInfo> pages;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(image.size()));
    std::memcpy(buffer, image.data(), image.size());
    ogg_sync_wrote(&sync, static_cast<long>(image.size()));
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1)
        pages.push_back({static_cast<std::uint32_t>(ogg_page_serialno(&page)),
                         ogg_page_eos(&page) != 0,
                         static_cast<std::size_t>(page.header_len + page.body_len)});
    ogg_sync_clear(&sync);
    return pages;
}

} // namespace testing_support
