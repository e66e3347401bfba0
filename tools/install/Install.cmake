# Installs like a Debian game: the program in bin/, the battlefield in
# share/games/ferrowind, a desktop entry, an icon and a man page; `cpack -G DEB`
# packs the same tree with the runtime libraries as dependencies.
include(GNUInstallDirs)
set(FERROWIND_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/ferrowind)

# The installed program finds its data from where it lies itself, so the tree
# can be moved (a package unpacked anywhere plays).
file(RELATIVE_PATH data_from_program
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${FERROWIND_DATA_DIR})
target_compile_definitions(ferrowind_game PRIVATE FERROWIND_DATA_FROM_PROGRAM="${data_from_program}")

install(TARGETS ferrowind RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The generated battlefield, without what a run of the game writes beside it.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${FERROWIND_DATA_DIR}
  PATTERN "*.blob" EXCLUDE
  PATTERN "output.txt" EXCLUDE
  PATTERN ".generated" EXCLUDE
  PATTERN "ferrowind.png" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/assets/ferrowind.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/ferrowind.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

find_program(GZIP gzip REQUIRED)
set(man_page ${CMAKE_BINARY_DIR}/ferrowind.6.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND ${GZIP} -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/ferrowind.6 > ${man_page}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/ferrowind.6
  COMMENT "Compressing the man page")
add_custom_target(man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_PACKAGE_NAME ferrowind)
set(CPACK_PACKAGE_VENDOR "Ferrowind developers")
set(CPACK_PACKAGE_CONTACT "Ferrowind developers <ferrowind@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tank battle for several players on one local network")
set(CPACK_PACKAGE_DESCRIPTION "Real-time 3D tank battle: every copy on the network is a peer, and the\n battlefield is drawn with OpenGL shader programs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
