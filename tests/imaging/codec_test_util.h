// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Helpers shared by the codec tests: file reading, RGBA views of decoded
// images and of reference PNGs, pixel comparison with the corpus' rule (two
// fully transparent pixels are equal whatever their colour).
#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/raster_image.h"

namespace codectest {

inline std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline bool fileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

inline std::vector<std::vector<std::string>> readTsv(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream f(path);
    std::string line;
    while (std::getline(f, line)) {
        std::vector<std::string> cols;
        std::stringstream ss(line);
        std::string col;
        while (std::getline(ss, col, '\t'))
            cols.push_back(col);
        if (!line.empty() && line.back() == '\t')
            cols.emplace_back();
        rows.push_back(cols);
    }
    return rows;
}

struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> px;  // r, g, b, a
};

// What a decoded image shows: palette colours, the transparent index or
// colour and the alpha plane applied.
inline Rgba toRgba(const RasterImage& img)
{
    Rgba out;
    out.width = img.width();
    out.height = img.height();
    out.px.resize(size_t(out.width) * size_t(out.height) * 4);
    const int t = img.transparentIndex();
    const bool tc = img.hasTransparentColor();
    const RgbQuad tcol = img.transparentColor();
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* row = img.row(y);
        const uint8_t* alpha = img.hasAlpha() ? img.alphaRow(y) : nullptr;
        for (int x = 0; x < out.width; ++x) {
            uint8_t* o = &out.px[(size_t(y) * size_t(out.width) + size_t(x)) * 4];
            uint8_t a = alpha ? alpha[x] : 255;
            if (img.isPalette()) {
                const int i = row[x];
                const RgbQuad c = i < img.paletteSize() ? img.palette()[i] : RgbQuad();
                o[0] = c.red;
                o[1] = c.green;
                o[2] = c.blue;
                if (i == t)
                    a = 0;
            } else {
                o[0] = row[3 * x + 2];
                o[1] = row[3 * x + 1];
                o[2] = row[3 * x];
                if (tc && o[0] == tcol.red && o[1] == tcol.green && o[2] == tcol.blue)
                    a = 0;
            }
            o[3] = a;
        }
    }
    return out;
}

inline bool loadPng(const std::string& path, Rgba& out)
{
    QImage q(QString::fromStdString(path));
    if (q.isNull())
        return false;
    q = q.convertToFormat(QImage::Format_RGBA8888);
    out.width = q.width();
    out.height = q.height();
    out.px.resize(size_t(out.width) * size_t(out.height) * 4);
    for (int y = 0; y < out.height; ++y)
        std::copy(q.constScanLine(y), q.constScanLine(y) + size_t(out.width) * 4,
                  out.px.begin() + long(size_t(y) * size_t(out.width) * 4));
    return true;
}

// Raw RGBA file of the given size (the Ancell suite's .rgba).
inline bool loadRawRgba(const std::string& path, int w, int h, Rgba& out)
{
    out.width = w;
    out.height = h;
    out.px = readFile(path);
    return out.px.size() == size_t(w) * size_t(h) * 4;
}

// Number of differing pixels (-1 when the sizes differ). tolerance applies to
// the colour channels of opaque pixels.
inline long diffPixels(const Rgba& a, const Rgba& b, int tolerance = 0, bool ignoreAlpha = false)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    long n = 0;
    for (size_t i = 0; i + 3 < a.px.size(); i += 4) {
        const uint8_t aa = ignoreAlpha ? 255 : a.px[i + 3];
        const uint8_t ba = ignoreAlpha ? 255 : b.px[i + 3];
        if (aa == 0 && ba == 0)
            continue;
        bool same = aa == ba;
        for (int c = 0; c < 3 && same; ++c)
            same = std::abs(int(a.px[i + size_t(c)]) - int(b.px[i + size_t(c)])) <= tolerance;
        if (!same)
            ++n;
    }
    return n;
}

}  // namespace codectest
