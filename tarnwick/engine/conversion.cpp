#include "tarnwick/engine/conversion.hpp"

#include "platform/text.hpp"
#include "shared/cp932_bytes.hpp"
#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/wave_encoder.hpp"

#include <optional>
#include <vector>

namespace tarnwick {

namespace {

// Shows the wait cursor for as long as it lives.
class BusyScope {
public:
    explicit BusyScope(TarnwickPort& port) : port_(port) { port_.setBusy(true); }
    ~BusyScope() { port_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TarnwickPort& port_;
};

std::optional<std::vector<unsigned char>> readWholeImage(const platform::Path& path) {
    platform::File file = platform::openForRead(path, platform::shareRead | platform::shareWrite);
    if (!file.isOpen()) return std::nullopt;
    std::vector<unsigned char> image;
    unsigned char block[65536];
    for (;;) {
        auto got = file.read(block, sizeof block);
        if (!got) return std::nullopt;
        if (*got == 0) break;
        image.insert(image.end(), block, block + *got);
    }
    return image;
}

MessageId checkFailureMessage(int result) {
    switch (result) {
    case waveUnsupportedFormat: return MessageId::unsupportedFormat;
    case waveTooShort: return MessageId::tooShort;
    default: return MessageId::invalidHeader;
    }
}

// Writes the image in one piece; a file that could not be written whole is removed.
bool writeImage(const platform::Path& path, const std::vector<unsigned char>& image) {
    platform::File file = platform::createForWrite(path);
    if (!file.isOpen()) return false;
    if (file.write(image.data(), image.size())) return true;
    file.close();
    platform::deleteFile(path);
    return false;
}

} // namespace

bool hasWavExtension(std::string_view ansiPath) {
    // Where each character starts: a lead byte takes the byte after it along.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < ansiPath.size(); ++i) {
        starts.push_back(i);
        if (suite::isCp932LeadByte(static_cast<unsigned char>(ansiPath[i]))) ++i;
    }
    if (starts.size() < 4) return false;
    const std::size_t first = starts[starts.size() - 4];
    if (ansiPath.size() - first != 4) return false; // a double-byte character among the four
    const char* wanted = ".wav";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ansiPath[first + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != wanted[i]) return false;
    }
    return true;
}

std::string cutToCharacters(std::string_view utf8, std::size_t limit) {
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        // A character is a lead byte and the continuation bytes (10xxxxxx) after it.
        std::size_t next = end + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80)
            ++next;
        if (characters == limit) break;
        ++characters;
        end = next;
    }
    return std::string(utf8.substr(0, end));
}

ConversionEnd convertDroppedFile(const platform::Path& path, TarnwickPort& port) {
    const Language language = port.language();
    const auto fail = [&](MessageId id) {
        port.showMessage(id, messageText(id, language), false);
        return ConversionEnd::failed;
    };

    const std::string utf8Path = platform::pathToUtf8(path);
    const std::string ansiPath = platform::utf8ToCp932(utf8Path);
    if (ansiPath.size() >= maxPathBytes) return fail(MessageId::pathTooLong);
    if (!hasWavExtension(ansiPath)) return fail(MessageId::notWavExtension);

    const std::optional<std::vector<unsigned char>> image = readWholeImage(path);
    if (!image) return fail(MessageId::cannotOpen);
    const BusyScope busy(port);

    WaveInfo info;
    const int checked = checkWave(*image, info);
    if (checked < 0) return fail(checkFailureMessage(checked));

    // The ".wav" that ends the path is four single bytes in UTF-8 as in code page 932.
    const std::string stem = utf8Path.substr(0, utf8Path.size() - 4);
    TitleDialogValues values;
    values.title = platform::pathToUtf8(platform::pathFromUtf8(stem).filename());
    values.rateLocked = info.rateCode == rateCode4k;
    values.rateMode = values.rateLocked ? rateMode4kSource : rateMode8k;
    if (!port.askContents(values)) return ConversionEnd::cancelled;

    ContentsInfo contents;
    contents.title = platform::utf8ToCp932(cutToCharacters(values.title, maxDialogCharacters));
    contents.copyright =
        platform::utf8ToCp932(cutToCharacters(values.copyright, maxDialogCharacters));
    contents.protect = values.protect;
    // A 4000-Hz source is written at 4000 Hz whatever the switch says.
    const int rateMode = info.rateCode == rateCode4k ? rateMode4kSource
                         : values.rateMode == rateModeHalved ? rateModeHalved
                                                             : rateMode8k;

    const std::vector<unsigned char> smaf = writeAudioSmaf(contents, *image, info, rateMode);
    if (!writeImage(platform::pathFromUtf8(stem + ".mmf"), smaf))
        return fail(MessageId::cannotSave);
    port.showMessage(MessageId::fileSize, fileSizeMessage(smaf.size(), language), true);
    return ConversionEnd::converted;
}

} // namespace tarnwick
