// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Owning handles for libgd images and the buffers libgd returns.
#include <gd.h>

#include <memory>

struct GdImageDeleter {
    void operator()(gdImagePtr image) const
    {
        if (image != nullptr)
            gdImageDestroy(image);
    }
};
using GdImageHandle = std::unique_ptr<gdImage, GdImageDeleter>;

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
