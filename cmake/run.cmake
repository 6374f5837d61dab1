# Scenarios:
#   qpx_script  reading and writing scenario scripts, recording a session in
#               the window as one, and the form's control for each control a
#               script names.
#               Uses the form and the state field table of the window's
#               objects, so it links into anything built on them (qpx-run,
#               qpx-sim).
#   qpx_run     the runner: scripts played on the headless window, with
#               their checks and pictures. Linked by qpx-run and the tests.
#   qpx-run     the runner's program.
add_library(qpx_script STATIC
  ${PROJECT_SOURCE_DIR}/host/run/script.cpp
  ${PROJECT_SOURCE_DIR}/host/run/session_recording.cpp
  ${PROJECT_SOURCE_DIR}/host/run/form_controls.cpp
  ${PROJECT_SOURCE_DIR}/host/run/form_recording.cpp)
target_link_libraries(qpx_script PUBLIC qpx_core)

add_library(qpx_run STATIC
  ${PROJECT_SOURCE_DIR}/host/run/runner.cpp
  ${PROJECT_SOURCE_DIR}/host/run/checks.cpp)
target_link_libraries(qpx_run PUBLIC qpx_script qpx_headless qpx_png)

add_executable(qpx-run ${PROJECT_SOURCE_DIR}/host/run/qpx_run.cpp)
target_link_libraries(qpx-run PRIVATE qpx_run CLI11::CLI11)
