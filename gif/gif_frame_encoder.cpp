// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/gif_frame_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kMaxBits = 12;
constexpr int kMaxMaxCode = 1 << kMaxBits;  // no code reaches this
constexpr int kHashSize = 5003;             // libgd's table size (a prime)
constexpr int kHashShift = 4;               // the first probe: (index << 4) ^ prefix

int bitsForColours(int colours)
{
    int bits = 1;
    while (bits < 8 && (1 << bits) < colours)
        ++bits;
    return bits;
}

// Packs codes LSB first into 254-byte packets.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<uint8_t>& out) : out_(out) {}
    void put(int code, int bits)
    {
        accum_ |= uint64_t(uint32_t(code)) << count_;
        count_ += bits;
        while (count_ >= 8) {
            byte(uint8_t(accum_ & 0xFF));
            accum_ >>= 8;
            count_ -= 8;
        }
    }
    void finish()
    {
        while (count_ > 0) {
            byte(uint8_t(accum_ & 0xFF));
            accum_ >>= 8;
            count_ = std::max(count_ - 8, 0);
        }
        flushPacket();
        out_.push_back(0);  // the zero-length packet that ends the data
    }

private:
    void byte(uint8_t b)
    {
        packet_[size_t(length_++)] = b;
        if (length_ >= 254)
            flushPacket();
    }
    void flushPacket()
    {
        if (length_ > 0) {
            out_.push_back(uint8_t(length_));
            out_.insert(out_.end(), packet_.begin(), packet_.begin() + length_);
            length_ = 0;
        }
    }
    std::vector<uint8_t>& out_;
    uint64_t accum_ = 0;
    int count_ = 0;
    std::array<uint8_t, 256> packet_{};
    int length_ = 0;
};

}  // namespace

void GifFrameEncoder::compress(const uint8_t* const* rows, int left, int width, int height, int bitsPerPixel,
                               const uint8_t* map, std::vector<uint8_t>& out)
{
    const int initBits = std::max(bitsPerPixel, 2) + 1;
    const int clearCode = 1 << (initBits - 1);
    const int eofCode = clearCode + 1;
    int nBits = initBits;
    int maxCode = (1 << nBits) - 1;
    int freeEnt = clearCode + 2;
    bool clearFlag = false;

    // The string table: keys (index << 12) + prefix code, in libgd's open
    // addressing table of 5003 slots with its probe sequence. A stored key of 0
    // ends a probe like an empty slot does (and is overwritten by the next new
    // string there); following that keeps the code stream the same as libgd's.
    std::vector<int32_t> keys(kHashSize, -1);
    std::vector<uint16_t> codes(kHashSize, 0);

    CodeWriter writer(out);
    auto output = [&](int code) {
        writer.put(code, nBits);
        if (freeEnt > maxCode || clearFlag) {
            if (clearFlag) {
                nBits = initBits;
                maxCode = (1 << nBits) - 1;
                clearFlag = false;
            } else {
                ++nBits;
                maxCode = nBits == kMaxBits ? kMaxMaxCode : (1 << nBits) - 1;
            }
        }
    };

    output(clearCode);
    if (width <= 0 || height <= 0) {
        output(eofCode);
        writer.finish();
        return;
    }
    auto pixel = [&](const uint8_t* row, int x) { return map != nullptr ? map[row[x]] : row[x]; };
    int ent = pixel(rows[0] + left, 0);
    int x = 1;
    for (int y = 0; y < height; ++y, x = 0) {
        const uint8_t* row = rows[y] + left;
        for (; x < width; ++x) {
            const int c = pixel(row, x);
            const int32_t key = (int32_t(c) << kMaxBits) + ent;
            int i = (c << kHashShift) ^ ent;
            if (keys[size_t(i)] == key) {
                ent = codes[size_t(i)];
                continue;
            }
            if (keys[size_t(i)] >= 0) {
                const int step = i == 0 ? 1 : kHashSize - i;
                bool found = false;
                for (;;) {
                    i -= step;
                    if (i < 0)
                        i += kHashSize;
                    if (keys[size_t(i)] == key) {
                        found = true;
                        break;
                    }
                    if (keys[size_t(i)] <= 0)
                        break;
                }
                if (found) {
                    ent = codes[size_t(i)];
                    continue;
                }
            }
            output(ent);
            ent = c;
            if (freeEnt < kMaxMaxCode) {
                keys[size_t(i)] = key;
                codes[size_t(i)] = uint16_t(freeEnt++);
            } else {
                std::fill(keys.begin(), keys.end(), -1);
                freeEnt = clearCode + 2;
                clearFlag = true;
                output(clearCode);
            }
        }
    }
    output(ent);
    output(eofCode);
    writer.finish();
}

bool GifFrameEncoder::encode(const gdImage& frame, const gdImage* previous, int delay,
                             std::vector<uint8_t>& out)
{
    const int w = frame.sx, h = frame.sy;
    if (frame.trueColor || frame.interlace || frame.transparent >= 0 || w <= 0 || h <= 0 ||
        frame.colorsTotal < 1 || frame.colorsTotal > 256)
        return false;
    for (int i = 0; i < frame.colorsTotal; ++i)
        if (frame.open[i])
            return false;

    int minX = 0, minY = 0, maxX = w - 1, maxY = h - 1;
    bool cropped = false;
    // The first entry of each entry's colour.
    std::array<uint8_t, 256> first{};
    if (previous != nullptr) {
        if (previous->trueColor || previous->sx != w || previous->sy != h ||
            previous->colorsTotal != frame.colorsTotal)
            return false;
        for (int i = 0; i < frame.colorsTotal; ++i) {
            if (previous->open[i] || previous->red[i] != frame.red[i] ||
                previous->green[i] != frame.green[i] || previous->blue[i] != frame.blue[i] ||
                previous->alpha[i] != frame.alpha[i])
                return false;
            int k = 0;
            while (frame.red[k] != frame.red[i] || frame.green[k] != frame.green[i] ||
                   frame.blue[k] != frame.blue[i] || frame.alpha[k] != frame.alpha[i])
                ++k;
            first[size_t(i)] = uint8_t(k);
        }
        // Pixel values at or above colorsTotal have no colour: such a frame is
        // left to libgd. With every value below the first entry that repeats
        // an earlier colour (all of them, in frames reduced to a table), a
        // pixel differs exactly where its byte does.
        int firstRepeat = frame.colorsTotal;
        for (int i = 0; i < frame.colorsTotal; ++i)
            if (first[size_t(i)] != i) {
                firstRepeat = i;
                break;
            }
        unsigned highest = 0;
        for (int y = 0; y < h; ++y) {
            const unsigned char* a = previous->pixels[y];
            const unsigned char* b = frame.pixels[y];
            unsigned char m = 0;
            for (int x = 0; x < w; ++x)
                m = std::max(m, std::max(a[x], b[x]));
            highest = std::max(highest, unsigned(m));
        }
        if (highest >= unsigned(frame.colorsTotal))
            return false;
        const bool bytesTell = highest < unsigned(firstRepeat);
        // The first and the last column where row y differs; false when it does not.
        auto rowSpan = [&](int y, int& from, int& to) {
            const unsigned char* a = previous->pixels[y];
            const unsigned char* b = frame.pixels[y];
            if (bytesTell) {
                if (std::memcmp(a, b, size_t(w)) == 0)
                    return false;
                int x = 0;
                while (a[x] == b[x])
                    ++x;
                from = x;
                x = w - 1;
                while (a[x] == b[x])
                    --x;
                to = x;
                return true;
            }
            int x = 0;
            while (x < w && first[a[x]] == b[x])
                ++x;
            if (x == w)
                return false;
            from = x;
            x = w - 1;
            while (first[a[x]] == b[x])
                --x;
            to = x;
            return true;
        };
        int top = -1, from = 0, to = 0;
        for (int y = 0; y < h && top < 0; ++y)
            if (rowSpan(y, from, to))
                top = y;
        if (top < 0)
            return false;  // nothing changed: libgd writes its empty image
        minY = maxY = top;
        minX = from;
        maxX = to;
        for (int y = top + 1; y < h; ++y) {
            if (rowSpan(y, from, to)) {
                maxY = y;
                minX = std::min(minX, from);
                maxX = std::max(maxX, to);
            }
        }
        cropped = minX != 0 || maxX != w - 1 || minY != 0 || maxY != h - 1;
    }

    const int rw = maxX - minX + 1, rh = maxY - minY + 1;
    delay = delay < 0 ? 100 : delay;
    const uint8_t header[] = {
        '!',
        0xF9,
        4,
        uint8_t(1 << 2),
        uint8_t(delay & 255),
        uint8_t((delay >> 8) & 255),
        0xFF,
        0,
        ',',
        uint8_t(minX & 255),
        uint8_t(minX >> 8),
        uint8_t(minY & 255),
        uint8_t(minY >> 8),
        uint8_t(rw & 255),
        uint8_t(rw >> 8),
        uint8_t(rh & 255),
        uint8_t(rh >> 8),
        0,
    };
    const int bits = bitsForColours(frame.colorsTotal);
    out.insert(out.end(), std::begin(header), std::end(header));
    out.push_back(uint8_t(std::max(bits, 2)));
    std::vector<const uint8_t*> rows(static_cast<size_t>(rh));
    for (int y = 0; y < rh; ++y)
        rows[size_t(y)] = frame.pixels[minY + y];
    compress(rows.data(), minX, rw, rh, bits, cropped ? first.data() : nullptr, out);
    return true;
}
