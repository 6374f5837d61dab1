# Scenarios:
#   qpx_script  reading and writing scenario scripts (with the files they
#               name), recording a session in the window as one, and demo
#               mode, which plays one in a live window; all name the
#               controls through the control table
#               (host/controls/control_table.h). Uses the form, its live
#               player and the state field table of the window's objects,
#               so it links into anything built on them (qpx-run, qpx-sim,
#               the page).
#   qpx_run     the runner: scripts played on the headless window, with
#               their checks and pictures, and the line-by-line session of
#               --serve. Linked by qpx-run and the tests.
#   qpx_lessons lessons: a script in the lesson language cut into steps,
#               what a stand-in pilot does with one (--auto), and a lesson
#               taken live on a window (LessonPlayer, on the live player of
#               the window's objects), the lessons' catalogue and the
#               Lessons side window. Linked by the simulator, its page,
#               qpx-run and the tests.
#   qpx-run     the runner's program (host/app/qpx_run.cpp).
add_library(qpx_script STATIC
  ${PROJECT_SOURCE_DIR}/host/run/script.cpp
  ${PROJECT_SOURCE_DIR}/host/run/conditions.cpp
  ${PROJECT_SOURCE_DIR}/host/run/script_files.cpp
  ${PROJECT_SOURCE_DIR}/host/run/session_recording.cpp
  ${PROJECT_SOURCE_DIR}/host/run/form_recording.cpp
  ${PROJECT_SOURCE_DIR}/host/run/demo_mode.cpp)
target_link_libraries(qpx_script PUBLIC qpx_core)

add_library(qpx_run STATIC
  ${PROJECT_SOURCE_DIR}/host/run/runner.cpp
  ${PROJECT_SOURCE_DIR}/host/run/checks.cpp
  ${PROJECT_SOURCE_DIR}/host/run/run_results.cpp
  ${PROJECT_SOURCE_DIR}/host/run/junit_report.cpp
  ${PROJECT_SOURCE_DIR}/host/run/json_report.cpp
  ${PROJECT_SOURCE_DIR}/host/run/serve.cpp
  ${PROJECT_SOURCE_DIR}/host/run/serve_line.cpp
  ${PROJECT_SOURCE_DIR}/host/run/serve_answers.cpp)
target_link_libraries(qpx_run PUBLIC qpx_script qpx_headless qpx_png)

add_library(qpx_lessons STATIC
  ${PROJECT_SOURCE_DIR}/host/lessons/lesson.cpp
  ${PROJECT_SOURCE_DIR}/host/lessons/lesson_player.cpp
  ${PROJECT_SOURCE_DIR}/host/lessons/lesson_catalogue.cpp
  ${PROJECT_SOURCE_DIR}/host/lessons/lessons_window.cpp)
target_link_libraries(qpx_lessons PUBLIC qpx_script)
# The lessons are found in the source tree when neither $QPX_LESSONS nor an
# installed folder has them.
target_compile_definitions(qpx_lessons PRIVATE QPX_SOURCE_LESSONS="${PROJECT_SOURCE_DIR}/lessons")

add_executable(qpx-run ${PROJECT_SOURCE_DIR}/host/app/qpx_run.cpp)
target_link_libraries(qpx-run PRIVATE qpx_run qpx_lessons CLI11::CLI11)
target_compile_definitions(qpx-run PRIVATE QPX_VERSION="${PROJECT_VERSION}")
if(EMSCRIPTEN)
  qpx_web_program(qpx-run) # build-web/qpx-run.js, run by Node
endif()
