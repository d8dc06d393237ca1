# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# res/: ids and the string table (core), icons and pictures (.qrc, ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/resource.h
  ${CMAKE_CURRENT_LIST_DIR}/string_table.h
  ${CMAKE_CURRENT_LIST_DIR}/string_table.cpp)
