// The WebAssembly build has no JPEG decoder: the page shows the instrument
// face itself, and the form there loads no picture (QPX_PAGE_SHOWS_FACE in
// host/form/Pcmain.cpp). A picture loaded anyway fails as a damaged one would.
#include <stdexcept>

#include "host/jpeg_decode.h"

DecodedPicture DecodeJpeg(const uint8_t *, size_t)
{
    throw std::runtime_error("JPEG picture cannot be decoded: this build has no JPEG decoder");
}
