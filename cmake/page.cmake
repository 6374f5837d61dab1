# The simulator's page (WebAssembly build only): build-web/site/index.html
# with its script, its style and the codes it shares with the program
# (codes.js), and qpx-sim.js with qpx-sim.wasm, the window's form on the
# browser backend (host/web). build-web/site/ holds the page's files and
# nothing else, so that copying it to a static web host publishes the page;
# with them go the web app manifest, its icons and the service worker that
# keeps the page's files for opening without a network.
#
# Asyncify lets the instrument's main cycle, which runs inside the ON click,
# give the browser its event loop back from inside the cycle
# (qpx_page_wait). Only the functions that can be on the stack then are
# instrumented (host/web/asyncify_only.txt): left to itself Asyncify would
# instrument nearly everything, since any call through a pointer might wait,
# and the main cycle would run at well under half the desktop's speed. The
# face picture is compiled in as on the desktop; the browser decodes it.
add_executable(qpx-sim-page ${PROJECT_SOURCE_DIR}/host/web/web_main.cpp
  ${PROJECT_SOURCE_DIR}/host/web/web_backend.cpp ${PROJECT_SOURCE_DIR}/host/web/browser_keep.cpp
  ${PROJECT_SOURCE_DIR}/host/web/kept_store.cpp ${PROJECT_SOURCE_DIR}/host/web/page_demo.cpp)
set(qpx_site ${PROJECT_BINARY_DIR}/site)
set_target_properties(qpx-sim-page PROPERTIES OUTPUT_NAME qpx-sim RUNTIME_OUTPUT_DIRECTORY ${qpx_site})
target_link_libraries(qpx-sim-page PRIVATE qpx_window_objects qpx_lessons qpx_script qpx_core qpx_png)
set(qpx_page_link ${PROJECT_SOURCE_DIR}/host/web/page_link.js)
set(qpx_asyncify_only ${PROJECT_SOURCE_DIR}/host/web/asyncify_only.txt)
target_link_options(qpx-sim-page PRIVATE
  -sASYNCIFY=1 "-sASYNCIFY_IMPORTS=['qpx_page_wait']" -sASYNCIFY_ONLY=@${qpx_asyncify_only}
  --js-library=${qpx_page_link}
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 "-sEXPORTED_RUNTIME_METHODS=['FS']")
set_property(TARGET qpx-sim-page APPEND PROPERTY LINK_DEPENDS ${qpx_page_link} ${qpx_asyncify_only})

# The lessons and the state files they load go with the page as the
# program's folder /lessons, in qpx-sim.data beside qpx-sim.wasm, which the
# page loads before the program starts. They are copied into a folder of
# their own first, with a note that is no lesson, so that the folder is
# never empty (the packager refuses an empty one).
set(qpx_page_lessons ${PROJECT_BINARY_DIR}/page-lessons)
file(REMOVE_RECURSE ${qpx_page_lessons})
file(WRITE ${qpx_page_lessons}/README "The lessons of the page's Lessons panel: lessons/*.txt of the source tree.\n")
file(GLOB qpx_lesson_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/lessons/*.txt
  ${PROJECT_SOURCE_DIR}/lessons/*.toml)
foreach(qpx_lesson_file ${qpx_lesson_files})
  get_filename_component(qpx_lesson_name ${qpx_lesson_file} NAME)
  configure_file(${qpx_lesson_file} ${qpx_page_lessons}/${qpx_lesson_name} COPYONLY)
endforeach()
target_link_options(qpx-sim-page PRIVATE --preload-file ${qpx_page_lessons}@/lessons)
set_property(TARGET qpx-sim-page APPEND PROPERTY LINK_DEPENDS ${qpx_lesson_files})

# codes.js, the codes the program and its page share (control kinds, event
# kinds, keys), is written from the program's own definitions by
# qpx-page-codes under Node; the page loads it before page.js. Node is run by
# itself: the emulator emcmake names passes it an option this Node refuses.
add_executable(qpx-page-codes ${PROJECT_SOURCE_DIR}/host/web/page_codes_main.cpp
  ${PROJECT_SOURCE_DIR}/host/web/page_codes.cpp)
target_include_directories(qpx-page-codes PRIVATE ${PROJECT_SOURCE_DIR})
qpx_web_program(qpx-page-codes)
find_program(QPX_NODE NAMES node nodejs REQUIRED)
add_custom_command(OUTPUT ${qpx_site}/codes.js
  COMMAND ${QPX_NODE} $<TARGET_FILE:qpx-page-codes> ${qpx_site}/codes.js
  DEPENDS qpx-page-codes
  COMMENT "The page's codes, codes.js"
  VERBATIM)
add_custom_target(qpx_page_codes DEPENDS ${qpx_site}/codes.js)
add_dependencies(qpx-sim-page qpx_page_codes)

foreach(qpx_page_file index.html page.js page.css fit.css fit.js touch.js toolbar.js access.js offline.js
    store.js demo.js manifest.webmanifest)
  configure_file(${PROJECT_SOURCE_DIR}/host/web/page/${qpx_page_file} ${qpx_site}/${qpx_page_file} COPYONLY)
endforeach()
# The scenarios go with the page, for its demo mode (?demo=scenarios/tour.txt):
# their scripts, state files and recordings, and the recordings in examples/
# they replay; not the reference pictures.
file(GLOB_RECURSE qpx_published CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/scenarios/*.txt ${PROJECT_SOURCE_DIR}/scenarios/*.toml
  ${PROJECT_SOURCE_DIR}/scenarios/*.csv ${PROJECT_SOURCE_DIR}/examples/*.csv)
list(FILTER qpx_published EXCLUDE REGEX "^scenarios/refs/")
foreach(qpx_file ${qpx_published})
  configure_file(${PROJECT_SOURCE_DIR}/${qpx_file} ${qpx_site}/${qpx_file} COPYONLY)
endforeach()
foreach(qpx_icon_size 48 128 256)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/icons/qpx-sim-${qpx_icon_size}.png
    ${qpx_site}/icon-${qpx_icon_size}.png COPYONLY)
endforeach()
# The service worker names its cache after the program's version, so that a
# new version's files replace the old ones on the next visit.
set(QPX_PAGE_VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/host/web/page/sw.js ${qpx_site}/sw.js @ONLY)
