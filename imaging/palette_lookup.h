// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Nearest palette entry for a colour, answering exactly what a plain scan answers:
// entries are compared by the squared distance dr² + dg² + db², the first entry
// with the smallest distance wins and a distance of 0 ends the scan.
//
// The colour space is cut into 32 × 32 × 32 cells of 8 × 8 × 8 colours. For a
// cell, only the entries whose smallest possible distance to the cell does not
// exceed the best worst-case distance of any entry can be the nearest one for a
// colour inside it; these candidates are kept in index order, so scanning them
// gives the same answer (ties included) as scanning the whole palette. A cell's
// list is built the first time a colour of that cell is asked for.
//
// nearest() is safe to call from several threads at once on one object.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "imaging/raster_image.h"

class PaletteLookup {
public:
    // The first `count` entries (1 to 256) of `palette` take part.
    PaletteLookup(const RgbQuad* palette, int count);
    ~PaletteLookup();
    PaletteLookup(const PaletteLookup&) = delete;
    PaletteLookup& operator=(const PaletteLookup&) = delete;

    int size() const { return count_; }
    const RgbQuad& entry(int index) const { return palette_[size_t(index)]; }
    const RgbQuad* entries() const { return palette_.data(); }

    int nearest(uint8_t red, uint8_t green, uint8_t blue) const
    {
        constexpr int kShift = 8 - kCellBits;
        const int cellIndex =
            (red >> kShift) | ((green >> kShift) << kCellBits) | ((blue >> kShift) << (2 * kCellBits));
        const uint64_t word = cells_[size_t(cellIndex)].load(std::memory_order_acquire);
        if ((word & 0xFF) == 1)  // a single candidate
            return int((word >> 8) & 0xFF);
        return nearestInCell(cellIndex, word, red, green, blue);
    }
    int nearest(const RgbQuad& colour) const { return nearest(colour.red, colour.green, colour.blue); }

    // The plain scan over `count` entries, for reference.
    static int scan(const RgbQuad* palette, int count, uint8_t red, uint8_t green, uint8_t blue);

private:
    static constexpr int kCellBits = 5;
    static constexpr int kCells = 1 << (3 * kCellBits);
    // A cell word: 0 until built; else the low byte is the candidate count n and
    // the next bytes the first candidates. Up to 7 candidates fit in the word;
    // a count of 0xFF means the list is in overflow_ ([n low, n high, i1 ... in]).
    static constexpr uint64_t kOverflow = 0xFF;
    uint64_t buildCell(int cellIndex) const;
    int nearestInCell(int cellIndex, uint64_t word, int red, int green, int blue) const;
    int scanCandidates(const uint8_t* list, int n, int red, int green, int blue) const;

    std::array<RgbQuad, 256> palette_{};
    int count_ = 0;
    // Per axis (red, green, blue) and cell position along it: every entry's
    // smallest and largest squared distance to the cell's span on that axis.
    std::unique_ptr<int32_t[]> axisNear_;
    std::unique_ptr<int32_t[]> axisFar_;
    std::unique_ptr<std::atomic<uint64_t>[]> cells_;
    std::unique_ptr<std::atomic<const uint8_t*>[]> overflow_;
};
