// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/gif_canvas.h"

#include <algorithm>
#include <new>

#include "imaging/gif_decoder.h"

namespace {

std::array<RgbQuad, 256> paddedTable(const std::vector<RgbQuad>& palette)
{
    std::array<RgbQuad, 256> table{};
    const size_t n = std::min<size_t>(palette.size(), 256);
    for (size_t i = 0; i < n; ++i)
        table[i] = RgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
    return table;
}

uint32_t opaque(const RgbQuad& c)
{
    return 0xFF000000u | (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | uint32_t(c.blue);
}

}  // namespace

bool GifCanvas::init(int width, int height, std::string& error)
{
    width_ = width;
    height_ = height;
    indexed_ = true;
    haveTable_ = false;
    table_ = {};
    colours_.clear();
    try {
        indices_.assign(size_t(width) * size_t(height), kTransparent);
    } catch (const std::bad_alloc&) {
        error = "not enough memory for the GIF canvas";
        return false;
    }
    return true;
}

void GifCanvas::switchToColours()
{
    if (!indexed_)
        return;
    colours_.resize(indices_.size());
    for (size_t i = 0; i < indices_.size(); ++i) {
        const uint16_t v = indices_[i];
        colours_[i] = v == kTransparent ? 0u : opaque(table_[v]);
    }
    std::vector<uint16_t>().swap(indices_);
    indexed_ = false;
}

void GifCanvas::draw(const GifFrame& frame)
{
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.indices.size() < size_t(frame.width) * size_t(frame.height))
        return;
    const std::array<RgbQuad, 256> table = paddedTable(frame.palette);
    if (indexed_) {
        if (!haveTable_) {
            table_ = table;
            haveTable_ = true;
        } else if (!std::equal(table.begin(), table.end(), table_.begin())) {
            switchToColours();
        }
    }
    const int t = frame.transparentIndex;
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* src = frame.indices.data() + size_t(y) * size_t(frame.width);
        const size_t base = size_t(frame.top + y) * size_t(width_) + size_t(frame.left);
        if (indexed_) {
            uint16_t* dst = indices_.data() + base;
            for (int x = 0; x < frame.width; ++x)
                if (src[x] != t)
                    dst[x] = src[x];
        } else {
            uint32_t* dst = colours_.data() + base;
            for (int x = 0; x < frame.width; ++x)
                if (src[x] != t)
                    dst[x] = opaque(table[src[x]]);
        }
    }
}

void GifCanvas::clearRect(int left, int top, int width, int height)
{
    left = std::clamp(left, 0, width_);
    top = std::clamp(top, 0, height_);
    const int right = std::clamp(left + std::max(width, 0), left, width_);
    const int bottom = std::clamp(top + std::max(height, 0), top, height_);
    for (int y = top; y < bottom; ++y) {
        const size_t base = size_t(y) * size_t(width_);
        if (indexed_)
            std::fill(indices_.begin() + long(base + size_t(left)),
                      indices_.begin() + long(base + size_t(right)), kTransparent);
        else
            std::fill(colours_.begin() + long(base + size_t(left)),
                      colours_.begin() + long(base + size_t(right)), 0u);
    }
}

uint64_t GifCanvas::memoryBytes() const
{
    return uint64_t(indices_.size()) * 2 + uint64_t(colours_.size()) * 4;
}

uint64_t GifCanvas::imageBytesUpperBound() const
{
    return uint64_t(width_) * uint64_t(height_) * 4;
}

std::unique_ptr<RasterImage> GifCanvas::toColourImage(std::string& error) const
{
    auto image = std::make_unique<RasterImage>();
    if (!image->create(width_, height_, 24)) {
        error = "GIF screen too large for a 24-bit image";
        return nullptr;
    }
    bool anyTransparent = false;
    for (int y = 0; y < height_ && !anyTransparent; ++y) {
        const size_t base = size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x) {
            const bool transparent =
                indexed_ ? indices_[base + size_t(x)] == kTransparent : colours_[base + size_t(x)] == 0u;
            if (transparent) {
                anyTransparent = true;
                break;
            }
        }
    }
    if (anyTransparent)
        image->createAlpha();
    for (int y = 0; y < height_; ++y) {
        uint8_t* dst = image->row(y);
        uint8_t* alpha = anyTransparent ? image->alphaRow(y) : nullptr;
        const size_t base = size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x) {
            uint32_t c;
            if (indexed_) {
                const uint16_t v = indices_[base + size_t(x)];
                c = v == kTransparent ? 0u : opaque(table_[v]);
            } else {
                c = colours_[base + size_t(x)];
            }
            dst[3 * x] = uint8_t(c);
            dst[3 * x + 1] = uint8_t(c >> 8);
            dst[3 * x + 2] = uint8_t(c >> 16);
            if (alpha)
                alpha[x] = uint8_t(c >> 24);
        }
    }
    return image;
}

std::unique_ptr<RasterImage> GifCanvas::toOpaqueImage(RgbQuad background, std::string& error) const
{
    auto image = std::make_unique<RasterImage>();
    if (!image->create(width_, height_, 24)) {
        error = "GIF screen too large for a 24-bit image";
        return nullptr;
    }
    const uint32_t fill = opaque(background);
    std::array<uint32_t, 257> lookup{};
    if (indexed_) {
        for (size_t i = 0; i < 256; ++i)
            lookup[i] = opaque(table_[i]);
        lookup[kTransparent] = fill;
    }
    for (int y = 0; y < height_; ++y) {
        uint8_t* dst = image->row(y);
        const size_t base = size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x) {
            uint32_t c;
            if (indexed_) {
                c = lookup[indices_[base + size_t(x)]];
            } else {
                c = colours_[base + size_t(x)];
                if (c == 0u)
                    c = fill;
            }
            dst[3 * x] = uint8_t(c);
            dst[3 * x + 1] = uint8_t(c >> 8);
            dst[3 * x + 2] = uint8_t(c >> 16);
        }
    }
    return image;
}

std::unique_ptr<RasterImage> GifCanvas::toImage(int preferredTransparent, std::string& error) const
{
    if (!indexed_)
        return toColourImage(error);
    bool used[256] = {};
    bool anyTransparent = false;
    for (uint16_t v : indices_) {
        if (v == kTransparent)
            anyTransparent = true;
        else
            used[v] = true;
    }
    int slot = -1;
    if (preferredTransparent >= 0 && preferredTransparent < 256 && !used[preferredTransparent]) {
        slot = preferredTransparent;
    } else if (anyTransparent) {
        for (int i = 255; i >= 0; --i)
            if (!used[i]) {
                slot = i;
                break;
            }
        if (slot < 0)
            return toColourImage(error);
    }
    std::array<RgbQuad, 256> palette = table_;
    if (slot >= 0) {
        // The slot's colour must differ from every visible colour: converted
        // to 24 bits, that colour alone marks the transparent pixels.
        auto taken = [&](const RgbQuad& c) {
            for (int i = 0; i < 256; ++i)
                if (used[i] && palette[size_t(i)] == c)
                    return true;
            return false;
        };
        RgbQuad c = palette[size_t(slot)];
        for (uint32_t k = 0; taken(c) && k < (1u << 24); ++k)
            c = RgbQuad{uint8_t(255 - (k & 0xFF)), uint8_t((k >> 8) & 0xFF),
                        uint8_t(255 - ((k >> 16) & 0xFF)), 0};
        palette[size_t(slot)] = c;
    }
    auto image = std::make_unique<RasterImage>();
    if (!image->create(width_, height_, 8)) {
        error = "GIF screen too large for an image";
        return nullptr;
    }
    for (int i = 0; i < 256; ++i)
        image->setPaletteEntry(i, palette[size_t(i)]);
    for (int y = 0; y < height_; ++y) {
        uint8_t* dst = image->row(y);
        const uint16_t* src = indices_.data() + size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x)
            dst[x] = src[x] == kTransparent ? uint8_t(slot) : uint8_t(src[x]);
    }
    image->setTransparentIndex(slot);
    return image;
}
