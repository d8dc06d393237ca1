// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/colour_histogram.h"

namespace {
constexpr uint32_t kSlots = 1u << 16;  // > 2 x kExactLimit
}  // namespace

ColourHistogram::ColourHistogram() : keys_(kSlots, 0), counts_(kSlots, 0)
{
    order_.reserve(4096);
}

void ColourHistogram::addCell(uint32_t colour, uint32_t count)
{
    const uint32_t r = colour >> 16, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    const int bits = 8 - cellShift_;
    const uint32_t cell = ((r >> cellShift_) << (2 * bits)) | ((g >> cellShift_) << bits) | (b >> cellShift_);
    Cell& c = cells_[cell];
    if (c.count == 0)
        cellsUsed_.push_back(cell);
    c.red += uint64_t(r) * count;
    c.green += uint64_t(g) * count;
    c.blue += uint64_t(b) * count;
    c.count += count;
    if (cellShift_ == 2 && cellsUsed_.size() > size_t(kCellLimit))
        coarsen();
}

void ColourHistogram::coarsen()
{
    std::vector<Cell> fine;
    fine.swap(cells_);
    std::vector<uint32_t> used;
    used.swap(cellsUsed_);
    cellShift_ = 3;
    cells_.assign(size_t(1) << 15, Cell{});
    for (uint32_t index : used) {
        const Cell& f = fine[index];
        const uint32_t r = index >> 12, g = (index >> 6) & 63, b = index & 63;
        const uint32_t cell = ((r >> 1) << 10) | ((g >> 1) << 5) | (b >> 1);
        Cell& c = cells_[cell];
        if (c.count == 0)
            cellsUsed_.push_back(cell);
        c.red += f.red;
        c.green += f.green;
        c.blue += f.blue;
        c.count += f.count;
    }
}

void ColourHistogram::toCells()
{
    cells_.assign(std::size_t(1) << 18, Cell{});
    for (uint32_t slot : order_)
        addCell(keys_[slot] - 1, counts_[slot]);
    exact_ = false;
    keys_.clear();
    keys_.shrink_to_fit();
    counts_.clear();
    counts_.shrink_to_fit();
    order_.clear();
    order_.shrink_to_fit();
}

void ColourHistogram::add(uint8_t red, uint8_t green, uint8_t blue)
{
    ++pixels_;
    const uint32_t colour = (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue;
    if (!exact_) {
        addCell(colour, 1);
        return;
    }
    uint32_t slot = (colour * 2654435761u) >> 16;
    for (;;) {
        const uint32_t k = keys_[slot];
        if (k == colour + 1) {
            ++counts_[slot];
            return;
        }
        if (k == 0)
            break;
        slot = (slot + 1) & (kSlots - 1);
    }
    keys_[slot] = colour + 1;
    counts_[slot] = 1;
    order_.push_back(slot);
    if (++exactCount_ > kExactLimit)
        toCells();
}

std::vector<ColourSample> ColourHistogram::samples() const
{
    std::vector<ColourSample> out;
    if (exact_) {
        out.reserve(order_.size());
        for (uint32_t slot : order_) {
            const uint32_t c = keys_[slot] - 1;
            out.push_back({float(c >> 16), float((c >> 8) & 0xFF), float(c & 0xFF), float(counts_[slot])});
        }
        return out;
    }
    out.reserve(cellsUsed_.size());
    for (uint32_t cell : cellsUsed_) {
        const Cell& c = cells_[cell];
        const double n = c.count;
        out.push_back({float(double(c.red) / n), float(double(c.green) / n), float(double(c.blue) / n),
                       float(c.count)});
    }
    return out;
}
