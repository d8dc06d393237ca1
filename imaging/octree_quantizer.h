// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Octree colour quantizer: builds one palette of at most M colours from any
// number of pictures, and reduces 24-bit pictures to 8-bit pictures on a palette,
// with or without error diffusion.
//
// Feeding visits pixels in memory order of the picture: from the bottom row up to
// the top row, each row from left to right. A 24-bit pixel is added with alpha 0,
// a palette pixel as its palette colour with the entry's reserved byte as alpha.
// After every added pixel the tree is reduced while it holds more than M leaves;
// a reduction folds the children of the most recently created inner node of the
// deepest level that still has one. Counts and sums are 64-bit, so averages stay
// exact over any number of pixels.
//
// Runs of identical pixels are added at once: the first pixel of a run walks the
// tree (and may create a leaf and cause reductions); afterwards the colour always
// lands in an existing leaf, which creates nothing and reduces nothing, so the
// rest of the run is added to that leaf in one step. The result is the same as
// adding the pixels one by one.

#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"

class PaletteLookup;

class OctreeQuantizer {
public:
    // maxColors below 16 is raised to 16; colorBits above 8 is lowered to 8 (and
    // below 1 raised to 1).
    explicit OctreeQuantizer(int maxColors = 256, int colorBits = 8);
    ~OctreeQuantizer();
    OctreeQuantizer(const OctreeQuantizer&) = delete;
    OctreeQuantizer& operator=(const OctreeQuantizer&) = delete;

    int maxColors() const { return maxColors_; }
    int colorBits() const { return colorBits_; }
    int leafCount() const { return leafCount_; }
    void clear();

    // Adds every pixel of a 24-bit or palette image; false for an invalid image.
    bool feed(const RasterImage& image);
    // Adds the pixels of 24-bit rows (B, G, R per pixel) in feeding order: row
    // height - 1 first. `rows` points at the top row; `stride` in bytes. With
    // `times` above 1 every pixel counts `times` times, which gives the same
    // result as feeding the rows `times` times in a row (after the first time
    // every colour lands in a leaf that is there for good).
    void feedBgrRows(const uint8_t* rows, int width, int height, size_t stride, uint64_t times = 1);
    // One pixel, followed by the reductions.
    void addColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);
    // `count` identical pixels; the same as `count` calls of addColor.
    void addColorRun(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, uint64_t count);

    // One entry per leaf, depth first with children in index order 0 to 7:
    // (red sum / count, green sum / count, blue sum / count, alpha sum / count) with
    // the alpha average in the reserved byte. Writes at most `capacity` entries and
    // returns the number of leaves.
    int colorTable(RgbQuad* table, int capacity) const;
    std::vector<RgbQuad> colorTable() const;

    // Replaces a 24-bit image (a palette image is first turned into 24 bits) by an
    // 8-bit image of the same size whose palette is the 256 entries of `table`;
    // the alpha plane, transparency, flags word and delay are kept. With diffusion,
    // 14/16 of each pixel's error goes to its unvisited neighbours (7/16 right,
    // 2/16, 4/16 and 1/16 to the row above, left, at and right of it), each part
    // truncated toward zero and the neighbour clamped to 0..255.
    static bool reduce(RasterImage& image, const RgbQuad* table256, bool diffusion);
    static bool reduce(RasterImage& image, const PaletteLookup& palette, bool diffusion);
    // The same reduction, writing the indices into caller-owned rows (top-down,
    // rowPointers[y][x], at least width bytes each) instead of replacing the image.
    // `image` must be 24-bit; with diffusion its pixels are changed as the errors
    // are spread. Returns false when the image is not a valid 24-bit image.
    static bool reduceToIndices(RasterImage& image, const PaletteLookup& palette, bool diffusion,
                                uint8_t* const* rowPointers);

    // Nearest entry by plain scan (first smallest squared distance, 0 ends the scan).
    static int nearestIndex(const RgbQuad* palette, int count, RgbQuad colour);

private:
    struct Node {
        int32_t child[8];
        int32_t next;     // next node in its level's reducible list
        uint32_t serial;  // unique per creation; 0 once freed
        uint8_t level;
        bool leaf;
        uint64_t count;
        uint64_t sum[4];  // red, green, blue, alpha
    };
    // Walks start from the node reached through the colour's top kShortcutLevels
    // bits when it is still alive (nodes are only freed by reductions).
    static constexpr int kShortcutLevels = 4;
    int32_t newNode(int level);
    void freeNode(int32_t index);
    void addToTree(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha, uint64_t count);
    bool reduceTree();
    void reduceWhileOver();

    int maxColors_;
    int colorBits_;
    int leafCount_ = 0;
    int32_t root_ = -1;
    int32_t reducible_[8];
    std::vector<Node> nodes_;
    std::vector<int32_t> freeNodes_;
    uint32_t nextSerial_ = 1;
    std::vector<uint64_t> shortcut_;  // (serial << 32) | node index; 0 = none
};
