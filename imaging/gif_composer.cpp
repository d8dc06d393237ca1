// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/gif_composer.h"

#include <utility>

GifComposer::GifComposer(const uint8_t* data, size_t size) : decoder_(data, size)
{
    // Each frame's indices are dropped once composed, and a frame is clipped
    // to the screen, so the canvas bounds what a single frame holds.
    decoder_.setPixelBudget(UINT64_MAX);
}

bool GifComposer::readHeader(std::string& error)
{
    return decoder_.readHeader(error);
}

bool GifComposer::allocateCanvas(std::string& error)
{
    return canvas_.init(decoder_.width(), decoder_.height(), error);
}

RgbQuad GifComposer::backgroundColour() const
{
    const auto& table = decoder_.globalPalette();
    const int index = decoder_.backgroundIndex();
    if (index < 0 || size_t(index) >= table.size())
        return RgbQuad{};
    RgbQuad c = table[size_t(index)];
    c.reserved = 0;
    return c;
}

bool GifComposer::next(bool compose)
{
    GifFrame frame;
    if (decoder_.nextFrame(frame, compose) != GifDecoder::Result::Frame)
        return false;
    ++count_;
    if (!compose)
        return true;
    if (havePrevious_) {
        if (previous_.disposal == 2)
            canvas_.clearRect(previous_.left, previous_.top, previous_.width, previous_.height);
        else if (previous_.disposal == 3)
            canvas_ = beforePrevious_;
    }
    if (frame.disposal == 3)
        beforePrevious_ = canvas_;
    canvas_.draw(frame);
    std::vector<uint8_t>().swap(frame.indices);
    previous_ = std::move(frame);
    havePrevious_ = true;
    return true;
}
