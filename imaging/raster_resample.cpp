// Resampling (pending).
#include "imaging/raster_image.h"
bool RasterImage::resampleNearest(int, int) { return false; }
bool RasterImage::resampleSmooth(int, int) { return false; }
