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
# Cinemagraph: the mask, the still set and applying it (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_mask.h
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_mask.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_still_set.h
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_still_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph.h
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph.cpp)
# Filter list: the previews and the layout (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filter_previews.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_previews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_list_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_list_layout.cpp)
# The filter dialog and its list (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filter_list_view.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_list_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_dialog.cpp)
# The cinemagraph tool window (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_dlg.cpp)
# The editor tools for the filter dialog and cinemagraph mode (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filter_tool.h
  ${CMAKE_CURRENT_LIST_DIR}/filter_tool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_mode.h
  ${CMAKE_CURRENT_LIST_DIR}/cinemagraph_mode.cpp)
# The watermark dialogs: their previews (core) and the two dialogs (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/watermark_preview.h
  ${CMAKE_CURRENT_LIST_DIR}/watermark_preview.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/logo_setting_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/logo_setting_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/txt_logo_setting_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/txt_logo_setting_dlg.cpp)
