// The artwork tool's files as the resource compiler and Windows read them, and every image
// of its catalog drawn at its size.
#include "tools/artwork/catalog.hpp"
#include "tools/artwork/image_files.hpp"
#include "tools/artwork/pixel_font.hpp"

#include <gtest/gtest.h>
#include <string>

using namespace artwork;

namespace {

std::uint32_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}
std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

} // namespace

TEST(ArtworkFiles, BmpIsBottomUpWithPaddedRowsAndAlphaOverTheMatte) {
    Canvas c(3, 2, rgb(0x000000));
    c.fillRect(0, 0, 1, 1, rgb(0x102030));    // top-left
    c.fillRect(2, 1, 3, 2, rgb(0xFF0000, 0)); // bottom-right, fully transparent
    const std::vector<std::uint8_t> bmp = encodeBmp(c, rgb(0xFFFFFF));
    const std::size_t row = 12; // 3 pixels × 3 bytes, padded to 4
    ASSERT_EQ(bmp.size(), 54 + 2 * row);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 18), 3u);
    EXPECT_EQ(le32(bmp, 22), 2u); // positive height: bottom-up
    EXPECT_EQ(le16(bmp, 28), 24u);
    // The first stored row is the bottom one: its last pixel shows the white matte.
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54 + 6, bmp.begin() + 54 + 9),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54 + row, bmp.begin() + 54 + row + 3),
              (std::vector<std::uint8_t>{0x30, 0x20, 0x10})); // B, G, R
}

TEST(ArtworkFiles, IcoHoldsEachSizeWithColourAndMask) {
    std::vector<Canvas> sizes;
    for (int size : {16, 32, 48}) {
        sizes.emplace_back(size, size, rgb(0x00FF00));
        sizes.back().fillRect(0, 0, 1, 1, rgb(0, 0)); // a transparent top-left corner
    }
    const std::vector<std::uint8_t> ico = encodeIco(sizes);
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u);
    ASSERT_EQ(le16(ico, 4), 3u);
    std::size_t expectedOffset = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::uint32_t size = sizes[i].width();
        EXPECT_EQ(ico[entry], size);
        EXPECT_EQ(le16(ico, entry + 6), 32u);
        const std::uint32_t bytes = le32(ico, entry + 8);
        const std::uint32_t offset = le32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        const std::uint32_t maskRow = ((size + 31) / 32) * 4;
        EXPECT_EQ(bytes, 40 + size * size * 4 + maskRow * size);
        EXPECT_EQ(le32(ico, offset + 8), 2 * size); // colour rows, then mask rows
        // The mask's last row (the image's top) marks the transparent corner.
        const std::size_t topMaskRow = offset + 40 + size * size * 4 + maskRow * (size - 1);
        EXPECT_EQ(ico[topMaskRow], 0x80);
        expectedOffset += bytes;
    }
    EXPECT_EQ(ico.size(), expectedOffset);
    EXPECT_THROW(encodeIco({Canvas(16, 8)}), std::invalid_argument);
}

TEST(ArtworkCatalog, EveryImageDrawsSomethingAtItsSize) {
    ASSERT_FALSE(catalog().empty());
    for (const Artwork& a : catalog()) {
        SCOPED_TRACE(a.file);
        const std::string file = a.file;
        const std::vector<std::uint8_t> bytes = render(a);
        if (a.format == Format::icon) {
            EXPECT_EQ(file.substr(file.size() - 4), ".ico");
            for (int size : iconSizes) {
                Canvas c(size, size);
                a.draw(c);
                int opaque = 0;
                for (const Color& p : c.pixels())
                    opaque += p.a == 255;
                // An icon fills most of its square and leaves transparent corners.
                EXPECT_GT(opaque, size * size / 2);
                EXPECT_EQ(c.at(0, 0).a, 0);
            }
        } else {
            EXPECT_EQ(file.substr(file.size() - 4), ".bmp");
            EXPECT_EQ(le32(bytes, 18), static_cast<std::uint32_t>(a.width));
            EXPECT_EQ(le32(bytes, 22), static_cast<std::uint32_t>(a.height));
        }
    }
}

TEST(ArtworkFont, TextIsDrawnWithinItsMeasuredWidth) {
    EXPECT_EQ(textWidth("OK"), 11);
    EXPECT_EQ(textWidth("OK", 2), 22);
    Canvas c(40, 20, rgb(0xFFFFFF));
    drawTextCentred(c, 0, 0, 40, 20, "ok", rgb(0x000000));
    int left = 40, right = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            if (c.at(x, y).r == 0) left = std::min(left, x), right = std::max(right, x);
    EXPECT_EQ(left, (40 - 11) / 2);
    EXPECT_EQ(right, left + 10);
}
