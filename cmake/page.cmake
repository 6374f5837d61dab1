# The simulator's page (WebAssembly build only): build-web/index.html with
# its script and style, and qpx-sim.js with qpx-sim.wasm, the window's form
# on the browser backend (host/web).
#
# Asyncify lets the instrument's main cycle, which runs inside the ON click,
# give the browser its event loop back from inside the cycle
# (qpx_page_wait). Only the functions that can be on the stack then are
# instrumented (host/web/asyncify_only.txt): left to itself Asyncify would
# instrument nearly everything, since any call through a pointer might wait,
# and the main cycle would run at well under half the desktop's speed. The
# face picture is compiled in as on the desktop; the browser decodes it.
add_executable(qpx-sim-page ${PROJECT_SOURCE_DIR}/host/web/web_main.cpp
  ${PROJECT_SOURCE_DIR}/host/web/web_backend.cpp)
set_target_properties(qpx-sim-page PROPERTIES OUTPUT_NAME qpx-sim)
target_link_libraries(qpx-sim-page PRIVATE qpx_window_objects qpx_core qpx_png)
set(qpx_page_link ${PROJECT_SOURCE_DIR}/host/web/page_link.js)
set(qpx_asyncify_only ${PROJECT_SOURCE_DIR}/host/web/asyncify_only.txt)
target_link_options(qpx-sim-page PRIVATE
  -sASYNCIFY=1 "-sASYNCIFY_IMPORTS=['qpx_page_wait']" -sASYNCIFY_ONLY=@${qpx_asyncify_only}
  --js-library=${qpx_page_link}
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 "-sEXPORTED_RUNTIME_METHODS=['FS']")
set_property(TARGET qpx-sim-page APPEND PROPERTY LINK_DEPENDS ${qpx_page_link} ${qpx_asyncify_only})

foreach(qpx_page_file index.html page.js page.css)
  configure_file(${PROJECT_SOURCE_DIR}/host/web/page/${qpx_page_file} ${PROJECT_BINARY_DIR}/${qpx_page_file}
    COPYONLY)
endforeach()
