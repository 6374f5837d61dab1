#include "tools/lcd_png.h"

#include <cstdio>
#include <png.h>
#include <vector>

namespace {
// The panel's light grey and the dots' near-black, as the window shows them.
constexpr uint8_t PanelGrey[3] = {0xC0, 0xC7, 0xC8};
constexpr uint8_t DotDark[3] = {0x10, 0x14, 0x18};
} // namespace

bool WriteLcdPng(const char *path, const uint8_t frame[1024], int scale)
{
    if (scale < 1)
        scale = 1;
    const int width = 128 * scale, height = 64 * scale;
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(width * 3);
    for (int py = 0; py < height; ++py) {
        const int y = py / scale;
        for (int px = 0; px < width; ++px) {
            const int x = px / scale;
            const bool dark = (frame[(y / 8) * 128 + x] >> (y % 8)) & 1;
            const uint8_t *colour = dark ? DotDark : PanelGrey;
            for (int c = 0; c < 3; ++c)
                row[px * 3 + c] = colour[c];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}
