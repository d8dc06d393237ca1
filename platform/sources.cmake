# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# platform/: the small layer standing where Windows interfaces were.
# Core (no QtWidgets) files go to vexlo_core, windowed ones to vexlo_ui.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/window_message.h
  ${CMAKE_CURRENT_LIST_DIR}/window_message.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_thread.h
  ${CMAKE_CURRENT_LIST_DIR}/message_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.h
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_paths.h
  ${CMAKE_CURRENT_LIST_DIR}/app_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sys_colors.h
  ${CMAKE_CURRENT_LIST_DIR}/sys_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_units.h
  ${CMAKE_CURRENT_LIST_DIR}/dialog_units.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/control_id.h
  ${CMAKE_CURRENT_LIST_DIR}/control_id.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_prompts.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_prompts.cpp)
# Screen grabbing (X11 with XShm and XFixes; a null backend without a display).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/screen_grabber.h
  ${CMAKE_CURRENT_LIST_DIR}/screen_grabber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/null_screen_grabber.h
  ${CMAKE_CURRENT_LIST_DIR}/null_screen_grabber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pointer_track.h
  ${CMAKE_CURRENT_LIST_DIR}/pointer_track.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_screen_grabber.h
  ${CMAKE_CURRENT_LIST_DIR}/x11_screen_grabber.cpp)
# SIGTERM / SIGINT / SIGHUP as a request to close normally.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/termination_signals.h
  ${CMAKE_CURRENT_LIST_DIR}/termination_signals.cpp)
# The profile store and the shipped data folders (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/profile_store.h
  ${CMAKE_CURRENT_LIST_DIR}/profile_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data_dirs.h
  ${CMAKE_CURRENT_LIST_DIR}/data_dirs.cpp)
# File-dialog filters shared by the windows (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/file_filters.h)
# The text of an errno value (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/errno_text.h
  ${CMAKE_CURRENT_LIST_DIR}/errno_text.cpp)
