# The real window, driven under a private Xvfb server (only when the
# simulator is built).
if(TARGET qpx-sim)
  add_test(NAME window_end_to_end
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/window/end_to_end.sh $<TARGET_FILE:qpx-sim> ${CMAKE_CURRENT_BINARY_DIR}/window)
  set_tests_properties(window_end_to_end PROPERTIES TIMEOUT 120)
endif()
