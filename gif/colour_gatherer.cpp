// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/colour_gatherer.h"

#include <cstring>

namespace {

constexpr int kFirstBits = 12;

inline uint32_t slotOf(uint32_t key, int bits)
{
    return (key * 0x9E3779B1u) >> (32 - bits);
}

}  // namespace

void ColourGatherer::grow()
{
    const std::vector<Slot> old = std::move(slots_);
    bits_ = bits_ == 0 ? kFirstBits : bits_ + 1;
    slots_.assign(size_t(1) << bits_, Slot{0, 0});
    const uint32_t mask = (1u << bits_) - 1;
    for (uint32_t& s : order_) {
        const Slot moved = old[s];
        uint32_t t = slotOf(moved.key, bits_);
        while (slots_[t].key != 0)
            t = (t + 1) & mask;
        slots_[t] = moved;
        s = t;
    }
}

bool ColourGatherer::gather(const uint8_t* const* rows, const uint8_t* const* previous, int width, int height,
                            std::vector<Entry>& out, std::vector<int>& repeated)
{
    out.clear();
    repeated.clear();
    order_.clear();
    if (bits_ == 0)
        grow();
    const size_t rowBytes = size_t(width) * 3;
    uint32_t mask = (1u << bits_) - 1;
    uint32_t lastKey = 0;  // no colour
    uint32_t lastSlot = 0;
    size_t seen = 0;  // pixels gathered
    auto giveUp = [&] {
        for (const uint32_t s : order_)
            slots_[s] = Slot{0, 0};
        order_.clear();
        repeated.clear();
        return false;
    };
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* p = rows[size_t(y)];
        if (previous != nullptr &&
            (p == previous[size_t(y)] || std::memcmp(p, previous[size_t(y)], rowBytes) == 0)) {
            repeated.push_back(y);
            continue;
        }
        seen += size_t(width);
        if (order_.size() > kMaxColours || (seen > kProbePixels && 2 * order_.size() > seen))
            return giveUp();
        for (const uint8_t* const end = p + rowBytes; p < end; p += 3) {
            const uint32_t key = (uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16)) + 1;
            if (key == lastKey) {
                ++slots_[lastSlot].count;
                continue;
            }
            uint32_t s = slotOf(key, bits_);
            while (slots_[s].key != 0 && slots_[s].key != key)
                s = (s + 1) & mask;
            if (slots_[s].key == 0) {
                // A new colour; the table stays at most half full.
                if (2 * (order_.size() + 1) > slots_.size()) {
                    grow();
                    mask = (1u << bits_) - 1;
                    s = slotOf(key, bits_);
                    while (slots_[s].key != 0)
                        s = (s + 1) & mask;
                }
                slots_[s].key = key;
                order_.push_back(s);
            }
            ++slots_[s].count;
            lastKey = key;
            lastSlot = s;
        }
    }
    // The colours in the order they came; only the slots of this frame are
    // cleared for the next one.
    out.reserve(order_.size());
    for (const uint32_t s : order_) {
        out.push_back({slots_[s].key - 1, slots_[s].count});
        slots_[s] = Slot{0, 0};
    }
    order_.clear();
    return true;
}
