# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# editor/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/caption_font.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption_item.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_item.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption_list.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_list.cpp)
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/caption_renderer.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_renderer.cpp)
# Output size: the arithmetic (core) and the dialog (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/output_size.h
  ${CMAKE_CURRENT_LIST_DIR}/output_size.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/size_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/size_dlg.cpp)
# Crop: the arithmetic and the tracker rectangle (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/crop_rect.h
  ${CMAKE_CURRENT_LIST_DIR}/crop_frames.h
  ${CMAKE_CURRENT_LIST_DIR}/crop_frames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crop_tracker.h
  ${CMAKE_CURRENT_LIST_DIR}/crop_tracker.cpp)
# Editor dialog and frame strip: picture and strip geometry and the frame
# operations (core), the windows (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/picture_geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_shrink.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_shrink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strip_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/strip_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_ops.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_ops.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/editor_tool.h
  ${CMAKE_CURRENT_LIST_DIR}/editor_tools.h
  ${CMAKE_CURRENT_LIST_DIR}/editor_tools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_icons.h
  ${CMAKE_CURRENT_LIST_DIR}/editor_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption_list_control.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_list_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/combo_select.h
  ${CMAKE_CURRENT_LIST_DIR}/combo_select.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x_list_view.h
  ${CMAKE_CURRENT_LIST_DIR}/x_list_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/add_text_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/add_text_dlg.cpp)
# Crop mode: the editor tool (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/crop_mode.h
  ${CMAKE_CURRENT_LIST_DIR}/crop_mode.cpp)
# Captions in the editor: the editing rules and the preview (core), the caption
# list's control and its editing hook and the panel of caption controls (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/caption_editing.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption_preview_renderer.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_preview_renderer.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cell_edit_hook.h
  ${CMAKE_CURRENT_LIST_DIR}/cell_edit_hook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_ctrl_ex.h
  ${CMAKE_CURRENT_LIST_DIR}/list_ctrl_ex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/caption_panel.h
  ${CMAKE_CURRENT_LIST_DIR}/caption_panel.cpp)
