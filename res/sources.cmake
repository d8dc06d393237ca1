# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# res/: ids and the string table (core), icons and pictures (.qrc, ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/resource.h
  ${CMAKE_CURRENT_LIST_DIR}/string_table.h
  ${CMAKE_CURRENT_LIST_DIR}/string_table.cpp)
# The application icon (PNG sizes of res/icons/vexlo.svg) as a Qt resource.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/app_icon.h
  ${CMAKE_CURRENT_LIST_DIR}/app_icon.cpp)
qt_add_resources(vexlo_core "vexlo_icons" PREFIX "/icons" BASE "${CMAKE_CURRENT_LIST_DIR}/icons"
  FILES
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-16.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-22.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-24.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-32.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-48.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-64.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-128.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/vexlo-256.png
  ${CMAKE_CURRENT_LIST_DIR}/icons/banner.png)
