#include "host/png/png_write.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// The WebAssembly build has no libpng and writes with our own encoder.
#ifdef QPX_PNG_OWN_ENCODER
#include "host/png/png_encode.h"
#else
#include <png.h>
#endif

namespace {

// The panel's light grey and the dots' near-black of the review pictures.
constexpr PngColour PanelGrey{0xC0, 0xC7, 0xC8};
constexpr PngColour DotDark{0x10, 0x14, 0x18};

#ifndef QPX_PNG_OWN_ENCODER
// libpng reports a failure by longjmp; this keeps its message.
void OnPngError(png_structp png, png_const_charp message)
{
    auto *error = static_cast<std::string *>(png_get_error_ptr(png));
    if (error)
        *error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}
#endif

// Flushes and closes a file written so far; a full disk may show only then.
// On any failure the file is removed and *error says why.
bool FinishFile(FILE *file, const char *path, bool written, std::string reason, std::string *error)
{
    if (written && fflush(file) != 0) {
        written = false;
        reason = strerror(errno);
    }
    if (fclose(file) != 0 && written) {
        written = false;
        reason = strerror(errno);
    }
    if (!written) {
        remove(path);
        if (error)
            *error = reason.empty() ? "cannot encode the picture" : reason;
    }
    return written;
}

} // namespace

#ifdef QPX_PNG_OWN_ENCODER
bool WriteRgbPng(const char *path, int width, int height, const uint8_t *rgb, std::string *error)
{
    const std::vector<uint8_t> png = EncodeStoredPng(width, height, rgb);
    if (png.empty()) {
        if (error)
            *error = "cannot encode the picture";
        return false;
    }
    FILE *file = fopen(path, "wb");
    if (!file) {
        if (error)
            *error = strerror(errno);
        return false;
    }
    const bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return FinishFile(file, path, written, written ? "" : strerror(errno), error);
}
#else
bool WriteRgbPng(const char *path, int width, int height, const uint8_t *rgb, std::string *error)
{
    std::string reason;
    FILE *file = fopen(path, "wb");
    if (!file) {
        if (error)
            *error = strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    // Set only after the last libpng call, yet kept in memory so that a
    // longjmp cannot leave a stale copy in a register.
    volatile bool written = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, rgb + (size_t)y * (size_t)width * 3);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return FinishFile(file, path, written, reason, error);
}
#endif

bool WriteFramePng(const char *path, const uint8_t frame[LcdFrameBytes], int scale, PngColour dark,
                   PngColour light, std::string *error)
{
    if (scale < 1)
        scale = 1;
    const int width = LcdWidth * scale, height = LcdHeight * scale;
    std::vector<uint8_t> rgb((size_t)width * height * 3);
    uint8_t *out = rgb.data();
    for (int py = 0; py < height; ++py) {
        const int y = py / scale;
        for (int px = 0; px < width; ++px) {
            const int x = px / scale;
            const bool on = FrameDot(frame, x, y);
            const PngColour &c = on ? dark : light;
            *out++ = c.r;
            *out++ = c.g;
            *out++ = c.b;
        }
    }
    return WriteRgbPng(path, width, height, rgb.data(), error);
}

bool WriteLcdPng(const char *path, const uint8_t frame[LcdFrameBytes], int scale)
{
    return WriteFramePng(path, frame, scale, DotDark, PanelGrey);
}
