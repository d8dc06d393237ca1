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
# The watermark dialogs: their previews (core) and the two dialogs (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/watermark_preview.h
  ${CMAKE_CURRENT_LIST_DIR}/watermark_preview.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/logo_setting_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/logo_setting_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/txt_logo_setting_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/txt_logo_setting_dlg.cpp)
