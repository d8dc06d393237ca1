// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "imaging/palette_lookup.h"

#include <algorithm>
#include <climits>

PaletteLookup::PaletteLookup(const RgbQuad* palette, int count)
    : count_(std::clamp(count, 1, 256)),
      cells_(new std::atomic<uint64_t>[kCells]),
      overflow_(new std::atomic<const uint8_t*>[kCells])
{
    if (palette != nullptr && count > 0)
        std::copy(palette, palette + std::min(count, 256), palette_.begin());
    constexpr int kSteps = 1 << kCellBits;
    constexpr int kSpan = 1 << (8 - kCellBits);
    axisNear_.reset(new int32_t[size_t(3 * kSteps * 256)]);
    axisFar_.reset(new int32_t[size_t(3 * kSteps * 256)]);
    for (int axis = 0; axis < 3; ++axis) {
        for (int step = 0; step < kSteps; ++step) {
            const int low = step * kSpan;
            const int high = low + kSpan - 1;
            int32_t* nearRow = &axisNear_[size_t(axis * kSteps + step) * 256];
            int32_t* farRow = &axisFar_[size_t(axis * kSteps + step) * 256];
            for (int i = 0; i < 256; ++i) {
                const RgbQuad& e = palette_[size_t(i)];
                const int v = axis == 0 ? e.red : (axis == 1 ? e.green : e.blue);
                const int d = v < low ? low - v : (v > high ? v - high : 0);
                const int far = std::max(v > low ? v - low : low - v, v > high ? v - high : high - v);
                nearRow[i] = d * d;
                farRow[i] = far * far;
            }
        }
    }
    for (int i = 0; i < kCells; ++i) {
        cells_[size_t(i)].store(0, std::memory_order_relaxed);
        overflow_[size_t(i)].store(nullptr, std::memory_order_relaxed);
    }
}

PaletteLookup::~PaletteLookup()
{
    for (int i = 0; i < kCells; ++i)
        delete[] overflow_[size_t(i)].load(std::memory_order_relaxed);
}

int PaletteLookup::scan(const RgbQuad* palette, int count, uint8_t red, uint8_t green, uint8_t blue)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < count; ++i) {
        const int dr = int(palette[i].red) - red;
        const int dg = int(palette[i].green) - green;
        const int db = int(palette[i].blue) - blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}

uint64_t PaletteLookup::buildCell(int cellIndex) const
{
    constexpr int kSteps = 1 << kCellBits;
    constexpr int kMask = kSteps - 1;
    const int steps[3] = {cellIndex & kMask, (cellIndex >> kCellBits) & kMask, cellIndex >> (2 * kCellBits)};
    const int32_t* nearR = &axisNear_[size_t(0 * kSteps + steps[0]) * 256];
    const int32_t* nearG = &axisNear_[size_t(1 * kSteps + steps[1]) * 256];
    const int32_t* nearB = &axisNear_[size_t(2 * kSteps + steps[2]) * 256];
    const int32_t* farR = &axisFar_[size_t(0 * kSteps + steps[0]) * 256];
    const int32_t* farG = &axisFar_[size_t(1 * kSteps + steps[1]) * 256];
    const int32_t* farB = &axisFar_[size_t(2 * kSteps + steps[2]) * 256];
    // Only entries whose nearest possible distance to the cell is not beyond the
    // smallest farthest distance of any entry can be nearest for a colour in it.
    int32_t threshold = INT32_MAX;
    for (int i = 0; i < count_; ++i)
        threshold = std::min(threshold, farR[i] + farG[i] + farB[i]);
    int n = 0;
    uint8_t candidates[256];
    for (int i = 0; i < count_; ++i) {
        if (nearR[i] + nearG[i] + nearB[i] <= threshold)
            candidates[n++] = uint8_t(i);
    }
    uint64_t word;
    if (n <= 7) {
        word = uint64_t(n);
        for (int k = 0; k < n; ++k)
            word |= uint64_t(candidates[k]) << (8 * (k + 1));
    } else {
        uint8_t* list = new uint8_t[size_t(n) + 2];
        list[0] = uint8_t(n & 0xFF);
        list[1] = uint8_t(n >> 8);
        std::copy(candidates, candidates + n, list + 2);
        const uint8_t* expected = nullptr;
        if (!overflow_[size_t(cellIndex)].compare_exchange_strong(expected, list, std::memory_order_acq_rel,
                                                                  std::memory_order_acquire))
            delete[] list;  // another thread built the same list first
        word = kOverflow;
    }
    cells_[size_t(cellIndex)].store(word, std::memory_order_release);
    return word;
}

int PaletteLookup::scanCandidates(const uint8_t* list, int n, int red, int green, int blue) const
{
    // The smallest (distance, position) pair: candidates are in index order, so on
    // equal distances the lower index wins, as in the plain scan.
    uint32_t best = UINT32_MAX;
    for (int k = 0; k < n; ++k) {
        const RgbQuad& e = palette_[list[k]];
        const int dr = int(e.red) - red;
        const int dg = int(e.green) - green;
        const int db = int(e.blue) - blue;
        const uint32_t key = (uint32_t(dr * dr + dg * dg + db * db) << 8) | uint32_t(k);
        best = std::min(best, key);
    }
    return list[best & 0xFF];
}

int PaletteLookup::nearestInCell(int cellIndex, uint64_t word, int red, int green, int blue) const
{
    if (word == 0)
        word = buildCell(cellIndex);
    if (word != kOverflow) {
        const int n = int(word & 0xFF);
        if (n == 1)
            return int((word >> 8) & 0xFF);
        uint32_t best = UINT32_MAX;
        for (int k = 0; k < n; ++k) {
            const RgbQuad& e = palette_[size_t((word >> (8 * (k + 1))) & 0xFF)];
            const int dr = int(e.red) - red;
            const int dg = int(e.green) - green;
            const int db = int(e.blue) - blue;
            best = std::min(best, (uint32_t(dr * dr + dg * dg + db * db) << 8) | uint32_t(k));
        }
        return int((word >> (8 * ((best & 0xFF) + 1))) & 0xFF);
    }
    const uint8_t* list = overflow_[size_t(cellIndex)].load(std::memory_order_acquire);
    return scanCandidates(list + 2, list[0] | (list[1] << 8), red, green, blue);
}
