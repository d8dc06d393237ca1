# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# gif/: the generation pipeline (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gd_handles.h
  ${CMAKE_CURRENT_LIST_DIR}/ordered_parallel.h
  ${CMAKE_CURRENT_LIST_DIR}/generation_source.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence_source.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_sequence_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_files_source.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_files_source.cpp)
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/generation_settings.h
  ${CMAKE_CURRENT_LIST_DIR}/generation_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_generator.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_generator.cpp)
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frame_reducer.h
  ${CMAKE_CURRENT_LIST_DIR}/frame_reducer.cpp)
# The "压缩动画" levels: their own palettes, transparency and LZW writer.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/colour_histogram.h
  ${CMAKE_CURRENT_LIST_DIR}/colour_histogram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_palette.h
  ${CMAKE_CURRENT_LIST_DIR}/level_palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_options.h
  ${CMAKE_CURRENT_LIST_DIR}/level_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzw_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/lzw_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_stream_writer.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_stream_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_encoder.h
  ${CMAKE_CURRENT_LIST_DIR}/level_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_generation.h
  ${CMAKE_CURRENT_LIST_DIR}/level_generation.cpp)
