// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/octree_quantizer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "imaging/palette_lookup.h"

// The per-pixel steps of the diffusion are small lambdas that must not cost a call.
#if defined(__GNUC__) || defined(__clang__)
#define VEXLO_ALWAYS_INLINE __attribute__((always_inline))
#else
#define VEXLO_ALWAYS_INLINE
#endif

OctreeQuantizer::OctreeQuantizer(int maxColors, int colorBits)
    : maxColors_(std::max(maxColors, 16)), colorBits_(std::clamp(colorBits, 1, 8))
{
    std::fill(std::begin(reducible_), std::end(reducible_), -1);
    nodes_.reserve(size_t(std::min(maxColors_, 4096)) * 4 + 64);
    shortcut_.assign(size_t(1) << (3 * kShortcutLevels), 0);
}

OctreeQuantizer::~OctreeQuantizer() = default;

void OctreeQuantizer::clear()
{
    nodes_.clear();
    freeNodes_.clear();
    root_ = -1;
    leafCount_ = 0;
    std::fill(std::begin(reducible_), std::end(reducible_), -1);
    std::fill(shortcut_.begin(), shortcut_.end(), 0);
    nextSerial_ = 1;
}

int32_t OctreeQuantizer::newNode(int level)
{
    int32_t index;
    if (!freeNodes_.empty()) {
        index = freeNodes_.back();
        freeNodes_.pop_back();
    } else {
        index = int32_t(nodes_.size());
        nodes_.emplace_back();
    }
    if (nextSerial_ == 0) {  // wrapped: forget every shortcut
        std::fill(shortcut_.begin(), shortcut_.end(), 0);
        nextSerial_ = 1;
    }
    Node& n = nodes_[size_t(index)];
    n.count = 0;
    std::fill(std::begin(n.sum), std::end(n.sum), 0);
    std::fill(std::begin(n.child), std::end(n.child), -1);
    n.next = -1;
    n.serial = nextSerial_++;
    n.level = uint8_t(level);
    n.leaf = level == colorBits_;
    if (n.leaf) {
        ++leafCount_;
    } else {
        n.next = reducible_[level];
        reducible_[level] = index;
    }
    return index;
}

void OctreeQuantizer::freeNode(int32_t index)
{
    nodes_[size_t(index)].serial = 0;
    freeNodes_.push_back(index);
}

void OctreeQuantizer::addToTree(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, uint64_t count)
{
    if (root_ < 0)
        root_ = newNode(0);
    constexpr int kDrop = 8 - kShortcutLevels;
    const size_t prefix = (size_t(red >> kDrop) << (2 * kShortcutLevels)) |
                          (size_t(green >> kDrop) << kShortcutLevels) | size_t(blue >> kDrop);
    int32_t index = root_;
    int level = 0;
    const uint64_t shortcut = shortcut_[prefix];
    const int32_t known = int32_t(shortcut & 0xFFFFFFFFu);
    if (shortcut != 0 && nodes_[size_t(known)].serial == uint32_t(shortcut >> 32)) {
        index = known;
        level = nodes_[size_t(known)].level;
    }
    for (;;) {
        Node& n = nodes_[size_t(index)];
        if (level <= kShortcutLevels && (n.leaf || level == kShortcutLevels))
            shortcut_[prefix] = (uint64_t(n.serial) << 32) | uint32_t(index);
        if (n.leaf) {
            n.count += count;
            n.sum[0] += uint64_t(red) * count;
            n.sum[1] += uint64_t(green) * count;
            n.sum[2] += uint64_t(blue) * count;
            n.sum[3] += uint64_t(alpha) * count;
            return;
        }
        const int shift = 7 - level;
        const int c = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
        int32_t next = n.child[c];
        ++level;
        if (next < 0) {
            next = newNode(level);  // may move nodes_: do not use n after this
            nodes_[size_t(index)].child[c] = next;
        }
        index = next;
    }
}

bool OctreeQuantizer::reduceTree()
{
    int level = colorBits_ - 1;
    while (level > 0 && reducible_[level] < 0)
        --level;
    const int32_t index = reducible_[level];
    if (index < 0)
        return false;  // the root is already a leaf
    Node& n = nodes_[size_t(index)];
    reducible_[level] = n.next;
    n.next = -1;
    int children = 0;
    for (int32_t& c : n.child) {
        if (c < 0)
            continue;
        const Node& child = nodes_[size_t(c)];
        n.count += child.count;
        for (int k = 0; k < 4; ++k)
            n.sum[k] += child.sum[k];
        freeNode(c);
        c = -1;
        ++children;
    }
    n.leaf = true;
    leafCount_ -= children - 1;
    return true;
}

void OctreeQuantizer::reduceWhileOver()
{
    while (leafCount_ > maxColors_ && reduceTree()) {
    }
}

void OctreeQuantizer::addColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    addToTree(red, green, blue, alpha, 1);
    reduceWhileOver();
}

void OctreeQuantizer::addColorRun(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, uint64_t count)
{
    if (count == 0)
        return;
    // As addColor() `count` times: the first creates what is missing and the
    // reductions it causes move the leaf's sums up; the others add to the leaf
    // that then holds the colour, which ends with the same sums.
    addToTree(red, green, blue, alpha, count);
    reduceWhileOver();
}

void OctreeQuantizer::feedBgrRows(const uint8_t* rows, int width, int height, size_t stride, uint64_t times)
{
    if (rows == nullptr || width <= 0 || height <= 0 || times == 0)
        return;
    bool pending = false;
    uint8_t r = 0, g = 0, b = 0;
    uint64_t run = 0;
    // Eight pixels of the current colour, to step over long runs 24 bytes at a time.
    uint8_t pattern[24];
    bool patternReady = false;
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* p = rows + size_t(y) * stride;
        const uint8_t* const end = p + size_t(width) * 3;
        while (p < end) {
            if (pending && p[0] == b && p[1] == g && p[2] == r) {
                if (!patternReady) {
                    for (int k = 0; k < 24; k += 3) {
                        pattern[k] = b;
                        pattern[k + 1] = g;
                        pattern[k + 2] = r;
                    }
                    patternReady = true;
                }
                const uint8_t* q = p + 3;
                while (end - q >= 24 && std::memcmp(q, pattern, 24) == 0)
                    q += 24;
                while (q < end && q[0] == b && q[1] == g && q[2] == r)
                    q += 3;
                run += uint64_t(q - p) / 3;
                p = q;
                continue;
            }
            if (pending)
                addColorRun(r, g, b, 0, run * times);
            b = p[0];
            g = p[1];
            r = p[2];
            run = 1;
            pending = true;
            patternReady = false;
            p += 3;
        }
    }
    if (pending)
        addColorRun(r, g, b, 0, run * times);
}

bool OctreeQuantizer::feed(const RasterImage& image)
{
    if (!image.isValid())
        return false;
    const int w = image.width();
    const int h = image.height();
    if (image.depth() == 24) {
        feedBgrRows(image.row(0), w, h, image.stride());
        return true;
    }
    if (!image.isPalette())
        return false;
    const RgbQuad* palette = image.palette();
    const int entries = image.paletteSize();
    bool pending = false;
    int last = -1;
    uint64_t run = 0;
    auto flush = [&] {
        // An index beyond the palette (a damaged picture) counts as entry 0.
        const RgbQuad c = last < entries ? palette[last] : palette[0];
        addColorRun(c.red, c.green, c.blue, c.reserved, run);
    };
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* p = image.row(y);
        for (int x = 0; x < w; ++x) {
            if (pending && p[x] == last) {
                ++run;
                continue;
            }
            if (pending)
                flush();
            last = p[x];
            run = 1;
            pending = true;
        }
    }
    if (pending)
        flush();
    return true;
}

int OctreeQuantizer::colorTable(RgbQuad* table, int capacity) const
{
    int written = 0;
    int leaves = 0;
    if (root_ < 0)
        return 0;
    // Depth-first walk, children in index order.
    int32_t stack[8 * 9 + 1];
    int top = 0;
    stack[top++] = root_;
    while (top > 0) {
        const Node& n = nodes_[size_t(stack[--top])];
        if (n.leaf) {
            ++leaves;
            if (written < capacity && table != nullptr && n.count > 0) {
                table[written++] = RgbQuad{uint8_t(n.sum[2] / n.count), uint8_t(n.sum[1] / n.count),
                                           uint8_t(n.sum[0] / n.count), uint8_t(n.sum[3] / n.count)};
            } else if (written < capacity && table != nullptr) {
                table[written++] = RgbQuad{};
            }
            continue;
        }
        for (int c = 7; c >= 0; --c) {
            if (n.child[c] >= 0)
                stack[top++] = n.child[c];
        }
    }
    return leaves;
}

std::vector<RgbQuad> OctreeQuantizer::colorTable() const
{
    std::vector<RgbQuad> table(static_cast<size_t>(leafCount_));
    const int n = colorTable(table.data(), int(table.size()));
    table.resize(size_t(std::min(n, leafCount_)));
    return table;
}

int OctreeQuantizer::nearestIndex(const RgbQuad* palette, int count, RgbQuad colour)
{
    return PaletteLookup::scan(palette, count, colour.red, colour.green, colour.blue);
}

bool OctreeQuantizer::reduceToIndices(RasterImage& image, const PaletteLookup& palette, bool diffusion,
                                      uint8_t* const* rowPointers)
{
    if (!image.isValid() || image.depth() != 24 || rowPointers == nullptr)
        return false;
    const int w = image.width();
    const int h = image.height();
    uint32_t lastColour = 0xFFFFFFFFu;
    int lastIndex = 0;
    if (!diffusion) {
        for (int y = h - 1; y >= 0; --y) {
            const uint8_t* p = image.row(y);
            uint8_t* out = rowPointers[y];
            for (int x = 0; x < w; ++x, p += 3) {
                const uint32_t colour = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
                if (colour != lastColour) {
                    lastIndex = palette.nearest(p[2], p[1], p[0]);
                    lastColour = colour;
                }
                out[x] = uint8_t(lastIndex);
            }
        }
        return true;
    }
    // Each pixel gathers the parts of the errors that reach it, in the order
    // the spreading above would add them: lower left (1/16), lower (4/16),
    // lower right (2/16), left (7/16), each sum clamped. The errors of a row
    // are kept with one zero entry on each side (adding 0 changes nothing),
    // and every pixel is left holding the value it was reduced from. Errors
    // lie in -255..255.
    //
    // A pixel needs only the errors of its left neighbour and of the three
    // pixels below, so rows are reduced two at a time, the upper one two
    // pixels behind the lower one: two chains of work that do not wait for
    // each other (each search depends on the previous pixel's result). The
    // parts from below of the lower row are known before it starts and are
    // added for the whole row at once (vector code).
    const size_t rowValues = size_t(w) * 3;
    std::vector<int16_t> errors[3];
    for (std::vector<int16_t>& e : errors)
        e.assign(rowValues + 6, 0);
    std::vector<int16_t> gathered(rowValues);
    const RgbQuad* entries = palette.entries();
    struct Chain {
        uint8_t* p;       // the row's pixels
        uint8_t* out;     // its indices
        int16_t* errors;  // its errors; entry 3 * x + 3 is column x
        int lb, lg, lr;   // the left neighbour's error
        uint32_t lastColour;
        int lastIndex;
    };
    auto finish = [&](Chain& c, int x, int b, int g, int r) VEXLO_ALWAYS_INLINE {
        uint8_t* px = c.p + size_t(x) * 3;
        px[0] = uint8_t(b);
        px[1] = uint8_t(g);
        px[2] = uint8_t(r);
        const uint32_t colour = uint32_t(b) | (uint32_t(g) << 8) | (uint32_t(r) << 16);
        if (colour != c.lastColour) {
            c.lastIndex = palette.nearest(uint8_t(r), uint8_t(g), uint8_t(b));
            c.lastColour = colour;
        }
        c.out[x] = uint8_t(c.lastIndex);
        const RgbQuad& chosen = entries[c.lastIndex];
        c.lb = b - chosen.blue;
        c.lg = g - chosen.green;
        c.lr = r - chosen.red;
        int16_t* e = c.errors + size_t(x) * 3 + 3;
        e[0] = int16_t(c.lb);
        e[1] = int16_t(c.lg);
        e[2] = int16_t(c.lr);
    };
    // The lower row: the parts from below are in `gathered`.
    auto lowerStep = [&](Chain& c, int x) VEXLO_ALWAYS_INLINE {
        const int16_t* v = gathered.data() + size_t(x) * 3;
        finish(c, x, std::clamp(v[0] + c.lb * 7 / 16, 0, 255), std::clamp(v[1] + c.lg * 7 / 16, 0, 255),
               std::clamp(v[2] + c.lr * 7 / 16, 0, 255));
    };
    // The upper row gathers everything itself from `eb` (entry 3 * x is column x - 1).
    auto upperStep = [&](Chain& c, const int16_t* eb, int x) VEXLO_ALWAYS_INLINE {
        const uint8_t* px = c.p + size_t(x) * 3;
        const int16_t* e = eb + size_t(x) * 3;
        int b = px[0], g = px[1], r = px[2];
        b = std::clamp(b + e[0] / 16, 0, 255);
        g = std::clamp(g + e[1] / 16, 0, 255);
        r = std::clamp(r + e[2] / 16, 0, 255);
        b = std::clamp(b + e[3] / 4, 0, 255);
        g = std::clamp(g + e[4] / 4, 0, 255);
        r = std::clamp(r + e[5] / 4, 0, 255);
        b = std::clamp(b + e[6] / 8, 0, 255);
        g = std::clamp(g + e[7] / 8, 0, 255);
        r = std::clamp(r + e[8] / 8, 0, 255);
        finish(c, x, std::clamp(b + c.lb * 7 / 16, 0, 255), std::clamp(g + c.lg * 7 / 16, 0, 255),
               std::clamp(r + c.lr * 7 / 16, 0, 255));
    };
    int belowSlot = 0;  // the errors of the row below the next one
    for (int y = h - 1; y >= 0; y -= 2) {
        const int16_t* eb = errors[belowSlot].data();
        const int midSlot = (belowSlot + 1) % 3, topSlot = (belowSlot + 2) % 3;
        Chain lower{image.row(y), rowPointers[y], errors[midSlot].data(), 0, 0, 0, lastColour, lastIndex};
        const uint8_t* p = lower.p;
        int16_t* v = gathered.data();
        for (size_t i = 0; i < rowValues; ++i) {
            int t = p[i];
            t = std::clamp(t + eb[i] / 16, 0, 255);
            t = std::clamp(t + eb[i + 3] / 4, 0, 255);
            t = std::clamp(t + eb[i + 6] / 8, 0, 255);
            v[i] = int16_t(t);
        }
        if (y == 0) {
            for (int x = 0; x < w; ++x)
                lowerStep(lower, x);
            break;
        }
        Chain upper{image.row(y - 1), rowPointers[y - 1], errors[topSlot].data(), 0, 0, 0,
                    lastColour,       lastIndex};
        const int16_t* em = errors[midSlot].data();
        for (int x = 0; x < 2 && x < w; ++x)
            lowerStep(lower, x);
        for (int x = 2; x < w; ++x) {
            lowerStep(lower, x);
            upperStep(upper, em, x - 2);
        }
        for (int x = std::max(w - 2, 0); x < w; ++x)
            upperStep(upper, em, x);
        lastColour = upper.lastColour;
        lastIndex = upper.lastIndex;
        belowSlot = topSlot;
    }
    return true;
}

bool OctreeQuantizer::reduce(RasterImage& image, const PaletteLookup& palette, bool diffusion)
{
    if (!image.isValid())
        return false;
    if (image.depth() != 24 && !image.increaseTo24Bits())
        return false;
    const int w = image.width();
    const int h = image.height();
    RasterImage result;
    if (!result.create(w, h, 8))
        return false;
    for (int i = 0; i < 256; ++i)
        result.setPaletteEntry(i, i < palette.size() ? palette.entry(i) : palette.entry(0));
    std::vector<uint8_t*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        rows[size_t(y)] = result.row(y);
    if (!reduceToIndices(image, palette, diffusion, rows.data()))
        return false;
    if (image.hasAlpha()) {
        result.createAlpha();
        for (int y = 0; y < h; ++y)
            std::memcpy(result.alphaRow(y), image.alphaRow(y), size_t(w));
        result.setAlphaMultiplier(image.alphaMultiplier());
    }
    result.setTransparentIndex(image.transparentIndex());
    if (image.hasTransparentColor())
        result.setTransparentColor(image.transparentColor());
    result.setFlags(image.flags());
    result.setFrameDelay(image.frameDelay());
    image = std::move(result);
    return true;
}

bool OctreeQuantizer::reduce(RasterImage& image, const RgbQuad* table256, bool diffusion)
{
    if (table256 == nullptr)
        return false;
    const PaletteLookup palette(table256, 256);
    return reduce(image, palette, diffusion);
}
