// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/lzw_writer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kMaxCodes = 4096;
constexpr int kBlockSize = 255;
}  // namespace

LzwWriter::LzwWriter(int minCodeSize)
    : minCodeSize_(std::clamp(minCodeSize, 2, 8)),
      clear_(1 << minCodeSize_),
      child_(new uint16_t[size_t(kMaxCodes) * 256]()),
      firstChild_(kMaxCodes, 0),
      sibling_(kMaxCodes, 0),
      lastIndex_(kMaxCodes, 0)
{
    used_.reserve(kMaxCodes);
}

LzwWriter::~LzwWriter() = default;

void LzwWriter::reset()
{
    for (uint16_t code : used_) {
        for (uint16_t c = firstChild_[code]; c != 0; c = sibling_[c])
            child_[size_t(code) * 256 + lastIndex_[c]] = 0;
        firstChild_[code] = 0;
    }
    used_.clear();
    codeSize_ = minCodeSize_ + 1;
    nextCode_ = clear_ + 2;
}

void LzwWriter::put(int code)
{
    bitBuffer_ |= uint32_t(code) << bitCount_;
    bitCount_ += codeSize_;
    while (bitCount_ >= 8) {
        block_.push_back(uint8_t(bitBuffer_ & 0xFF));
        bitBuffer_ >>= 8;
        bitCount_ -= 8;
        if (block_.size() == kBlockSize) {
            out_->push_back(uint8_t(kBlockSize));
            out_->insert(out_->end(), block_.begin(), block_.end());
            block_.clear();
        }
    }
}

void LzwWriter::flushBits(std::vector<uint8_t>& out)
{
    if (bitCount_ > 0) {
        block_.push_back(uint8_t(bitBuffer_ & 0xFF));
        bitBuffer_ = 0;
        bitCount_ = 0;
    }
    if (!block_.empty()) {
        out.push_back(uint8_t(block_.size()));
        out.insert(out.end(), block_.begin(), block_.end());
        block_.clear();
    }
    out.push_back(0);
}

void LzwWriter::encode(const uint8_t* indices, int count, std::vector<uint8_t>& out)
{
    run<false>(const_cast<uint8_t*>(indices), count, nullptr, nullptr, out);
}

void LzwWriter::encodeLossy(uint8_t* indices, int count, const int32_t* limit, const Cost& cost,
                            std::vector<uint8_t>& out)
{
    run<true>(indices, count, limit, &cost, out);
}

template <bool Lossy>
void LzwWriter::run(uint8_t* indices, int count, const int32_t* limit, const Cost* cost,
                    std::vector<uint8_t>& out)
{
    out_ = &out;
    out.push_back(uint8_t(minCodeSize_));
    bitBuffer_ = 0;
    bitCount_ = 0;
    block_.clear();
    reset();
    codeSize_ = minCodeSize_ + 1;
    put(clear_);
    if (count <= 0) {
        put(clear_ + 1);
        flushBits(out);
        return;
    }
    const int mask = clear_ - 1;
    int current = indices[0] & mask;
    indices[0] = uint8_t(current);
    for (int p = 1; p < count; ++p) {
        int k = indices[p] & mask;
        uint16_t next = child_[size_t(current) * 256 + size_t(k)];
        if constexpr (Lossy) {
            if (next == 0 && limit[p] >= 0) {
                // The closest continuation; among equally close ones, one
                // that can itself be continued.
                int64_t best = (int64_t(limit[p]) << 1) + 2;
                for (uint16_t c = firstChild_[current]; c != 0; c = sibling_[c]) {
                    const int64_t e =
                        (int64_t((*cost)(p, lastIndex_[c])) << 1) | (firstChild_[c] == 0 ? 1 : 0);
                    if (e < best) {
                        best = e;
                        next = c;
                    }
                }
                if (next != 0) {
                    k = lastIndex_[next];
                    indices[p] = uint8_t(k);
                }
            }
        }
        if (next != 0) {
            current = next;
            continue;
        }
        put(current);
        if (nextCode_ < kMaxCodes) {
            const int code = nextCode_++;
            child_[size_t(current) * 256 + size_t(k)] = uint16_t(code);
            lastIndex_[size_t(code)] = uint8_t(k);
            if (firstChild_[current] == 0)
                used_.push_back(uint16_t(current));
            sibling_[size_t(code)] = firstChild_[current];
            firstChild_[current] = uint16_t(code);
            if (code >= (1 << codeSize_) && codeSize_ < 12)
                ++codeSize_;
        }
        if (nextCode_ >= kMaxCodes) {
            put(clear_);
            reset();
        }
        current = k;
        indices[p] = uint8_t(k);
    }
    put(current);
    // The decoder counts one more code after the last one.
    if (nextCode_ < kMaxCodes && nextCode_ >= (1 << codeSize_) && codeSize_ < 12)
        ++codeSize_;
    put(clear_ + 1);
    flushBits(out);
}
