// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <algorithm>
#include <cctype>
#include <cstring>

#include "imaging/raster_image.h"

ImageType imageTypeFromPath(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return ImageTypeUnknown;
    std::string ext = path.substr(dot + 1, 3);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    struct Entry {
        const char* ext;
        ImageType type;
    };
    static const Entry kTable[] = {
        {"bmp", ImageTypeBmp}, {"gif", ImageTypeGif}, {"jpg", ImageTypeJpg}, {"jpe", ImageTypeJpg},
        {"jfi", ImageTypeJpg}, {"png", ImageTypePng}, {"ico", ImageTypeIco}, {"cur", ImageTypeIco},
        {"tif", ImageTypeTif}, {"tga", ImageTypeTga}, {"pcx", ImageTypePcx}, {"wbm", ImageTypeWbmp},
        {"wmf", ImageTypeWmf}, {"emf", ImageTypeWmf}, {"jp2", ImageTypeJp2}, {"j2k", ImageTypeJp2},
        {"jpc", ImageTypeJpc}, {"j2c", ImageTypeJpc}, {"pgx", ImageTypePgx}, {"pnm", ImageTypePnm},
        {"pgm", ImageTypePnm}, {"ppm", ImageTypePnm}, {"ras", ImageTypeRas}, {"mng", ImageTypeMng},
        {"jng", ImageTypeMng}, {"ska", ImageTypeSka}, {"nef", ImageTypeRaw}, {"crw", ImageTypeRaw},
        {"cr2", ImageTypeRaw}, {"dng", ImageTypeRaw}, {"arw", ImageTypeRaw}, {"erf", ImageTypeRaw},
        {"3fr", ImageTypeRaw}, {"dcr", ImageTypeRaw}, {"raw", ImageTypeRaw}, {"x3f", ImageTypeRaw},
        {"mef", ImageTypeRaw}, {"raf", ImageTypeRaw}, {"mrw", ImageTypeRaw}, {"pef", ImageTypeRaw},
        {"sr2", ImageTypeRaw}, {"orf", ImageTypeRaw},
    };
    for (const Entry& e : kTable)
        if (ext == e.ext)
            return e.type;
    return ImageTypeUnknown;
}

std::string pictureSizeRefusal(const char* what, uint64_t width, uint64_t height)
{
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width > uint64_t(kMaxImageSide) || height > uint64_t(kMaxImageSide))
        return std::string(what) + " of " + size + " exceeds the limit of " + std::to_string(kMaxImageSide) +
               " pixels a side";
    if (width * height > kMaxImagePixels)
        return std::string(what) + " of " + size + " exceeds the limit of " +
               std::to_string(kMaxImagePixels) + " pixels in all";
    return {};
}
