#include "voxreel/render/paged_wav_file.hpp"

#include "platform/text.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace voxreel {

namespace {

constexpr std::size_t zeroPiece = 16384;

// Holds the file's lock for one operation, when there is one.
class Hold {
public:
    explicit Hold(platform::NamedLock* lock) : lock_(lock) {
        if (lock_) lock_->lock();
    }
    ~Hold() {
        if (lock_) lock_->unlock();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    platform::NamedLock* lock_;
};

bool writeBytes(std::ostream& out, const unsigned char* bytes, std::int64_t count) {
    out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    return static_cast<bool>(out);
}

} // namespace

std::string PagedWavFile::lockName(const platform::Path& name) {
    std::string text = platform::pathToUtf8(name);
    if (text.size() > 244) text.resize(244);
    return text + "_FILEIO_MUTEX";
}

PagedWavFile::PagedWavFile(const platform::Path& name, std::int64_t sizeLimit)
    : name_(name), lock_(std::make_unique<platform::NamedLock>(lockName(name))),
      sizeLimit_(sizeLimit) {
    Hold hold(lock_.get());
    std::ofstream create(name_, std::ios::binary | std::ios::trunc);
}

PagedWavFile::~PagedWavFile() = default;

std::int64_t PagedWavFile::fileSize() {
    Hold hold(lock_.get());
    std::ifstream in(name_, std::ios::binary | std::ios::ate);
    if (!in) return -1;
    const std::streamoff end = in.tellg();
    return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

namespace {

bool appendZeros(std::ofstream& out, std::int64_t count) {
    static const std::vector<unsigned char> zeros(zeroPiece, 0);
    while (count > 0) {
        const std::int64_t piece = std::min<std::int64_t>(count, zeroPiece);
        if (!writeBytes(out, zeros.data(), piece)) return false;
        count -= piece;
    }
    return true;
}

} // namespace

bool PagedWavFile::flush() {
    Hold hold(lock_.get());
    if (window_.empty() || windowPosition_ < 0 || windowLength_ <= 0) return true;
    knownSize_ = std::max<std::int64_t>(0, fileSize());
    if (windowPosition_ >= knownSize_) {
        std::ofstream out(name_, std::ios::binary | std::ios::app);
        if (!out) return false;
        return appendZeros(out, windowPosition_ - knownSize_) &&
               writeBytes(out, window_.data(), windowLength_);
    }
    const std::int64_t inside = std::min(windowLength_, knownSize_ - windowPosition_);
    {
        std::fstream update(name_, std::ios::binary | std::ios::in | std::ios::out);
        if (!update) return false;
        update.seekp(static_cast<std::streamoff>(windowPosition_));
        if (!update || !writeBytes(update, window_.data(), inside)) return false;
    }
    if (inside == windowLength_) return true;
    std::ofstream out(name_, std::ios::binary | std::ios::app);
    return out && writeBytes(out, window_.data() + inside, windowLength_ - inside);
}

unsigned char* PagedWavFile::lockRegion(std::int64_t position, std::int64_t length) {
    Hold hold(lock_.get());
    if (!flush()) return nullptr;
    if (position < 0 || length <= 0 || length > sizeLimit_ - position) return nullptr;
    knownSize_ = std::max<std::int64_t>(0, fileSize());
    window_.assign(static_cast<std::size_t>(length), 0);
    if (position < knownSize_) {
        const std::int64_t count = std::min(length, knownSize_ - position);
        std::ifstream in(name_, std::ios::binary);
        if (in) in.seekg(static_cast<std::streamoff>(position));
        if (in) in.read(reinterpret_cast<char*>(window_.data()), static_cast<std::streamsize>(count));
        if (!in) {
            window_.clear();
            windowPosition_ = -1;
            windowLength_ = 0;
            return nullptr;
        }
    }
    windowPosition_ = position;
    windowLength_ = length;
    return window_.data();
}

bool PagedWavFile::writeRegion(std::int64_t position, const unsigned char* bytes,
                               std::int64_t length) {
    Hold hold(lock_.get());
    if (!bytes || position < 0 || length <= 0 || length >= sizeLimit_ - position)
        return false;
    window_.assign(bytes, bytes + length);
    windowPosition_ = position;
    windowLength_ = length;
    return flush();
}

void PagedWavFile::destroy() {
    {
        Hold hold(lock_.get());
        std::error_code ignored;
        std::filesystem::remove(name_, ignored);
    }
    lock_.reset();
    window_.clear();
    windowPosition_ = -1;
    windowLength_ = 0;
    name_.clear();
}

} // namespace voxreel
