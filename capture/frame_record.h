// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// One frame of the sequence: an owned 24-bit picture and how long it is shown.
//
// The include mark lives in the image's flags word: 1 keeps the frame, 0 marks
// it deleted (it stays in the sequence, the editor shows it crossed out and
// generation skips it).
#include <memory>

#include "imaging/raster_image.h"

struct FrameRecord {
    std::unique_ptr<RasterImage> image;  // never null inside a FrameSequence
    int delay = 0;                       // hundredths of a second

    FrameRecord() = default;
    FrameRecord(std::unique_ptr<RasterImage> img, int delayCs) : image(std::move(img)), delay(delayCs) {}

    // Include mark (the image's flags word); false without an image.
    bool included() const { return image && image->flags() == 1; }
    void setIncluded(bool on)
    {
        if (image)
            image->setFlags(on ? 1u : 0u);
    }

    // A record holding `img` with include mark 1 and the given delay; null when
    // img is null.
    static std::unique_ptr<FrameRecord> make(std::unique_ptr<RasterImage> img, int delayCs)
    {
        if (!img)
            return nullptr;
        img->setFlags(1);
        return std::make_unique<FrameRecord>(std::move(img), delayCs);
    }
};
