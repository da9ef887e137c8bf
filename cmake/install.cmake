# Installation as a desktop game:
#   bin/tavuna                      launcher: starts the game in its data folder
#   libexec/tavuna/tavuna           the game itself
#   share/tavuna/                   pictures, sounds and font, as the build made them
#   share/applications/tavuna.desktop
#   share/icons/hicolor/128x128/apps/tavuna.png
# The launcher finds the other two from its own place, so any prefix given
# to `cmake --install --prefix` works.
include(GNUInstallDirs)

set(TAVUNA_INSTALL_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/tavuna)
set(TAVUNA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tavuna)

install(TARGETS tavuna RUNTIME DESTINATION ${TAVUNA_INSTALL_GAME_DIR})
install(DIRECTORY ${TAVUNA_DATA_DIR}/ DESTINATION ${TAVUNA_INSTALL_DATA_DIR}
        PATTERN .stamp EXCLUDE)

file(RELATIVE_PATH TAVUNA_BIN_TO_GAME /${CMAKE_INSTALL_BINDIR} /${TAVUNA_INSTALL_GAME_DIR})
file(RELATIVE_PATH TAVUNA_BIN_TO_DATA /${CMAKE_INSTALL_BINDIR} /${TAVUNA_INSTALL_DATA_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/tavuna.sh.in ${CMAKE_BINARY_DIR}/install/tavuna @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/tavuna DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/tavuna.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon is the red boat on a transparent 128 x 128 square, made from the
# generated picture.  ImageMagick leaves out its time stamps, so the same
# boat always gives the same file.
find_program(TAVUNA_CONVERT convert)
if(NOT TAVUNA_CONVERT)
  message(FATAL_ERROR "ImageMagick's convert makes the icon; scripts/install-deps.sh installs it")
endif()
set(TAVUNA_ICON ${CMAKE_BINARY_DIR}/install/tavuna.png)
add_custom_command(
  OUTPUT ${TAVUNA_ICON}
  COMMAND ${TAVUNA_CONVERT} ${TAVUNA_DATA_DIR}/lodcervena.bmp -transparent "rgb(255,0,255)"
          -background none -gravity center -extent 128x128
          -define png:exclude-chunks=date,time +set comment PNG32:${TAVUNA_ICON}
  DEPENDS ${TAVUNA_DATA_DIR}/.stamp
  COMMENT "Making the icon from the red boat"
  VERBATIM)
add_custom_target(icon ALL DEPENDS ${TAVUNA_ICON})
add_dependencies(icon data)
install(FILES ${TAVUNA_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
