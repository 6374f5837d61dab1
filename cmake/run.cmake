# qpx-run, the scenario runner, and qpx_run, the library of its script parser
# and runner that the tests link.
file(GLOB QPX_RUN_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/host/run/*.cpp)
list(REMOVE_ITEM QPX_RUN_SOURCES ${PROJECT_SOURCE_DIR}/host/run/qpx_run.cpp)
add_library(qpx_run STATIC ${QPX_RUN_SOURCES})
target_link_libraries(qpx_run PUBLIC qpx_headless qpx_png)

add_executable(qpx-run ${PROJECT_SOURCE_DIR}/host/run/qpx_run.cpp)
target_link_libraries(qpx-run PRIVATE qpx_run CLI11::CLI11)
