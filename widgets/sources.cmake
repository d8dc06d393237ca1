# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# widgets/: owner-drawn buttons, labels, hyperlinks, colour picker, numeric edit.
# Drawing decisions and arithmetic (no QtWidgets) go to vexlo_core.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/icon_button_colors.h
  ${CMAKE_CURRENT_LIST_DIR}/icon_button_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icon_button_look.h
  ${CMAKE_CURRENT_LIST_DIR}/icon_button_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_palette_layout.h
  ${CMAKE_CURRENT_LIST_DIR}/color_palette_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hyperlink_rules.h
  ${CMAKE_CURRENT_LIST_DIR}/hyperlink_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/num_edit_value.h
  ${CMAKE_CURRENT_LIST_DIR}/num_edit_value.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_height_font.h
  ${CMAKE_CURRENT_LIST_DIR}/cell_height_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_pixel_sampler.h
  ${CMAKE_CURRENT_LIST_DIR}/screen_pixel_sampler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eyedropper_cursor.h
  ${CMAKE_CURRENT_LIST_DIR}/eyedropper_cursor.cpp)
# The controls.
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/icon_button.h
  ${CMAKE_CURRENT_LIST_DIR}/icon_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_bitmap_button.h
  ${CMAKE_CURRENT_LIST_DIR}/my_bitmap_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hyperlink_static.h
  ${CMAKE_CURRENT_LIST_DIR}/hyperlink_static.cpp
  ${CMAKE_CURRENT_LIST_DIR}/styled_label.h
  ${CMAKE_CURRENT_LIST_DIR}/styled_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_picker_button.h
  ${CMAKE_CURRENT_LIST_DIR}/color_picker_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_palette_popup.h
  ${CMAKE_CURRENT_LIST_DIR}/color_palette_popup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/num_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/num_edit.cpp)
# A slider with plain tick marks.
target_sources(vexlo_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/tick_slider.h
  ${CMAKE_CURRENT_LIST_DIR}/tick_slider.cpp)
