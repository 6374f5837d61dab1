# Review tools, run by hand: build/render_glyphs <dir> writes PNG sheets of
# the text fonts and screen furniture.
find_package(PNG)
if(PNG_FOUND)
  add_executable(render_glyphs tools/render_glyphs.cpp tools/lcd_png.cpp)
  target_link_libraries(render_glyphs PRIVATE qpx_headless PNG::PNG)
endif()
