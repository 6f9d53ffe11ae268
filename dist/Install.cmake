# What `cmake --install` puts where, after Debian's games: the programs in games/, the shipped data in
# share/games/teijiroku/ini (read only: the programs copy it into the player's own folder), manual
# pages in section 6, and, with the game window, its desktop entry, AppStream metainfo and icons.
# `cpack -G DEB` in a build folder packs the same files as teijiroku_<version>_<arch>.deb.

set(TEIJIROKU_APP_ID "io.github.teijiroku.teijiroku" CACHE STRING
    "The AppStream component ID, also the desktop entry's name (a reverse domain name of the project)")
set(TEIJIROKU_SCREENSHOT_URL "" CACHE STRING
    "The public folder serving docs/screenshots/, for the metainfo's screenshots; none when empty")
set(TEIJIROKU_PACKAGE_MAINTAINER "The Teijiroku developers" CACHE STRING "The Debian package's Maintainer")
foreach(dir TEIJIROKU_INSTALL_GAMESDIR TEIJIROKU_INSTALL_GAMEDATADIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} is a folder under the prefix, not an absolute path: ${${dir}}")
  endif()
endforeach()

install(TARGETS teijiroku-cli RUNTIME DESTINATION ${TEIJIROKU_INSTALL_GAMESDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ini DESTINATION ${TEIJIROKU_INSTALL_GAMEDATADIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, compressed as Debian keeps them.
set(manual_pages teijiroku-cli)
if(TEIJIROKU_SCREENS)
  list(APPEND manual_pages teijiroku)
endif()
foreach(page IN LISTS manual_pages)
  set(source ${PROJECT_SOURCE_DIR}/dist/man/${page}.6)
  set(packed ${CMAKE_BINARY_DIR}/man/${page}.6.gz)
  add_custom_command(OUTPUT ${packed}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND gzip -9nc ${source} > ${packed}
                     DEPENDS ${source})
  list(APPEND packed_pages ${packed})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${packed_pages})
install(FILES ${packed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

if(TEIJIROKU_SCREENS)
  install(TARGETS teijiroku RUNTIME DESTINATION ${TEIJIROKU_INSTALL_GAMESDIR})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

  set(METAINFO_OUTPUT ${CMAKE_BINARY_DIR}/dist/${TEIJIROKU_APP_ID}.metainfo.xml)
  include(${PROJECT_SOURCE_DIR}/dist/Metainfo.cmake)
  install(FILES ${METAINFO_OUTPUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The desktop entry starts the game window by its absolute path, which is known only when installing
  # (`cmake --install --prefix` may choose another prefix than the build's).
  install(CODE "set(TEIJIROKU_INSTALL_GAMESDIR \"${TEIJIROKU_INSTALL_GAMESDIR}\")
set(TEIJIROKU_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/dist/teijiroku.desktop.in\")
set(TEIJIROKU_DESKTOP_STAGING \"${CMAKE_BINARY_DIR}/dist/${TEIJIROKU_APP_ID}.desktop\")
set(TEIJIROKU_DESKTOP_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/dist/InstallDesktopEntry.cmake)
endif()

# The Debian package. dpkg-shlibdeps finds the libraries the programs link (Qt Widgets, Qt Charts for
# the history charts, the C++ runtime); the rest is listed: the Japanese font without which every
# Japanese text shows as boxes, and Qt's own Japanese texts for the message boxes' buttons.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME teijiroku)
set(CPACK_PACKAGE_VENDOR "The Teijiroku developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based grand strategy among the warlords of late Han China")
# The first line of the package's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "鼎峙録・覇業編 (Teijiroku: Hagyō-hen) is a turn-based grand-strategy game with a
Japanese user interface. Twelve or thirteen factions band into up to three
alliances; every year each picks one of a few strategy offers, all offers are
resolved at once by contests between officers, and everything is told as
Japanese narrative and kept in a chronicle. Several people can share one
screen; the computer plays the other factions.
.
teijiroku is the game window; teijiroku-cli plays whole games without one and
checks scenario data.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TEIJIROKU_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TEIJIROKU_SCREENS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
endif()
include(CPack)
