# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# vexlo_imaging: RasterImage, codecs, resampling, transforms, text stamping, octree.
target_sources(vexlo_imaging PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/raster_image.h
  ${CMAKE_CURRENT_LIST_DIR}/image_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_codecs.h
  ${CMAKE_CURRENT_LIST_DIR}/image_codecs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_transform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_blend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_qt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/raster_resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_stamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_codec.h
  ${CMAKE_CURRENT_LIST_DIR}/png_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_fast_decoder.h
  ${CMAKE_CURRENT_LIST_DIR}/png_fast_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_codec.h
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_codec.cpp)
# Colour reduction.
target_sources(vexlo_imaging PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/palette_lookup.h
  ${CMAKE_CURRENT_LIST_DIR}/palette_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/octree_quantizer.h
  ${CMAKE_CURRENT_LIST_DIR}/octree_quantizer.cpp)
# Our own GIF decoder and BMP codec.
target_sources(vexlo_imaging PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/byte_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_decoder.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_canvas.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_composer.h
  ${CMAKE_CURRENT_LIST_DIR}/gif_composer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_codec.h
  ${CMAKE_CURRENT_LIST_DIR}/bmp_codec.cpp)
