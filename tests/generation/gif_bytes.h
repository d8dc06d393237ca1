// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reads the structure of a GIF file from its bytes: screen size, global colour
// table, looping extension, and per image its delay and rectangle.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace gifbytes {

struct Image {
    int delay = -1;  // from the graphic control extension before it
    int disposal = -1;
    int left = 0, top = 0, width = 0, height = 0;
    bool localTable = false;
};

struct Info {
    bool ok = false;
    int width = 0, height = 0;
    bool globalTable = false;
    std::vector<uint8_t> palette;  // r, g, b triples
    bool hasLoop = false;
    int loopCount = -1;
    std::vector<Image> images;
};

inline std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Info parse(const std::vector<uint8_t>& b)
{
    Info info;
    size_t p = 0;
    auto need = [&](size_t n) { return p + n <= b.size(); };
    auto word = [&](size_t at) { return int(b[at]) | (int(b[at + 1]) << 8); };
    if (!need(13) || std::string(b.begin(), b.begin() + 6) != "GIF89a")
        return info;
    info.width = word(6);
    info.height = word(8);
    const int flags = b[10];
    p = 13;
    if (flags & 0x80) {
        info.globalTable = true;
        const size_t n = size_t(3) << ((flags & 7) + 1);
        if (!need(n))
            return info;
        info.palette.assign(b.begin() + long(p), b.begin() + long(p + n));
        p += n;
    }
    int pendingDelay = -1, pendingDisposal = -1;
    auto skipSubBlocks = [&]() {
        while (need(1) && b[p] != 0) {
            p += 1 + b[p];
        }
        p += 1;
    };
    while (need(1)) {
        const uint8_t tag = b[p++];
        if (tag == 0x3B) {
            info.ok = true;
            return info;
        }
        if (tag == 0x21) {
            if (!need(1))
                return info;
            const uint8_t label = b[p++];
            if (label == 0xF9 && need(6)) {
                pendingDisposal = (b[p + 1] >> 2) & 7;
                pendingDelay = word(p + 2);
                p += 6;  // size, flags, delay(2), transparent, terminator
            } else if (label == 0xFF && need(12) &&
                       std::string(b.begin() + long(p) + 1, b.begin() + long(p) + 12) == "NETSCAPE2.0") {
                p += 12;
                if (need(4) && b[p] == 3 && b[p + 1] == 1) {
                    info.hasLoop = true;
                    info.loopCount = word(p + 2);
                }
                skipSubBlocks();
            } else {
                skipSubBlocks();
            }
        } else if (tag == 0x2C) {
            if (!need(9))
                return info;
            Image im;
            im.left = word(p);
            im.top = word(p + 2);
            im.width = word(p + 4);
            im.height = word(p + 6);
            const int f = b[p + 8];
            p += 9;
            if (f & 0x80) {
                im.localTable = true;
                p += size_t(3) << ((f & 7) + 1);
            }
            p += 1;  // LZW minimum code size
            skipSubBlocks();
            im.delay = pendingDelay;
            im.disposal = pendingDisposal;
            pendingDelay = pendingDisposal = -1;
            info.images.push_back(im);
        } else {
            return info;
        }
    }
    return info;
}

inline Info parseFile(const std::string& path)
{
    return parse(readFile(path));
}

}  // namespace gifbytes
