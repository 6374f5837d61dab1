# The readers' contracts under any input (fuzz/readers.*): linked by the
# tests, which replay every kept input, and by the fuzz targets, built only
# with QPX_FUZZ.
add_library(qpx_fuzz_readers STATIC ${PROJECT_SOURCE_DIR}/fuzz/readers.cpp)
target_link_libraries(qpx_fuzz_readers PUBLIC qpx_run)
if(QPX_FUZZ)
  add_subdirectory(${PROJECT_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()
