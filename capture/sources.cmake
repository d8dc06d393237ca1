# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# capture/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frame_record.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_import.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_import.cpp)
# Recording and generation worker (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/worker_thread.h
  ${CMAKE_CURRENT_LIST_DIR}/worker_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_state.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_colors.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_button_pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_button_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_folder_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_folder_writer.cpp)
# The capture window and its three bars (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capture_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/side_bar_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/side_bar_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/left_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/left_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/right_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/right_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bottom_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/bottom_dialog.cpp)
# Starting a generation (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/generation_start.h
  ${CMAKE_CURRENT_LIST_DIR}/generation_start.cpp)
# What a paste or a drop on the capture window opens (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gif_open_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_open_rules.cpp)
# The capture controller: the state, the worker, the output (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capture_bar_status.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_controller.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_controller.cpp)
# The More menu: its marks and setting commands (core), the menu itself (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/more_menu_settings.h
  ${CMAKE_CURRENT_LIST_DIR}/more_menu_settings.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/more_menu.h
  ${CMAKE_CURRENT_LIST_DIR}/more_menu.cpp)
