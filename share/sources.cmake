# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# share/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/modal_progress.h)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/progress_wnd.h
  ${CMAKE_CURRENT_LIST_DIR}/progress_wnd.cpp)
# Preview and save: geometry, file facts, copy, clipboard data, help pages, icons (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/preview_geometry.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_file_info.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_file_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_file_copy.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_file_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_pages.h
  ${CMAKE_CURRENT_LIST_DIR}/help_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_icons.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_icons.cpp)
# The preview and the large-file notice (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/preview_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/preview_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blank_notice_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/blank_notice_dlg.cpp)
# Version check and About: the version lines (core), the two dialogs (ui).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/version_info.h
  ${CMAKE_CURRENT_LIST_DIR}/version_info.cpp)
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/update_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/update_dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/about_dlg.cpp)
# Send to phone: QR payload and picture, this machine's addresses, the one-transfer LAN server (core).
find_package(Qt6 REQUIRED COMPONENTS Network)
target_link_libraries(vexlo_core PUBLIC Qt6::Network)
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qr_payload.h
  ${CMAKE_CURRENT_LIST_DIR}/qr_payload.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qr_symbol.h
  ${CMAKE_CURRENT_LIST_DIR}/qr_symbol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qr_image.h
  ${CMAKE_CURRENT_LIST_DIR}/qr_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lan_send_addresses.h
  ${CMAKE_CURRENT_LIST_DIR}/lan_send_addresses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lan_send_thread.h
  ${CMAKE_CURRENT_LIST_DIR}/lan_send_thread.cpp)
# The send-to-phone dialog (ui).
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qr_code_dlg.h
  ${CMAKE_CURRENT_LIST_DIR}/qr_code_dlg.cpp)
