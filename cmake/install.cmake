# Installing the game: `cmake --install` puts the executable in bin/, the
# generated data/ with readme.txt and credits.txt in share/tarvo/, the
# desktop entry, the icon and the man page where the desktop looks for them;
# `cpack -G DEB` makes a Debian package of the same tree.
include(GNUInstallDirs)

# Where the installed executable finds its data, relative to its own folder.
set(TARVO_INSTALL_DATA ${CMAKE_INSTALL_DATADIR}/tarvo)
file(RELATIVE_PATH TARVO_INSTALL_DATA_RELATIVE
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${TARVO_INSTALL_DATA})
target_compile_definitions(tarvo_app PRIVATE TARVO_INSTALL_DATA_RELATIVE="${TARVO_INSTALL_DATA_RELATIVE}")

# The player's guide and the credits the menus point to lie beside data/, in
# the build as in the installed game.
configure_file(${PROJECT_SOURCE_DIR}/docs/readme.txt ${CMAKE_BINARY_DIR}/readme.txt COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/credits.txt ${CMAKE_BINARY_DIR}/credits.txt COPYONLY)

# The man page, compressed as Debian keeps them.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/tarvo.6.gz
  COMMAND sh -c "gzip -9 -n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/docs/tarvo.6 ${CMAKE_BINARY_DIR}/tarvo.6.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/tarvo.6
  COMMENT "Compressing the man page"
  VERBATIM)
add_custom_target(tarvo_man ALL DEPENDS ${CMAKE_BINARY_DIR}/tarvo.6.gz)

install(TARGETS tarvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only what the game reads: a save or screenshots left in the build's data/
# by a test run stay behind.
install(DIRECTORY ${TARVO_DATA_DIR}/ DESTINATION ${TARVO_INSTALL_DATA}/data
  FILES_MATCHING PATTERN "config.cfg" PATTERN "*.webp" PATTERN "*.opus" PATTERN "*.t3bsp" PATTERN "*.vis"
  PATTERN "screenshots" EXCLUDE PATTERN "demos" EXCLUDE)
install(FILES ${CMAKE_BINARY_DIR}/readme.txt ${CMAKE_BINARY_DIR}/credits.txt DESTINATION ${TARVO_INSTALL_DATA})
install(FILES ${PROJECT_SOURCE_DIR}/docs/tarvo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/tarvo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The window icon (a 64-pixel image the asset generator draws) as the PNG
# the desktop's icon theme wants.
find_program(TARVO_DWEBP dwebp)
if(TARVO_DWEBP AND TARVO_DATA)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/tarvo.png
    COMMAND ${TARVO_DWEBP} -quiet ${TARVO_DATA_DIR}/textures/icon.webp -o ${CMAKE_BINARY_DIR}/tarvo.png
    DEPENDS tarvo_data
    COMMENT "Converting the icon for the desktop"
    VERBATIM)
  add_custom_target(tarvo_icon ALL DEPENDS ${CMAKE_BINARY_DIR}/tarvo.png)
  install(FILES ${CMAKE_BINARY_DIR}/tarvo.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
else()
  message(WARNING "dwebp (Debian package webp) or the generated data is missing: the icon is not installed")
endif()

# The Debian package: its dependencies are the runtime libraries the
# executable links, as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo)
set(CPACK_PACKAGE_VENDOR "Tarvo developers")
set(CPACK_PACKAGE_CONTACT "Tarvo developers <tarvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "retro first-person shooter")
set(CPACK_PACKAGE_DESCRIPTION
  "A first-person shooter with a seventeen-level campaign, five weapons, fourteen kinds of enemy and seven hidden mice, drawn with OpenGL over light-mapped BSP levels. Plays with keyboard and mouse or a gamepad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens the GLX library at run time, which no linked library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_STRIP_FILES ON)
include(CPack)
