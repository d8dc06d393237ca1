# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# app/: settings and start-up probes (core), the application object and the
# text scale dialog (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/translations.h
  ${CMAKE_CURRENT_LIST_DIR}/translations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_settings.h
  ${CMAKE_CURRENT_LIST_DIR}/app_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_scale.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_sequence.h
  ${CMAKE_CURRENT_LIST_DIR}/startup_sequence.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capture_app.h
  ${CMAKE_CURRENT_LIST_DIR}/capture_app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_scale_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/text_scale_dlg.cpp)
# The program: command line and start-up.
target_sources(vexlo PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_gif.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_record.cpp)
# The shared parser of the subcommands' command lines (core, so it is tested alone).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cli_parser.h
  ${CMAKE_CURRENT_LIST_DIR}/cli_parser.cpp)
# vexlo send
target_sources(vexlo PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cmd_send.h
  ${CMAKE_CURRENT_LIST_DIR}/cmd_send.cpp)
