#include "tools/artwork/catalog.hpp"

#include "tools/artwork/icons.hpp"
#include "tools/artwork/image_files.hpp"
#include "tools/artwork/tarnwick_skin.hpp"

namespace artwork {

namespace {

constexpr Artwork images[] = {
    {"chimewright.ico", Format::icon, 0, 0, drawChimewrightIcon}, // icon 101 of chimewright
    {"voxreel.ico", Format::icon, 0, 0, drawVoxreelIcon},         // icon 101 of voxreel
    {"tarnwick.ico", Format::icon, 0, 0, drawTarnwickIcon},       // icon 128 of tarnwick
    // tarnwick's skin: bitmaps 133-156 (buttons hold their faces stacked)
    {"tarnwick_background.bmp", Format::bitmap, 210, 108, drawTarnwickBackground},
    {"tarnwick_cancel.bmp", Format::bitmap, 48, 4 * 16, drawTarnwickCancel},
    {"tarnwick_error.bmp", Format::bitmap, 210, 36, drawTarnwickErrorPicture},
    {"tarnwick_toggle.bmp", Format::bitmap, 24, 3 * 10, drawTarnwickToggle},
    {"tarnwick_clear.bmp", Format::bitmap, 56, 4 * 16, drawTarnwickClear},
    {"tarnwick_dialog_ok.bmp", Format::bitmap, 48, 4 * 16, drawTarnwickDialogOk},
    {"tarnwick_success.bmp", Format::bitmap, 210, 36, drawTarnwickSuccessPicture},
    {"tarnwick_title_ok.bmp", Format::bitmap, 56, 4 * 16, drawTarnwickTitleOk},
    {"tarnwick_power.bmp", Format::bitmap, 22, 4 * 22, drawTarnwickPower},
    {"tarnwick_dropspace.bmp", Format::bitmap, 210, 44, drawTarnwickDropspace},
    {"tarnwick_about.bmp", Format::bitmap, 56, 4 * 16, drawTarnwickAbout},
};

} // namespace

std::span<const Artwork> catalog() {
    return images;
}

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
