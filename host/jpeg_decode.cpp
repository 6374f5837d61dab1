#include "host/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace {

// libjpeg's default error handler exits the process; ours jumps back to the
// decoder, which then throws.
struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void FailOnError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    longjmp(errors->escape, 1);
}

// Level -1 is a warning about damaged data (premature end, corrupt entropy
// data); higher levels are trace messages and are ignored.
void FailOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        FailOnError(info);
}

} // namespace

// Keeps the jump target in a frame whose only locals are libjpeg's own
// records, so that nothing of ours is left half-updated by the jump.
static bool DecodeInto(const uint8_t *data, size_t size, DecodedPicture &picture, char *message)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = FailOnError;
    errors.base.emit_message = FailOnWarning;
    errors.message[0] = 0;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, (unsigned long)size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = (int)info.output_width;
    picture.height = (int)info.output_height;
    picture.rgb.resize((size_t)picture.width * picture.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &picture.rgb[(size_t)info.output_scanline * picture.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

DecodedPicture DecodeJpeg(const uint8_t *data, size_t size)
{
    if (size == 0)
        throw std::runtime_error("JPEG picture is empty");
    DecodedPicture picture;
    char message[JMSG_LENGTH_MAX];
    if (!DecodeInto(data, size, picture, message))
        throw std::runtime_error(std::string("JPEG picture cannot be decoded: ") + message);
    return picture;
}
