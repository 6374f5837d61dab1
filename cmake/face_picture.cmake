# The face picture becomes a byte array in the program: nothing is read from
# disk at run time. The generated source is rewritten only when the JPEG
# changes; QPX_FACE_SOURCE names it.

set(QPX_FACE_JPEG ${PROJECT_SOURCE_DIR}/host/face/face.jpg)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QPX_FACE_JPEG})
file(READ ${QPX_FACE_JPEG} qpx_face_hex HEX)
string(LENGTH "${qpx_face_hex}" qpx_face_hex_length)
math(EXPR qpx_face_size "${qpx_face_hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," qpx_face_bytes "${qpx_face_hex}")
string(REGEX REPLACE "((0x..,){20})" "\\1\n    " qpx_face_bytes "${qpx_face_bytes}")
set(QPX_FACE_SOURCE ${PROJECT_BINARY_DIR}/generated/face_picture.cpp)
file(CONFIGURE OUTPUT ${QPX_FACE_SOURCE} CONTENT
"// Generated from host/face/face.jpg by cmake/face_picture.cmake.
#include \"host/face/face_picture.h\"

const uint8_t FacePictureJpeg[] = {
    ${qpx_face_bytes}
};
const size_t FacePictureJpegSize = ${qpx_face_size};
" @ONLY)
