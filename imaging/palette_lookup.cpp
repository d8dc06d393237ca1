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
    constexpr int kMask = (1 << kCellBits) - 1;
    constexpr int kSpan = 1 << (8 - kCellBits);
    const int lo[3] = {(cellIndex & kMask) * kSpan, ((cellIndex >> kCellBits) & kMask) * kSpan,
                       (cellIndex >> (2 * kCellBits)) * kSpan};
    auto channel = [](int v, int low, int& dmin, int& dmax) {
        const int high = low + kSpan - 1;
        const int d = v < low ? low - v : (v > high ? v - high : 0);
        const int far = std::max(v > low ? v - low : low - v, v > high ? v - high : high - v);
        dmin = d * d;
        dmax = far * far;
    };
    // Only entries whose nearest possible distance to the cell is not beyond the
    // smallest farthest distance of any entry can be nearest for a colour in it.
    int minDistance[256];
    int threshold = INT_MAX;
    for (int i = 0; i < count_; ++i) {
        const RgbQuad& e = palette_[size_t(i)];
        int n0, x0, n1, x1, n2, x2;
        channel(e.red, lo[0], n0, x0);
        channel(e.green, lo[1], n1, x1);
        channel(e.blue, lo[2], n2, x2);
        minDistance[i] = n0 + n1 + n2;
        threshold = std::min(threshold, x0 + x1 + x2);
    }
    int n = 0;
    uint8_t candidates[256];
    for (int i = 0; i < count_; ++i) {
        if (minDistance[i] <= threshold)
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

int PaletteLookup::nearest(uint8_t red, uint8_t green, uint8_t blue) const
{
    const int shift = 8 - kCellBits;
    const int cellIndex =
        (red >> shift) | ((green >> shift) << kCellBits) | ((blue >> shift) << (2 * kCellBits));
    uint64_t word = cells_[size_t(cellIndex)].load(std::memory_order_acquire);
    if (word == 0)
        word = buildCell(cellIndex);
    const int n = int(word & 0xFF);
    if (n == 1)
        return int((word >> 8) & 0xFF);
    if (word != kOverflow) {
        uint8_t list[7];
        for (int k = 0; k < n; ++k)
            list[k] = uint8_t(word >> (8 * (k + 1)));
        return scanCandidates(list, n, red, green, blue);
    }
    const uint8_t* list = overflow_[size_t(cellIndex)].load(std::memory_order_acquire);
    return scanCandidates(list + 2, list[0] | (list[1] << 8), red, green, blue);
}
