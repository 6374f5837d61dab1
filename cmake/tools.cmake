# The review tool render_glyphs, run by hand: build/render_glyphs <dir> writes
# PNG sheets of the text fonts and the screen furniture.
add_executable(render_glyphs ${PROJECT_SOURCE_DIR}/tools/render_glyphs.cpp)
target_link_libraries(render_glyphs PRIVATE qpx_headless qpx_png)
