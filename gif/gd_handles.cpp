// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/gd_handles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

void GdImageDeleter::operator()(gdImagePtr image) const
{
    if (image == nullptr)
        return;
    if (block)
        std::free(image);
    else
        gdImageDestroy(image);
}

GdImageHandle makeBlockPaletteImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const size_t w = size_t(width), h = size_t(height);
    if (h > (SIZE_MAX / 2) / w)
        return nullptr;
    // The image, its row table, then the rows.
    const size_t header =
        (sizeof(gdImage) + alignof(unsigned char*) - 1) / alignof(unsigned char*) * alignof(unsigned char*);
    const size_t table = h * sizeof(unsigned char*);
    if (w * h > SIZE_MAX - header - table)
        return nullptr;
    void* memory = std::malloc(header + table + w * h);
    if (memory == nullptr)
        return nullptr;
    // Every field as gdImageCreate leaves it, taken from an image it made.
    gdImagePtr model = gdImageCreate(1, 1);
    if (model == nullptr) {
        std::free(memory);
        return nullptr;
    }
    auto* image = static_cast<gdImage*>(memory);
    std::memcpy(image, model, sizeof(gdImage));
    gdImageDestroy(model);
    auto* rows = reinterpret_cast<unsigned char**>(static_cast<unsigned char*>(memory) + header);
    unsigned char* pixels = reinterpret_cast<unsigned char*>(rows) + table;
    for (size_t y = 0; y < h; ++y)
        rows[y] = pixels + y * w;
    image->pixels = rows;
    image->sx = width;
    image->sy = height;
    image->cx2 = width - 1;
    image->cy2 = height - 1;
    return GdImageHandle(image, GdImageDeleter{true});
}
