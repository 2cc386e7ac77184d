# Installing the game as a desktop game: the program in the games folder, its
# data under share, a launcher, icons, metadata for software centres and a
# manual page; and the Debian package made of the same installation.

set(TORVANEX_INSTALL_BINDIR games CACHE STRING "Where the program is installed, under the prefix")
set(TORVANEX_INSTALL_DATADIR ${CMAKE_INSTALL_DATAROOTDIR}/games/torvanex CACHE STRING
  "Where the data files are installed, under the prefix")

# The program looks for its data relative to itself first, so an installation
# moved elsewhere as a whole (or packaged under another prefix) still works.
file(RELATIVE_PATH TORVANEX_DATA_FROM_PROGRAM
  ${CMAKE_INSTALL_PREFIX}/${TORVANEX_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${TORVANEX_INSTALL_DATADIR})
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/src/services/folders.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  TORVANEX_DATA_FROM_PROGRAM="${TORVANEX_DATA_FROM_PROGRAM}"
  TORVANEX_INSTALLED_DATA="${CMAKE_INSTALL_PREFIX}/${TORVANEX_INSTALL_DATADIR}")

install(TARGETS torvanex RUNTIME DESTINATION ${TORVANEX_INSTALL_BINDIR})

# The data files are generated at build time beside the program, where a game
# played from the build folder also leaves its settings and scores: only the
# data is taken.
install(CODE "
  file(GLOB data_files LIST_DIRECTORIES false
    \"${CMAKE_BINARY_DIR}/*.wrk\" \"${CMAKE_BINARY_DIR}/*.skn\" \"${CMAKE_BINARY_DIR}/*.wav\"
    \"${CMAKE_BINARY_DIR}/*.mid\" \"${CMAKE_BINARY_DIR}/arial8\" \"${CMAKE_BINARY_DIR}/times16\"
    \"${CMAKE_BINARY_DIR}/help.txt\" \"${CMAKE_BINARY_DIR}/manual.html\" \"${CMAKE_BINARY_DIR}/torvanex.bmp\")
  if(NOT data_files)
    message(FATAL_ERROR \"No generated data files in ${CMAKE_BINARY_DIR}: build the game first\")
  endif()
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TORVANEX_INSTALL_DATADIR}\" TYPE FILE
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ FILES \${data_files})
")

foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/torvanex-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps RENAME torvanex.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/icons/torvanex.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES packaging/torvanex.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES packaging/io.github.torvanex.Torvanex.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/torvanex.6.gz
    COMMAND sh -c "'${GZIP_PROGRAM}' -9nc '${CMAKE_CURRENT_SOURCE_DIR}/packaging/torvanex.6' > torvanex.6.gz"
    DEPENDS packaging/torvanex.6
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    VERBATIM)
  add_custom_target(manual_page ALL DEPENDS ${CMAKE_BINARY_DIR}/torvanex.6.gz)
  install(FILES ${CMAKE_BINARY_DIR}/torvanex.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
  install(FILES packaging/torvanex.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/torvanex RENAME copyright)

# cpack -G DEB in the build folder (scripts/run.sh package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvanex)
set(CPACK_PACKAGE_VENDOR "The Torvanex developers")
set(CPACK_PACKAGE_CONTACT "The Torvanex developers <maintainers@torvanex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: close loops of pipes against a rising pace")
set(CPACK_PACKAGE_DESCRIPTION "Turn pipe pieces on a 12 x 12 board to close loops, or join blocks with
lines, against a rising pace, for a place in the top-score tables. Three
modes, two levels, three skins, music and sound effects.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://torvanex.github.io/)
# The libraries the program links (SDL2, SDL2_mixer and the C++ run time) are
# found by dpkg-shlibdeps; the music needs a General MIDI soundfont besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_STRIP_FILES ON)
include(CPack)
