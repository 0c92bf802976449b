#include "tools/artwork/catalog.hpp"

#include "tools/artwork/icons.hpp"
#include "tools/artwork/image_files.hpp"

namespace artwork {

namespace {

constexpr Artwork images[] = {
    {"chimewright.ico", Format::icon, 0, 0, drawChimewrightIcon}, // icon 101 of chimewright
    {"voxreel.ico", Format::icon, 0, 0, drawVoxreelIcon},         // icon 101 of voxreel
    {"tarnwick.ico", Format::icon, 0, 0, drawTarnwickIcon},       // icon 128 of tarnwick
};

} // namespace

std::span<const Artwork> catalog() { return images; }

std::vector<std::uint8_t> render(const Artwork& artwork) {
    if (artwork.format == Format::icon) {
        std::vector<Canvas> sizes;
        for (int size : iconSizes) {
            sizes.emplace_back(size, size);
            artwork.draw(sizes.back());
        }
        return encodeIco(sizes);
    }
    Canvas canvas(artwork.width, artwork.height, rgb(0xFFFFFF));
    artwork.draw(canvas);
    return encodeBmp(canvas);
}

} // namespace artwork
