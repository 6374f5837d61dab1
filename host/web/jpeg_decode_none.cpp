// The WebAssembly build has no JPEG decoder: the browser decodes pictures
// itself. A picture loaded here stays empty in the program, which keeps the
// JPEG for the page to show (TImage::Jpeg).
#include "host/jpeg_decode.h"

DecodedPicture DecodeJpeg(const uint8_t *, size_t) { return {}; }
