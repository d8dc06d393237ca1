# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# effects/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filter_lut.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_lut.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_watermark.h
  ${CMAKE_CURRENT_LIST_DIR}/image_watermark.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_watermark.h
  ${CMAKE_CURRENT_LIST_DIR}/text_watermark.cpp)
