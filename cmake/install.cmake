# Installing the program and packaging it for Debian.
#
#   cmake --install <build dir> [--prefix /usr/local]
#   cd <build dir> && LANG=C.UTF-8 cpack -G DEB        (scripts/package.sh does both steps)
#
# Layout under the prefix:
#   lib/luckydraw/luckydraw, drum.wav, gong.wav   the program with its sounds, which it
#                                                 looks for in its own folder
#   bin/luckydraw                                 the launcher: opens the event folder (~/抽奖,
#                                                 made from the demo the first time) and
#                                                 starts the program there
#   share/luckydraw/demo/抽奖名单/                 the demo event
#   share/applications/luckydraw.desktop          the menu entry
#   share/metainfo/luckydraw.metainfo.xml         AppStream metadata
#   share/icons/hicolor/<N>x<N>/apps/luckydraw.png
# The launcher finds the program and the demo relative to itself, so the layout moves
# with the prefix as a whole.

# Installing needs only the program and what it is built with, not the tests and
# benchmarks: `cmake --build <build dir> --target luckydraw` before `cmake --install`.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(luckydraw_private_dir lib/luckydraw)
set(luckydraw_share_dir share/luckydraw)

install(TARGETS luckydraw RUNTIME DESTINATION ${luckydraw_private_dir})
install(FILES ${CMAKE_BINARY_DIR}/bin/drum.wav ${CMAKE_BINARY_DIR}/bin/gong.wav
        DESTINATION ${luckydraw_private_dir})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/luckydraw.sh DESTINATION bin RENAME luckydraw)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/demo/抽奖名单 DESTINATION ${luckydraw_share_dir}/demo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/luckydraw.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/luckydraw.metainfo.xml DESTINATION share/metainfo)
foreach(size IN ITEMS 16 24 32 48 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/assets/icon-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME luckydraw.png)
endforeach()

# ---- Debian package -----------------------------------------------------------------------

set(LUCKYDRAW_MAINTAINER "Lucky Draw developers <luckydraw@localhost>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME luckydraw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "lucky draw for a party or gala evening")
# One string (a semicolon would split a CMake list).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "One window shows the draw in large type and is the operator's console at the same\n"
  "time: names flicker in a red headline until Stop, and the winners are written down\n"
  "at once. An event is a folder of plain GBK text files. The menu entry opens ~/抽奖,\n"
  "made from a demo event the first time.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUCKYDRAW_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries the program links (libqt6core6, libqt6gui6 with the xcb platform,
# libqt6widgets6, libqt6multimedia6 with its sound backends) come from dpkg-shlibdeps.
# Both font packages are needed, not either: Noto CJK serves the plain faces and AR PL
# UKai the brush-style face of the headline and the Start button.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-arphic-ukai")
# The file shortcuts hand the data files to the desktop's opener. Qt's own translations
# turn its buttons and menus (Yes/No, OK, Copy/Paste) into the system's language; without
# them they stay English. The program's own messages are in the executable.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
include(CPack)
