# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Installing to the usual places of a Linux desktop program, and the .deb.
#   cmake --install build [--prefix /usr]       (DESTDIR=... for a staging root)
#   cd build && cpack                           (vexlo_<version>_<arch>.deb)
include(GNUInstallDirs)
set(VEXLO_APP_ID "org.vexlo.Vexlo")

install(TARGETS vexlo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VEXLO_FILTER_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/vexlo/filters)
install(FILES ${VEXLO_HELP_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/vexlo/help)
install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/${VEXLO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/${VEXLO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/res/icons/vexlo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${VEXLO_APP_ID}.svg)
foreach(side 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/res/icons/vexlo-${side}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps RENAME ${VEXLO_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/docs/vexlo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
target_compile_definitions(vexlo_core PUBLIC VEXLO_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/vexlo")

# The .deb: runtime dependencies from tools/debian-runtime-packages.txt.
file(STRINGS ${CMAKE_SOURCE_DIR}/tools/debian-runtime-packages.txt VEXLO_RUNTIME_LINES)
set(VEXLO_RUNTIME_PACKAGES "")
foreach(line ${VEXLO_RUNTIME_LINES})
  string(STRIP "${line}" line)
  if(line AND NOT line MATCHES "^#")
    list(APPEND VEXLO_RUNTIME_PACKAGES "${line}")
  endif()
endforeach()
list(JOIN VEXLO_RUNTIME_PACKAGES ", " VEXLO_DEB_DEPENDS)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vexlo")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Vexlo developers")
set(CPACK_PACKAGE_CONTACT "The Vexlo developers <support@vexlo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Record a region of the screen as a small animated GIF")
set(CPACK_PACKAGE_DESCRIPTION
  "Vexlo records a region of the screen, typically a video playing in a browser, and turns it\ninto a small animated GIF, with a frame editor (captions, crop, speed, reverse, rotate,\nfilters, cinemagraph, watermarks) and a preview to save, copy or send the result.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vexlo.org/")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${VEXLO_DEB_DEPENDS}")
set(CPACK_STRIP_FILES ON)
include(CPack)
