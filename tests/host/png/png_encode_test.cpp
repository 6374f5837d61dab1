// The library-free PNG encoder of the WebAssembly build: its checksums, and
// its files read back by libpng, which checks every chunk's CRC and the
// stream's Adler-32.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "host/png/png_encode.h"
#include "support/png_read.h"
#include "support/temp_folder.h"

namespace {

const uint8_t *Bytes(const char *text) { return reinterpret_cast<const uint8_t *>(text); }

} // namespace

TEST(PngEncode, ChecksumsGiveTheKnownValues)
{
    struct Case {
        const char *text;
        uint32_t crc, adler;
    };
    const Case cases[] = {
        {"", 0, 1},
        {"a", 0xE8B7BE43, 0x00620062},
        {"123456789", 0xCBF43926, 0x091E01DE},
        {"Wikipedia", 0xADAAC02E, 0x11E60398},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339, 0x5BDC0FDA},
    };
    for (const Case &c : cases) {
        const size_t size = strlen(c.text);
        EXPECT_EQ(Crc32(Bytes(c.text), size), c.crc) << c.text;
        EXPECT_EQ(Adler32(Bytes(c.text), size), c.adler) << c.text;
        // Continued over two parts, the same.
        EXPECT_EQ(Crc32(Bytes(c.text) + size / 2, size - size / 2, Crc32(Bytes(c.text), size / 2)), c.crc);
        EXPECT_EQ(Adler32(Bytes(c.text) + size / 2, size - size / 2, Adler32(Bytes(c.text), size / 2)),
                  c.adler);
    }
}

TEST(PngEncode, AdlerReducesLongRunsOfHighBytesInTime)
{
    // The sums are reduced only every few thousand bytes; 0xFF bytes come
    // closest to overflowing them in between.
    const std::vector<uint8_t> bytes(100000, 0xFF);
    uint32_t a = 1, b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(Adler32(bytes.data(), bytes.size()), b << 16 | a);
}

TEST(PngEncode, LibpngReadsBackEveryPixel)
{
    // Widths and heights around the 65535-byte stored blocks: rows plus
    // their filter bytes fill one block exactly (1456 x 15), run one byte
    // over (a row of 21845 pixels), or span several blocks.
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {3, 2}, {1456, 15}, {21845, 1}, {200, 120}, {512, 256}};
    TempFolder folder;
    for (const auto &size : sizes) {
        std::vector<uint8_t> rgb((size_t)size.width * size.height * 3);
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = (uint8_t)(i * 7 + i / 3 * 13);
        const std::vector<uint8_t> png = EncodeStoredPng(size.width, size.height, rgb.data());
        const std::string path = folder.File("picture.png");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(png.data()), png.size());

        TPicture picture = ReadPng(path);
        EXPECT_EQ(picture.width, size.width);
        EXPECT_EQ(picture.height, size.height);
        EXPECT_TRUE(picture.rgb == rgb) << size.width << " x " << size.height;
    }
}

TEST(PngEncode, NoFileForAnEmptyPicture)
{
    const uint8_t pixel[3] = {};
    EXPECT_TRUE(EncodeStoredPng(0, 1, pixel).empty());
    EXPECT_TRUE(EncodeStoredPng(1, 0, pixel).empty());
    EXPECT_TRUE(EncodeStoredPng(-1, 1, pixel).empty());
}
