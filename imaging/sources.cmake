# vexlo_imaging: RasterImage, codecs, resampling, transforms, text stamping, octree.
target_sources(vexlo_imaging PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/raster_image.h
  ${CMAKE_CURRENT_LIST_DIR}/image_type.cpp)
