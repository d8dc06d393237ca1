// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/gif_stream_writer.h"

#include <algorithm>

namespace {

void put16(std::vector<uint8_t>& out, int v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

}  // namespace

int GifStreamWriter::tableBits(int colours)
{
    int bits = 1;
    while (bits < 8 && (1 << bits) < colours)
        ++bits;
    return bits;
}

namespace {

void putTable(std::vector<uint8_t>& out, const std::vector<RgbQuad>& palette, int bits)
{
    for (int i = 0; i < (1 << bits); ++i) {
        const RgbQuad c = i < int(palette.size()) ? palette[size_t(i)] : RgbQuad{};
        out.push_back(c.red);
        out.push_back(c.green);
        out.push_back(c.blue);
    }
}

}  // namespace

void GifStreamWriter::begin(std::vector<uint8_t>& out, int width, int height, bool playOnce,
                            const std::vector<RgbQuad>& global)
{
    static const char kSignature[] = "GIF89a";
    out.insert(out.end(), kSignature, kSignature + 6);
    put16(out, width);
    put16(out, height);
    const int globalBits = global.empty() ? 0 : tableBits(int(global.size()));
    out.push_back(uint8_t(0x70 | (global.empty() ? 0 : 0x80 | (globalBits - 1))));  // 8-bit colour resolution
    out.push_back(0);                                                               // background
    out.push_back(0);                                                               // aspect ratio
    if (!global.empty())
        putTable(out, global, globalBits);
    if (!playOnce) {
        static const uint8_t kLoop[] = {0x21, 0xFF, 0x0B, 'N', 'E',  'T',  'S',  'C',  'A', 'P',
                                        'E',  '2',  '.',  '0', 0x03, 0x01, 0x00, 0x00, 0x00};
        out.insert(out.end(), std::begin(kLoop), std::end(kLoop));
    }
}

void GifStreamWriter::addFrame(std::vector<uint8_t>& out, const GifStreamFrame& frame)
{
    out.push_back(0x21);
    out.push_back(0xF9);
    out.push_back(0x04);
    out.push_back(uint8_t((1 << 2) | (frame.transparentIndex >= 0 ? 1 : 0)));  // disposal 1
    put16(out, std::clamp(frame.delay, 0, 65535));
    out.push_back(uint8_t(frame.transparentIndex >= 0 ? frame.transparentIndex : 0));
    out.push_back(0);

    out.push_back(0x2C);
    put16(out, frame.left);
    put16(out, frame.top);
    put16(out, frame.width);
    put16(out, frame.height);
    if (frame.palette.empty()) {
        out.push_back(0);
    } else {
        const int bits = tableBits(int(frame.palette.size()));
        out.push_back(uint8_t(0x80 | (bits - 1)));
        putTable(out, frame.palette, bits);
    }
    out.insert(out.end(), frame.data.begin(), frame.data.end());
}

void GifStreamWriter::end(std::vector<uint8_t>& out)
{
    out.push_back(0x3B);
}
