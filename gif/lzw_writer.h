// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// GIF's variable-length LZW for one image: the sub-blocks of its image data
// (the minimum code size byte first, the zero-length terminator last).
//
// Lossless: the indices are coded as they are. Lossy: while a string of the
// dictionary is being extended, a pixel whose own index does not continue it
// may take the index that does, when the caller's `accept` says that index is
// close enough to what the pixel should show. The indices actually coded are
// written back, so the caller knows what the decoder will show.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class LzwWriter {
public:
    // accept(pixel, index): the largest tolerated error of the pixel when it
    // shows `index`, compared by the caller; see encodeLossy.
    using Cost = std::function<int(int pixel, int index)>;

    explicit LzwWriter(int minCodeSize);  // 2..8
    ~LzwWriter();
    LzwWriter(const LzwWriter&) = delete;
    LzwWriter& operator=(const LzwWriter&) = delete;

    // Appends the image data of `count` indices to `out`.
    void encode(const uint8_t* indices, int count, std::vector<uint8_t>& out);

    // Like encode, but a pixel p whose index does not continue the current
    // string takes the continuing index k with the smallest cost(p, k) when
    // that cost is at most limit[p]; indices[] is updated to what was coded.
    void encodeLossy(uint8_t* indices, int count, const int32_t* limit, const Cost& cost,
                     std::vector<uint8_t>& out);

private:
    void reset();
    void put(int code);
    void flushBits(std::vector<uint8_t>& out);
    template <bool Lossy>
    void run(uint8_t* indices, int count, const int32_t* limit, const Cost* cost, std::vector<uint8_t>& out);

    int minCodeSize_;
    int clear_;
    int codeSize_ = 0;
    int nextCode_ = 0;
    // Dictionary as a trie: child[code * 256 + index] is the code of the string
    // `code` + index (0 = none); firstChild/sibling list every code's children.
    std::unique_ptr<uint16_t[]> child_;
    std::vector<uint16_t> firstChild_;
    std::vector<uint16_t> sibling_;
    std::vector<uint8_t> lastIndex_;  // the last index of every code's string
    std::vector<uint16_t> used_;      // codes with children, to clear child_ cheaply
    // Bits waiting to be written and the current sub-block.
    uint32_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::vector<uint8_t> block_;
    std::vector<uint8_t>* out_ = nullptr;
};
