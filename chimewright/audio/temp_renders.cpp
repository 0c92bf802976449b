#include "chimewright/audio/temp_renders.hpp"

#include "chimewright/audio/signal_chain.hpp"
#include "chimewright/audio/wav_image.hpp"
#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/job/result_codes.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "shared/byte_order.hpp"
#include "shared/parallel.hpp"
#include "shared/temp_wav.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace cw {

namespace {

constexpr std::size_t kMinFramesPerPart = std::size_t{1} << 16;

bool loadImage(const platform::Path& path, std::vector<unsigned char>& image, int& code) {
    platform::File file = platform::openForRead(path, platform::shareRead);
    if (!file.isOpen()) return code = result::sourceNotOpened, false;
    auto size = file.size();
    if (!size) return code = result::sourceSizeUnknown, false;
    try {
        image.assign(static_cast<std::size_t>(*size), 0);
    } catch (const std::bad_alloc&) {
        return code = result::sourceNoMemory, false;
    } catch (const std::length_error&) {
        return code = result::sourceNoMemory, false;
    }
    auto got = file.read(image.data(), image.size());
    if (!got || *got != image.size()) return code = result::sourceNotRead, false;
    return true;
}

// Widths the decoder knows; others have no defined conversion and are refused as unsupported.
bool decodableFormat(const WavFormat& f) {
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 32) return false;
    if (f.channels == 0 || f.rate == 0) return false;
    // A frame must hold the samples the channel choice reads.
    unsigned used = (f.channels >= 2 ? 2u : 1u) * (f.bitsPerSample / 8u);
    return f.blockAlign >= used;
}

double decodeSample(const unsigned char* p, unsigned bits) {
    switch (bits) {
    case 8:
        return static_cast<double>(p[0]) - 128.0;
    case 16:
        return static_cast<double>(static_cast<std::int16_t>(suite::readLe16(p)));
    default:
        return static_cast<double>(static_cast<std::int32_t>(suite::readLe32(p)));
    }
}

double decodeFrame(const unsigned char* frame, const WavFormat& f, int channelMode) {
    const unsigned width = f.bitsPerSample / 8u;
    double first = decodeSample(frame, f.bitsPerSample);
    if (f.channels < 2) return first;
    double second = decodeSample(frame + width, f.bitsPerSample);
    switch (channelMode) {
    case channelLeft:
        return first;
    case channelRight:
        return second;
    default:
        return (first + second) / 2;
    }
}

std::size_t powerOfTwoAtLeast(std::size_t count) {
    std::size_t n = 1;
    while (n < count)
        n <<= 1;
    return n;
}

std::int16_t roundToSample(double v) {
    double r = std::round(v); // half away from zero
    if (r > 32767.0) r = 32767.0;
    if (r < -32768.0) r = -32768.0;
    return static_cast<std::int16_t>(r);
}

// The source once it has passed the reader's checks.
struct Source {
    WavFormat format;
    const unsigned char* samples = nullptr;
    std::size_t frames = 0;
};

int checkSource(const std::vector<unsigned char>& image, Source& source) {
    const std::size_t imageSize = image.size();
    if (imageSize < 4 || std::memcmp(image.data(), "RIFF", 4) != 0) return result::sourceNotRiff;
    if (imageSize < 16 || std::memcmp(image.data() + 8, "WAVEfmt ", 8) != 0)
        return result::sourceNotWaveFmt;
    if (imageSize < 36) return result::sourceNoData;
    source.format = readWavFormat(image.data());
    if (source.format.formatTag != 1 || !decodableFormat(source.format))
        return result::sourceNotPcm;

    const std::uint32_t fmtSize = suite::readLe32(image.data() + 16);
    auto data = findDataChunk(image.data(), std::size_t{20} + fmtSize, imageSize);
    if (!data || data->size > imageSize - data->offset) return result::sourceNoData;
    source.samples = image.data() + data->offset;
    source.frames = data->size / source.format.blockAlign;
    return 0;
}

// How one render meets its source.
struct Layout {
    bool doubled = false; // the file's rate is below the target: every sample twice
    std::size_t workingCount = 0;
    unsigned workingRate = 0;
    std::size_t n = 0;     // transform size
    bool fastPath = false; // mono 16-bit at the target rate: copied, not filtered
    int channelKey = 0;    // the channel choice, 0 for mono files (all choices read the same)
};

Layout layoutFor(const Source& s, const TempRender& r) {
    const WavFormat& f = s.format;
    Layout l;
    l.doubled = f.rate < r.rate;
    l.workingCount = l.doubled ? 2 * s.frames : s.frames;
    l.workingRate = l.doubled ? 2 * f.rate : f.rate;
    l.n = powerOfTwoAtLeast(l.workingCount);
    l.fastPath = f.channels == 1 && f.rate == r.rate && f.byteRate == 2 * r.rate &&
                 f.blockAlign == 2 && f.bitsPerSample == 16;
    l.channelKey = f.channels >= 2 ? r.channelMode : 0;
    return l;
}

bool sameSamples(const Layout& a, const Layout& b) {
    return !a.fastPath && !b.fastPath && a.doubled == b.doubled && a.channelKey == b.channelKey;
}

// The decoded samples at the working rate into work (n complex values, imaginary parts 0,
// zero after the last sample). A doubled sound has the mean of two neighbours between them;
// the last in-between position stays 0.
void decodeInto(suite::Complex* work, const Source& s, const Layout& l, int channelMode) {
    const WavFormat& f = s.format;
    const auto frame = [&](std::size_t i) {
        return decodeFrame(s.samples + i * f.blockAlign, f, channelMode);
    };
    const auto decode = [&](std::size_t, std::size_t begin, std::size_t end) {
        double previous = begin > 0 ? frame(begin - 1) : 0.0;
        for (std::size_t i = begin; i < end; ++i) {
            const double v = frame(i);
            if (l.doubled) {
                work[2 * i] = suite::Complex(v, 0.0);
                if (i > 0) work[2 * i - 1] = suite::Complex((previous + v) / 2, 0.0);
            } else {
                work[i] = suite::Complex(v, 0.0);
            }
            previous = v;
        }
    };
    suite::parallelFor(s.frames, kMinFramesPerPart, decode);
    const std::size_t written = l.doubled ? (s.frames > 0 ? 2 * s.frames - 1 : 0) : s.frames;
    std::fill(work + written, work + l.n, suite::Complex(0.0, 0.0));
}

// The whole temporary file: header, two zero samples, then the processed samples (the file
// holds count + 1 samples). Empty when the size does not fit the header.
std::vector<unsigned char> tempFileBytes(const double* processed, std::size_t count) {
    const std::uint64_t dataBytes = 2 * std::uint64_t{count} + 2;
    if (dataBytes > 0xFFFFFFFFu - 36) return {};
    std::vector<unsigned char> bytes(suite::tempWavHeaderSize + dataBytes);
    const auto header = suite::tempWavHeader(static_cast<std::uint32_t>(dataBytes));
    std::memcpy(bytes.data(), header.data(), header.size());
    unsigned char* samples = bytes.data() + suite::tempWavHeaderSize;
    const auto store = [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const std::int16_t v = i >= 2 ? roundToSample(processed[i - 2]) : 0;
            suite::writeLe16(samples + 2 * i, static_cast<std::uint16_t>(v));
        }
    };
    suite::parallelFor(count + 1, kMinFramesPerPart, store);
    return bytes;
}

// Resampling and the level stage on the band-limited sound (or the copied samples of the fast
// path), then the file's bytes. firstHalf/secondHalf: the two halves of the work buffer.
int finishRender(double* firstHalf, double* secondHalf, std::size_t count, double level,
                 std::vector<unsigned char>& bytes) {
    applyLevel(count, firstHalf, level, secondHalf);
    try {
        bytes = tempFileBytes(firstHalf, count);
    } catch (const std::bad_alloc&) {
        return result::samplesNoMemory;
    }
    return bytes.empty() ? result::tempNotWritten : 0;
}

int writeRender(const TempRender& render, const std::vector<unsigned char>& bytes,
                const platform::Path& workFolder) {
    for (std::size_t i = 0; i < render.names.size(); ++i) {
        const platform::Path path = tempPath(workFolder, render.names[i]);
        if (i == 0) {
            if (!writeTempImage(path, bytes)) return result::tempNotWritten;
            continue;
        }
        platform::File copy = createOutputFile(path); // a failed copy shows up downstream
        if (copy.isOpen()) copy.write(bytes.data(), bytes.size());
    }
    return 0;
}

// The job's work buffer: n complex values (2n doubles), kept from group to group. Its
// storage is left uninitialised: every user writes all of it before reading, so the pages are
// first touched by the split decoding loop rather than by a zero-filling pass.
class WorkBuffer {
  public:
    // False when the memory cannot be had; the old contents need not survive.
    bool resize(std::size_t n) {
        if (n == n_) return true;
        storage_.reset();
        n_ = 0;
        try {
            storage_.reset(new double[2 * n]);
        } catch (const std::bad_alloc&) {
            return false;
        }
        n_ = n;
        return true;
    }
    // Complex values may be read as pairs of doubles (real, imaginary) and back.
    suite::Complex* data() { return reinterpret_cast<suite::Complex*>(storage_.get()); }

  private:
    std::unique_ptr<double[]> storage_;
    std::size_t n_ = 0;
};

// Finished files waiting for their turn: written in the order of the list, each as soon as
// every render before it is written, so the working folder goes through the states that
// renders made one after another leave.
class WriteQueue {
  public:
    WriteQueue(const std::vector<TempRender>& renders, const platform::Path& workFolder)
        : renders_(renders), workFolder_(workFolder), made_(renders.size()) {}

    // Render k's file; writes what is ready. The first write failure, else 0.
    int add(std::size_t k, std::vector<unsigned char> bytes) {
        made_[k] = std::move(bytes);
        return flush();
    }

    int flush() {
        for (; next_ < made_.size() && made_[next_]; ++next_) {
            if (int failed = writeRender(renders_[next_], *made_[next_], workFolder_))
                return failed;
            made_[next_].reset();
        }
        return 0;
    }

    // A render failed with `code`: the files before it that are made are written; the
    // first failure of those, else code.
    int fail(int code) {
        const int failed = flush();
        return failed ? failed : code;
    }

  private:
    const std::vector<TempRender>& renders_;
    const platform::Path& workFolder_;
    std::vector<std::optional<std::vector<unsigned char>>> made_;
    std::size_t next_ = 0;
};

// Renders that share their samples, in the order of their first members; a group is made
// where its first member stands in the list.
std::vector<std::vector<std::size_t>> sharingGroups(const std::vector<Layout>& layouts) {
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t k = 0; k < layouts.size(); ++k) {
        auto joined = std::find_if(groups.begin(), groups.end(), [&](const auto& group) {
            return sameSamples(layouts[group.front()], layouts[k]);
        });
        if (joined != groups.end())
            joined->push_back(k);
        else
            groups.push_back({k});
    }
    return groups;
}

// The renders of one group from the decoded samples in work: one forward transform, then
// per render its mask and inverse, resampling and level stage.
int renderBands(WorkBuffer& work, const Layout& l, const std::vector<std::size_t>& members,
                const std::vector<TempRender>& renders, double level, WriteQueue& queue) {
    double* firstHalf = reinterpret_cast<double*>(work.data());
    double* secondHalf = firstHalf + l.n;
    std::size_t limit = 0;
    for (std::size_t k : members)
        limit = std::max(limit, suite::keptBins(l.n, l.workingRate, renders[k].edges).keepEnd);
    suite::BandSpectrum spectrum;
    if (!suite::fftForwardBand(work.data(), l.n, limit, spectrum))
        return queue.fail(result::workNoMemory);
    for (std::size_t k : members) {
        const suite::KeptBins kept = suite::keptBins(l.n, l.workingRate, renders[k].edges);
        suite::fftInverseBand(spectrum, kept.keepBegin, kept.keepEnd, work.data());
        suite::compactRealParts(work.data(), l.n);
        const std::size_t count =
            resampleSpline(l.workingRate, renders[k].rate, l.workingCount, firstHalf, secondHalf);
        std::vector<unsigned char> bytes;
        if (int code = finishRender(firstHalf, secondHalf, count, level, bytes))
            return queue.fail(code);
        if (int code = queue.add(k, std::move(bytes))) return code;
    }
    return 0;
}

// The fast path: the samples are copied as they are into the resampler's half of work.
void copySamples(WorkBuffer& work, const Source& s, const Layout& l) {
    double* firstHalf = reinterpret_cast<double*>(work.data());
    double* secondHalf = firstHalf + l.n;
    for (std::size_t i = 0; i < s.frames; ++i)
        secondHalf[i] = static_cast<std::int16_t>(suite::readLe16(s.samples + 2 * i));
    std::memset(firstHalf, 0, l.n * sizeof(double));
}

int renderCopied(WorkBuffer& work, const Source& s, const Layout& l, std::size_t k, double level,
                 WriteQueue& queue) {
    double* firstHalf = reinterpret_cast<double*>(work.data());
    double* secondHalf = firstHalf + l.n;
    std::vector<unsigned char> bytes;
    const std::size_t count = s.frames > 0 ? s.frames - 1 : 0;
    if (int code = finishRender(firstHalf, secondHalf, count, level, bytes))
        return queue.fail(code);
    return queue.add(k, std::move(bytes));
}

} // namespace

TempRender render8k(int narrow, int channelMode) {
    return {8000, {20.0, narrow ? 2000.0 : 4000.0}, channelMode, {std::string(tempfile::latest8k)}};
}

TempRender render16k(int channelMode) {
    return {16000, {40.0, 8000.0}, channelMode, {std::string(tempfile::latest16k)}};
}

TempRender render32k() {
    return {32000, {80.0, 16000.0}, channelMix, {std::string(tempfile::mono32k)}};
}

int renderTempFiles(const platform::Path& source, double level,
                    const std::vector<TempRender>& renders, const platform::Path& workFolder) {
    if (renders.empty()) return 0;
    std::vector<unsigned char> image;
    int code = 0;
    if (!loadImage(source, image, code)) return code;
    Source src;
    if ((code = checkSource(image, src))) return code;

    std::vector<Layout> layouts;
    for (const TempRender& r : renders)
        layouts.push_back(layoutFor(src, r));
    const std::vector<std::vector<std::size_t>> groups = sharingGroups(layouts);
    WriteQueue queue(renders, workFolder);
    WorkBuffer work;
    try {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::vector<std::size_t>& members = groups[g];
            const Layout& l = layouts[members.front()];
            if (!work.resize(l.n)) return queue.fail(result::workNoMemory);
            if (l.fastPath)
                copySamples(work, src, l);
            else
                decodeInto(work.data(), src, l, renders[members.front()].channelMode);
            // The last group has taken what it needs from the file.
            if (g + 1 == groups.size()) std::vector<unsigned char>().swap(image);
            code = l.fastPath ? renderCopied(work, src, l, members.front(), level, queue)
                              : renderBands(work, l, members, renders, level, queue);
            if (code) return code;
        }
    } catch (const std::bad_alloc&) {
        // Tables and buffers of the transforms and of the split loops: as the work buffer.
        return queue.fail(result::workNoMemory);
    }
    return queue.flush();
}

} // namespace cw
