#include "tools/artwork/image_files.hpp"

#include <stdexcept>

namespace artwork {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// BITMAPINFOHEADER. An icon image states twice its height (the colour rows, then the mask).
void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits,
                   std::uint32_t imageBytes) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0); // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

std::uint32_t rowBytes(int width, int bits) {
    return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4;
}

std::vector<std::uint8_t> iconImage(const Canvas& c) {
    const std::uint32_t colourRow = rowBytes(c.width(), 32);
    const std::uint32_t maskRow = rowBytes(c.width(), 1);
    std::vector<std::uint8_t> out;
    putInfoHeader(out, c.width(), c.height() * 2, 32, (colourRow + maskRow) * c.height());
    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            const Color p = c.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    // Set mask bits mark transparent pixels, for programs that ignore the alpha channel.
    for (int y = c.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y).a < 128)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Canvas& c, Color matte) {
    const std::uint32_t row = rowBytes(c.width(), 24);
    const std::uint32_t imageBytes = row * static_cast<std::uint32_t>(c.height());
    std::vector<std::uint8_t> out{'B', 'M'};
    put32(out, 14 + 40 + imageBytes);
    put32(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, c.width(), c.height(), 24, imageBytes);
    for (int y = c.height() - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < c.width(); ++x) {
            Canvas pixel(1, 1, matte);
            pixel.blend(0, 0, c.at(x, y));
            const Color p = pixel.at(0, 0);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(start + row, 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeIco(const std::vector<Canvas>& sizes) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<std::uint32_t>(sizes.size()));
    std::vector<std::vector<std::uint8_t>> images;
    for (const Canvas& c : sizes) {
        if (c.width() != c.height() || c.width() < 1 || c.width() > 256)
            throw std::invalid_argument("icon images are square, 1 to 256 pixels");
        images.push_back(iconImage(c));
    }
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i].width();
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace artwork
