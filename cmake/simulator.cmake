# The window's toolkit layer, the face picture built into the program, and
# (with QPX_BUILD_SIM) the simulator executable qpx-sim over FLTK.

find_package(JPEG REQUIRED)

# The face picture becomes a byte array in the program: nothing is read from
# disk at run time. Rewritten only when the JPEG changes.
set(QPX_FACE_JPEG ${CMAKE_CURRENT_SOURCE_DIR}/host/face/face.jpg)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QPX_FACE_JPEG})
file(READ ${QPX_FACE_JPEG} qpx_face_hex HEX)
string(LENGTH "${qpx_face_hex}" qpx_face_hex_length)
math(EXPR qpx_face_size "${qpx_face_hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," qpx_face_bytes "${qpx_face_hex}")
string(REGEX REPLACE "((0x..,){20})" "\\1\n    " qpx_face_bytes "${qpx_face_bytes}")
set(QPX_FACE_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/face_picture.cpp)
file(CONFIGURE OUTPUT ${QPX_FACE_SOURCE} CONTENT
"// Generated from host/face/face.jpg by cmake/simulator.cmake.
#include \"host/face/face_picture.h\"

const uint8_t FacePictureJpeg[] = {
    ${qpx_face_bytes}
};
const size_t FacePictureJpegSize = ${qpx_face_size};
" @ONLY)

# Shared by both backends: the controls' own state and the JPEG decoder.
set(QPX_TOOLKIT_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/host/toolkit.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/host/jpeg_decode.cpp
  ${QPX_FACE_SOURCE})
target_sources(qpx_host_headless PRIVATE ${QPX_TOOLKIT_SOURCES})
target_link_libraries(qpx_host_headless PUBLIC JPEG::JPEG)

if(QPX_BUILD_SIM)
  find_program(QPX_FLTK_CONFIG fltk-config REQUIRED)
  execute_process(COMMAND ${QPX_FLTK_CONFIG} --ldflags
    OUTPUT_VARIABLE qpx_fltk_ldflags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(qpx_fltk_ldflags UNIX_COMMAND "${qpx_fltk_ldflags}")

  file(GLOB QPX_FLTK_SOURCES CONFIGURE_DEPENDS host/fltk/*.cpp)
  file(GLOB QPX_FORM_SOURCES_FOR_SIM CONFIGURE_DEPENDS host/form/*.cpp)
  add_executable(qpx-sim host/main.cpp ${QPX_FORM_SOURCES_FOR_SIM} ${QPX_FLTK_SOURCES} ${QPX_TOOLKIT_SOURCES})
  target_include_directories(qpx-sim PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(qpx-sim PRIVATE qpx_core JPEG::JPEG ${qpx_fltk_ldflags})
endif()
