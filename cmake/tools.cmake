# Frames written as PNG pictures for review (qpx_lcd_png, used by the tests
# and by failing frame comparisons), and the review tool render_glyphs, run by
# hand: build/render_glyphs <dir> writes PNG sheets of the text fonts and the
# screen furniture. Both need libpng.
find_package(PNG)
if(PNG_FOUND)
  add_library(qpx_lcd_png STATIC ${PROJECT_SOURCE_DIR}/tools/lcd_png.cpp)
  target_include_directories(qpx_lcd_png PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qpx_lcd_png PUBLIC PNG::PNG)

  add_executable(render_glyphs ${PROJECT_SOURCE_DIR}/tools/render_glyphs.cpp)
  target_link_libraries(render_glyphs PRIVATE qpx_headless qpx_lcd_png)
endif()
