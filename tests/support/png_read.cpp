#include "support/png_read.h"

#include <png.h>

TPicture ReadPng(const std::string &path)
{
    TPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return picture;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return picture;
    }
    picture.width = (int)image.width;
    picture.height = (int)image.height;
    picture.rgb = std::move(rgb);
    return picture;
}
