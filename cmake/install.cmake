# Installing the simulator: `cmake --install` puts the two programs, their
# manual pages, the desktop entry, the icons, the AppStream metadata and the
# documentation (README and the documents in docs/ with their pictures, the
# examples and the scenarios with their reference frames and state files) and
# the lessons under the prefix; `cpack -G DEB` makes
# the Debian package qpx-sim_VERSION_ARCH.deb of the same files
# (scripts/package builds it in a release tree and checks it).
#
# The installed programs need nothing from the source tree: the face picture
# is compiled into qpx-sim, and the scenarios find their references and state
# files relative to their own folder.
#
# The files of the package itself are in packaging/: the desktop entry, the
# AppStream metadata, the Debian copyright file and changelog, and the icons.
# The 128 and 256 pixel icons are the face picture made small with
# ImageMagick:
#   /usr/bin/convert host/face/face.jpg -filter Lanczos -resize 128x128 -strip \
#       -define png:exclude-chunks=date,time packaging/icons/qpx-sim-128.png
# (and likewise at 256). At 48 pixels that picture blurs, so that icon is
# drawn for its size by packaging/icons/draw_icon_48.py.

include(GNUInstallDirs)

set(QPX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# Debian names the documentation folder after the package, not the project.
set(QPX_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/qpx-sim)

# The manual pages, written in scdoc (docs/man/), and the changelog, both
# compressed as Debian wants them: gzip -9n, with no name or time stamp in
# the header, so that the same source gives the same bytes. Each file is
# written beside its name and renamed, so that a failed step leaves nothing
# that looks up to date.
find_program(QPX_SCDOC scdoc REQUIRED)
find_program(QPX_GZIP gzip REQUIRED)
set(qpx_to_page [["$1" < "$2" > "$3.tmp" && mv "$3.tmp" "$3"]])
set(qpx_to_gzip [["$1" -9n -c "$2" > "$3.tmp" && mv "$3.tmp" "$3"]])
set(qpx_generated_docs)
foreach(program qpx-sim qpx-run)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${program}.1.scd)
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c ${qpx_to_page} sh ${QPX_SCDOC} ${source} ${page}
    COMMAND sh -c ${qpx_to_gzip} sh ${QPX_GZIP} ${page} ${page}.gz
    DEPENDS ${source}
    COMMENT "Manual page ${program}(1)"
    VERBATIM)
  list(APPEND qpx_generated_docs ${page}.gz)
endforeach()
set(qpx_changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${qpx_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND sh -c ${qpx_to_gzip} sh ${QPX_GZIP} ${QPX_PACKAGING_DIR}/changelog ${qpx_changelog}
  DEPENDS ${QPX_PACKAGING_DIR}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
list(APPEND qpx_generated_docs ${qpx_changelog})
add_custom_target(qpx_docs ALL DEPENDS ${qpx_generated_docs})

install(TARGETS qpx-sim qpx-run RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/man/qpx-sim.1.gz ${PROJECT_BINARY_DIR}/man/qpx-run.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${QPX_PACKAGING_DIR}/qpx-sim.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 128 256)
  install(FILES ${QPX_PACKAGING_DIR}/icons/qpx-sim-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME qpx-sim.png)
endforeach()
install(FILES ${QPX_PACKAGING_DIR}/org.qpx2.qpx_sim.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The documentation folder: from it, `qpx-run scenarios/*.txt` runs the
# scenarios as CI does (with --out pointing somewhere writable).
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${QPX_PACKAGING_DIR}/copyright ${qpx_changelog}
  DESTINATION ${QPX_INSTALL_DOCDIR})
# The documents the README links, with their pictures, in the same places
# relative to it, so that the installed copy links nothing that is missing
# (scripts/package checks its links).
file(GLOB qpx_documents CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md ${PROJECT_SOURCE_DIR}/docs/*.png)
install(FILES ${qpx_documents} DESTINATION ${QPX_INSTALL_DOCDIR}/docs)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/screens DESTINATION ${QPX_INSTALL_DOCDIR}/docs)
install(FILES ${PROJECT_SOURCE_DIR}/examples/state.toml ${PROJECT_SOURCE_DIR}/examples/engine-run.csv
  ${PROJECT_SOURCE_DIR}/examples/flight-log.csv ${PROJECT_SOURCE_DIR}/examples/flight-log.py
  DESTINATION ${QPX_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/integrations/flightgear/qpx.xml
  DESTINATION ${QPX_INSTALL_DOCDIR}/integrations/flightgear)
file(GLOB qpx_scenario_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scenarios/*.txt)
install(FILES ${qpx_scenario_scripts} DESTINATION ${QPX_INSTALL_DOCDIR}/scenarios)
file(GLOB qpx_fault_scenario_scripts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scenarios/faults/*.txt)
install(FILES ${qpx_fault_scenario_scripts} DESTINATION ${QPX_INSTALL_DOCDIR}/scenarios/faults)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/scenarios/refs ${PROJECT_SOURCE_DIR}/scenarios/states
  DESTINATION ${QPX_INSTALL_DOCDIR}/scenarios)

# The lessons with the state file they start from, where the window's list of
# lessons looks for them when installed.
file(GLOB qpx_lesson_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/lessons/*.txt ${PROJECT_SOURCE_DIR}/lessons/*.toml)
install(FILES ${qpx_lesson_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/qpx-sim/lessons)

# The Debian package. dpkg-shlibdeps (dpkg-dev) works out the libraries it
# depends on from the stripped programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qpx-sim)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The QPX-2 simulator authors")
set(CPACK_PACKAGE_CONTACT "The QPX-2 simulator authors <qpx-sim@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of the QPX-2 aircraft engine instrument")
set(CPACK_PACKAGE_DESCRIPTION [[
The QPX-2 is a panel-mounted aircraft engine instrument: a manifold
pressure gauge with tachometer, Hobbs meter, maintenance countdown,
flight timer and flight log. qpx-sim runs its complete control logic in
one desktop window: measurement and filtering, alarms, time keeping,
every screen and menu, and all drawing into its 128 x 64 dot display.
The keys, the knob and the sensors are driven with the mouse or the
keyboard; the clock can run sixty times as fast, state files set the
instrument's times and flight log, and a store keeps engine time between
runs.

qpx-run runs the same instrument without a display from scenario scripts
and checks the frames, texts and values they expect; sessions recorded
in the window replay as scenarios. The package holds the scenarios of the
simulator with their reference frames, and ten lessons that walk a pilot
through every screen of the instrument.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The lessons and the state files they load, where the Lessons window
# (key L) finds them beside the program: share/qpx-sim/lessons.
file(GLOB qpx_lesson_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/lessons/*.txt
  ${PROJECT_SOURCE_DIR}/lessons/*.toml)
if(qpx_lesson_files)
  install(FILES ${qpx_lesson_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/qpx-sim/lessons)
endif()
