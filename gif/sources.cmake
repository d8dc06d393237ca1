# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# gif/: the generation pipeline (core).
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gd_handles.h
  ${CMAKE_CURRENT_LIST_DIR}/gd_handles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ordered_parallel.h
  ${CMAKE_CURRENT_LIST_DIR}/object_pool.h
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
# The stages of a generation and the seam between composition and encoding.
target_sources(vexlo_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/composed_frame.h
  ${CMAKE_CURRENT_LIST_DIR}/palette_frame.h
  ${CMAKE_CURRENT_LIST_DIR}/generation_run.h
  ${CMAKE_CURRENT_LIST_DIR}/generation_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compose_stage.h
  ${CMAKE_CURRENT_LIST_DIR}/compose_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette_stage.h
  ${CMAKE_CURRENT_LIST_DIR}/colour_gatherer.h
  ${CMAKE_CURRENT_LIST_DIR}/colour_gatherer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/palette_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reduce_stage.h
  ${CMAKE_CURRENT_LIST_DIR}/reduce_write_pipeline.h
  ${CMAKE_CURRENT_LIST_DIR}/reduce_write_pipeline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reduce_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/merge_stage.h
  ${CMAKE_CURRENT_LIST_DIR}/merge_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/write_stage.h
  ${CMAKE_CURRENT_LIST_DIR}/write_stage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_frame_encoder.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_frame_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encoder_stages.h
  ${CMAKE_CURRENT_LIST_DIR}/encoder_stages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/octree_gif_encoder.h
  ${CMAKE_CURRENT_LIST_DIR}/octree_gif_encoder.cpp)
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
  ${CMAKE_CURRENT_LIST_DIR}/level_generation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_gif_encoder.h
  ${CMAKE_CURRENT_LIST_DIR}/level_gif_encoder.cpp)
