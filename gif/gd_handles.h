// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Owning handles for libgd images and the buffers libgd returns.
#include <gd.h>

#include <memory>

// Images from libgd are destroyed by libgd; those of makeBlockPaletteImage are
// one block of our own. The deleter travels with a moved handle; reset() keeps
// it, so a handle is only ever reset to an image made the same way.
struct GdImageDeleter {
    bool block = false;
    void operator()(gdImagePtr image) const;
};
using GdImageHandle = std::unique_ptr<gdImage, GdImageDeleter>;

// A palette image as gdImageCreate makes it (no colours, every field as libgd
// sets it), whose rows lie in one block with the image instead of one
// allocation per row; its pixels are not cleared. Null when there is no memory.
GdImageHandle makeBlockPaletteImage(int width, int height);

struct GdBufferDeleter {
    void operator()(void* buffer) const
    {
        if (buffer != nullptr)
            gdFree(buffer);
    }
};
// A buffer from gdImageGifAnim*Ptr and its size in bytes.
struct GdBuffer {
    std::unique_ptr<void, GdBufferDeleter> data;
    int size = 0;
};
