# The simulator's page (WebAssembly build only): build-web/index.html with
# its script and style, and qpx-sim.js with qpx-sim.wasm, the window's form
# on the browser backend (host/web).
#
# Asyncify lets the instrument's main cycle, which runs inside the ON click,
# give the browser its event loop back from inside the cycle
# (qpx_page_wait). The face picture is compiled in as on the desktop; the
# browser decodes it.
add_executable(qpx-sim-page ${PROJECT_SOURCE_DIR}/host/web/web_main.cpp
  ${PROJECT_SOURCE_DIR}/host/web/web_backend.cpp)
set_target_properties(qpx-sim-page PROPERTIES OUTPUT_NAME qpx-sim)
target_link_libraries(qpx-sim-page PRIVATE qpx_window_objects qpx_core qpx_png)
set(qpx_page_link ${PROJECT_SOURCE_DIR}/host/web/page_link.js)
target_link_options(qpx-sim-page PRIVATE
  -sASYNCIFY=1 "-sASYNCIFY_IMPORTS=['qpx_page_wait']"
  --js-library=${qpx_page_link}
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 "-sEXPORTED_RUNTIME_METHODS=['FS']")
set_property(TARGET qpx-sim-page APPEND PROPERTY LINK_DEPENDS ${qpx_page_link})

foreach(qpx_page_file index.html page.js page.css)
  configure_file(${PROJECT_SOURCE_DIR}/host/web/page/${qpx_page_file} ${PROJECT_BINARY_DIR}/${qpx_page_file}
    COPYONLY)
endforeach()
