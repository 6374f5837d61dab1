# The WebAssembly build, configured with emcmake (scripts/run-web): the page
# (cmake/page.cmake) and the scenario runner, build-web/qpx-run.js, which
# Node runs on the real files with the native program's arguments. There is
# no libpng or libjpeg for WebAssembly here: the pictures are written by our
# own encoder (host/png/png_encode.h) and the browser decodes the face
# picture (host/web/jpeg_decode_none.cpp).
#
# emscripten compiles against its own system root, not /usr/include: Debian's
# header-only CLI11 and toml++ come in through a folder of links to just their
# own folders, as system headers (their warnings are not ours).
set(QPX_BUILD_SIM OFF)
set(QPX_BUILD_TESTS OFF)
set(QPX_BUILD_BENCH OFF)
if(QPX_FUZZ OR QPX_SANITIZE)
  message(FATAL_ERROR "The WebAssembly build has no fuzzing or sanitizers")
endif()

set(QPX_WEB_INCLUDE ${PROJECT_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${QPX_WEB_INCLUDE})
foreach(qpx_headers CLI toml++)
  if(NOT IS_DIRECTORY /usr/include/${qpx_headers})
    message(FATAL_ERROR "/usr/include/${qpx_headers} is missing: install libcli11-dev and libtomlplusplus-dev")
  endif()
  file(CREATE_LINK /usr/include/${qpx_headers} ${QPX_WEB_INCLUDE}/${qpx_headers} SYMBOLIC)
endforeach()
# Imported, so that their headers are system headers.
add_library(qpx_web_headers INTERFACE IMPORTED)
set_target_properties(qpx_web_headers PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${QPX_WEB_INCLUDE})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_LINK_LIBRARIES qpx_web_headers)

# CLI11 and toml++ report bad input by throwing; emscripten leaves exceptions
# out unless both compiling and linking ask for them.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# qpx_web_program(TARGET): how Node runs a program of this build: on the real
# files (NODERAWFS), from one .js file with the WebAssembly inside it (this
# Node cannot fetch a separate .wasm file), with memory that grows as needed,
# and exiting with main's exit code.
function(qpx_web_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1)
endfunction()
