// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The colours of a set of pixels with their counts, for building a palette.
// Colours are kept exactly while there are few of them; past kExactLimit the
// histogram falls back to cells of 4 x 4 x 4 colours, each holding the mean of
// its pixels, and past kCellLimit cells to cells of 8 x 8 x 8 colours. The order of the samples depends only
// on the pixels added.
#include <cstddef>
#include <cstdint>
#include <vector>

struct ColourSample {
    float red = 0;
    float green = 0;
    float blue = 0;
    float weight = 0;
};

class ColourHistogram {
public:
    static constexpr int kExactLimit = 24576;
    static constexpr int kCellLimit = 12288;

    ColourHistogram();
    void add(uint8_t red, uint8_t green, uint8_t blue);
    // The samples: exact colours, or the cell means.
    std::vector<ColourSample> samples() const;
    bool exact() const { return exact_; }
    int distinct() const { return exact_ ? exactCount_ : int(cellsUsed_.size()); }
    uint64_t pixels() const { return pixels_; }

private:
    void toCells();
    void addCell(uint32_t colour, uint32_t count);
    void coarsen();

    bool exact_ = true;
    uint64_t pixels_ = 0;
    // Exact colours: open addressing on colour + 1 (0 = free).
    std::vector<uint32_t> keys_;
    std::vector<uint32_t> counts_;
    std::vector<uint32_t> order_;  // slots in first-seen order
    int exactCount_ = 0;
    // Cells of 6 bits per channel.
    struct Cell {
        uint64_t red = 0, green = 0, blue = 0;
        uint32_t count = 0;
    };
    std::vector<Cell> cells_;
    std::vector<uint32_t> cellsUsed_;
    int cellShift_ = 2;  // 8 - bits per channel of a cell
};
