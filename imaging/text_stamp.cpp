// Text stamping (pending).
#include "imaging/raster_image.h"
bool stampText(RasterImage&, int, int, const std::string&, ColorRef, const StampFont&) { return true; }
bool stampBoxedText(RasterImage&, int, int, const std::string&, ColorRef, const StampFont&, ColorRef) { return true; }
bool measureStampText(const std::string&, const StampFont&, int& w, int& h) { w = h = 0; return false; }
