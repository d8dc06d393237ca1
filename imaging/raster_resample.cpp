// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Resampling: nearest neighbour and smooth (cubic convolution when enlarging,
// area average when shrinking). The smooth weights depend only on the column or
// the row, so they are computed once per destination column and row; every pixel
// then sums its terms in the same order as a direct evaluation would (rows outer,
// columns inner), which keeps the result identical to it.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/raster_image.h"

namespace {

// Cubic convolution kernel with a = -0.5.
double cubicKernel(double t)
{
    t = std::fabs(t);
    if (t < 1.0)
        return 1.5 * t * t * t - 2.5 * t * t + 1.0;
    if (t < 2.0)
        return -0.5 * t * t * t + 2.5 * t * t - 4.0 * t + 2.0;
    return 0.0;
}

// Four cubic taps around a source coordinate, edge indices clamped.
struct CubicTaps {
    int index[4];
    double weight[4];
};

CubicTaps cubicTaps(double s, int size)
{
    CubicTaps t;
    const int i0 = int(std::floor(s));
    for (int k = 0; k < 4; ++k) {
        const int c = i0 - 1 + k;
        t.weight[k] = cubicKernel(double(c) - s);
        t.index[k] = std::clamp(c, 0, size - 1);
    }
    return t;
}

// One pixel cell overlapping the destination pixel's footprint on one axis.
struct Cell {
    int index;       // clamped source index (area average)
    double overlap;  // overlap length with the footprint
    CubicTaps taps;  // cubic taps at the centre of the overlap (one-axis case)
};

// Footprint from s - scale/2 to s + scale/2; cells trunc(lo + 0.5) .. trunc(hi + 0.5).
// The ends are formed in double precision, where they are exact for the single
// precision centre and scale: the overlaps then add up to exactly `scale`, so a
// plain colour keeps its value.
std::vector<Cell> footprintCells(float s, float scale, int size, bool withTaps)
{
    const double lo = double(s) - double(scale) / 2.0;
    const double hi = double(s) + double(scale) / 2.0;
    // trunc(x + 0.5) is the cell rule (the reference output holds it); lround
    // would move the ends that fall below zero.
    const int c1 = int(lo + 0.5);  // NOLINT(bugprone-incorrect-roundings)
    const int c2 = int(hi + 0.5);  // NOLINT(bugprone-incorrect-roundings)
    std::vector<Cell> cells;
    cells.reserve(size_t(std::max(1, c2 - c1 + 1)));
    for (int c = c1; c <= c2; ++c) {
        Cell cell;
        const double a = std::max(double(c) - 0.5, lo);
        const double b = std::min(double(c) + 0.5, hi);
        cell.overlap = std::max(0.0, b - a);
        cell.index = std::clamp(c, 0, size - 1);
        if (withTaps)
            cell.taps = cubicTaps((a + b) / 2.0, size);
        cells.push_back(cell);
    }
    return cells;
}

// Clamped to 0..255 and truncated. The weights of every pixel add up to one, but
// their floating-point sum may miss it by a few units in the last place; without
// the slack a plain 255 would come out as 254 (and 1 as 0).
constexpr double kTruncationSlack = 1e-7;

uint8_t toChannel(double v)
{
    v += kTruncationSlack;
    if (!(v > 0.0))
        return 0;
    if (v >= 255.0)
        return 255;
    return uint8_t(int(v));
}

// The source as contiguous B,G,R rows (palette images through their palette).
const uint8_t* bgrPixels(const RasterImage& img, std::vector<uint8_t>& scratch)
{
    if (!img.isPalette())
        return img.bits();
    const size_t n = size_t(img.width()) * size_t(img.height());
    scratch.resize(n * 3);
    const RgbQuad* pal = img.palette();
    const int palSize = img.paletteSize();
    const uint8_t* idx = img.bits();
    for (size_t i = 0; i < n; ++i) {
        const RgbQuad c = idx[i] < palSize ? pal[idx[i]] : RgbQuad();
        scratch[i * 3] = c.blue;
        scratch[i * 3 + 1] = c.green;
        scratch[i * 3 + 2] = c.red;
    }
    return scratch.data();
}

// Nearest sampling tables: column trunc(x * xs); row counted from the bottom.
void nearestTables(int W, int H, int w, int h, std::vector<int>& cols, std::vector<int>& rows)
{
    const float xs = float(W) / float(w);
    const float ys = float(H) / float(h);
    cols.resize(size_t(w));
    rows.resize(size_t(h));
    for (int x = 0; x < w; ++x)
        cols[size_t(x)] = std::min(W - 1, int(float(x) * xs));
    for (int y = 0; y < h; ++y) {
        const int j = h - 1 - y;  // destination row from the bottom
        const int sj = std::min(H - 1, int(float(j) * ys));
        rows[size_t(y)] = H - 1 - sj;
    }
}

void nearestAlpha(const RasterImage& src, RasterImage& out, const std::vector<int>& cols,
                  const std::vector<int>& rows)
{
    for (int y = 0; y < out.height(); ++y) {
        const uint8_t* sa = src.alphaRow(rows[size_t(y)]);
        uint8_t* da = out.alphaRow(y);
        for (int x = 0; x < out.width(); ++x)
            da[x] = sa[cols[size_t(x)]];
    }
}

// Writes one result colour into the destination (nearest palette entry for
// palette images).
inline void storeResult(RasterImage& out, uint8_t* drow, int x, uint8_t b, uint8_t g, uint8_t r)
{
    if (out.isPalette()) {
        drow[x] = uint8_t(out.nearestIndex(RgbQuad{b, g, r, 0}));
    } else {
        drow[x * 3] = b;
        drow[x * 3 + 1] = g;
        drow[x * 3 + 2] = r;
    }
}

}  // namespace

bool RasterImage::resampleNearest(int newWidth, int newHeight)
{
    if (!isValid() || newWidth <= 0 || newHeight <= 0)
        return false;
    const int W = width();
    const int H = height();
    if (newWidth == W && newHeight == H)
        return true;
    RasterImage out;
    if (!out.createLike(*this, newWidth, newHeight))
        return false;
    std::vector<int> cols, rows;
    nearestTables(W, H, newWidth, newHeight, cols, rows);
    const size_t bpp = depth() == 24 ? 3 : 1;
    for (int y = 0; y < newHeight; ++y) {
        const uint8_t* s = row(rows[size_t(y)]);
        uint8_t* d = out.row(y);
        if (bpp == 3) {
            for (int x = 0; x < newWidth; ++x)
                std::memcpy(d + size_t(x) * 3, s + size_t(cols[size_t(x)]) * 3, 3);
        } else {
            for (int x = 0; x < newWidth; ++x)
                d[x] = s[cols[size_t(x)]];
        }
    }
    if (hasAlpha())
        nearestAlpha(*this, out, cols, rows);
    replacePicture(std::move(out));
    return true;
}

bool RasterImage::resampleSmooth(int newWidth, int newHeight)
{
    if (!isValid() || newWidth <= 0 || newHeight <= 0)
        return false;
    const int W = width();
    const int H = height();
    if (newWidth == W && newHeight == H)
        return true;
    RasterImage out;
    if (!out.createLike(*this, newWidth, newHeight))
        return false;

    const float xs = float(W) / float(newWidth);
    const float ys = float(H) / float(newHeight);
    std::vector<float> sxs(static_cast<size_t>(newWidth)), sys(static_cast<size_t>(newHeight));
    for (int x = 0; x < newWidth; ++x)
        sxs[size_t(x)] = (float(x) + 0.5f) * xs - 0.5f;
    for (int y = 0; y < newHeight; ++y)
        sys[size_t(y)] = (float(y) + 0.5f) * ys - 0.5f;

    std::vector<uint8_t> scratch;
    const uint8_t* src = bgrPixels(*this, scratch);
    const size_t srcStride = size_t(W) * 3;
    const bool alpha = hasAlpha();

    if (xs <= 1.0f && ys <= 1.0f) {
        // Cubic convolution.
        std::vector<CubicTaps> tx(static_cast<size_t>(newWidth)), ty(static_cast<size_t>(newHeight));
        for (int x = 0; x < newWidth; ++x)
            tx[size_t(x)] = cubicTaps(sxs[size_t(x)], W);
        for (int y = 0; y < newHeight; ++y)
            ty[size_t(y)] = cubicTaps(sys[size_t(y)], H);
        for (int y = 0; y < newHeight; ++y) {
            const CubicTaps& vy = ty[size_t(y)];
            uint8_t* drow = out.row(y);
            uint8_t* darow = out.alphaRow(y);
            for (int x = 0; x < newWidth; ++x) {
                const CubicTaps& vx = tx[size_t(x)];
                double b = 0, g = 0, r = 0, a = 0;
                for (int ky = 0; ky < 4; ++ky) {
                    const uint8_t* srow = src + size_t(vy.index[ky]) * srcStride;
                    const uint8_t* sarow = alpha ? alphaRow(vy.index[ky]) : nullptr;
                    for (int kx = 0; kx < 4; ++kx) {
                        const double wgt = vx.weight[kx] * vy.weight[ky];
                        const uint8_t* p = srow + size_t(vx.index[kx]) * 3;
                        b += wgt * p[0];
                        g += wgt * p[1];
                        r += wgt * p[2];
                        if (sarow)
                            a += wgt * sarow[vx.index[kx]];
                    }
                }
                storeResult(out, drow, x, toChannel(b), toChannel(g), toChannel(r));
                if (darow)
                    darow[x] = toChannel(a);
            }
        }
    } else if (xs > 1.0f && ys > 1.0f) {
        // Area average.
        std::vector<std::vector<Cell>> cx(static_cast<size_t>(newWidth)), cy(static_cast<size_t>(newHeight));
        for (int x = 0; x < newWidth; ++x)
            cx[size_t(x)] = footprintCells(sxs[size_t(x)], xs, W, false);
        for (int y = 0; y < newHeight; ++y)
            cy[size_t(y)] = footprintCells(sys[size_t(y)], ys, H, false);
        const double area = double(xs) * double(ys);
        for (int y = 0; y < newHeight; ++y) {
            const std::vector<Cell>& rowsY = cy[size_t(y)];
            uint8_t* drow = out.row(y);
            for (int x = 0; x < newWidth; ++x) {
                const std::vector<Cell>& colsX = cx[size_t(x)];
                double b = 0, g = 0, r = 0;
                for (const Cell& ry : rowsY) {
                    const uint8_t* srow = src + size_t(ry.index) * srcStride;
                    for (const Cell& rx : colsX) {
                        const double wgt = rx.overlap * ry.overlap;
                        const uint8_t* p = srow + size_t(rx.index) * 3;
                        b += wgt * p[0];
                        g += wgt * p[1];
                        r += wgt * p[2];
                    }
                }
                storeResult(out, drow, x, toChannel(b / area), toChannel(g / area), toChannel(r / area));
            }
        }
    } else {
        // Shrinking on one axis: cubic value at the centre of each cell overlap,
        // weighted by the overlap area.
        std::vector<std::vector<Cell>> cx(static_cast<size_t>(newWidth)), cy(static_cast<size_t>(newHeight));
        for (int x = 0; x < newWidth; ++x)
            cx[size_t(x)] = footprintCells(sxs[size_t(x)], xs, W, true);
        for (int y = 0; y < newHeight; ++y)
            cy[size_t(y)] = footprintCells(sys[size_t(y)], ys, H, true);
        const double area = double(xs) * double(ys);
        for (int y = 0; y < newHeight; ++y) {
            const std::vector<Cell>& cellsY = cy[size_t(y)];
            uint8_t* drow = out.row(y);
            for (int x = 0; x < newWidth; ++x) {
                const std::vector<Cell>& cellsX = cx[size_t(x)];
                double b = 0, g = 0, r = 0;
                for (const Cell& ey : cellsY) {
                    for (const Cell& ex : cellsX) {
                        const double ov = ex.overlap * ey.overlap;
                        if (ov == 0.0)
                            continue;
                        double vb = 0, vg = 0, vr = 0;
                        for (int ky = 0; ky < 4; ++ky) {
                            const uint8_t* srow = src + size_t(ey.taps.index[ky]) * srcStride;
                            for (int kx = 0; kx < 4; ++kx) {
                                const double wgt = ex.taps.weight[kx] * ey.taps.weight[ky];
                                const uint8_t* p = srow + size_t(ex.taps.index[kx]) * 3;
                                vb += wgt * p[0];
                                vg += wgt * p[1];
                                vr += wgt * p[2];
                            }
                        }
                        b += vb * ov;
                        g += vg * ov;
                        r += vr * ov;
                    }
                }
                storeResult(out, drow, x, toChannel(b / area), toChannel(g / area), toChannel(r / area));
            }
        }
    }

    // The alpha plane: interpolated when enlarging (above), nearest samples otherwise.
    if (alpha && !(xs <= 1.0f && ys <= 1.0f)) {
        std::vector<int> cols, rows;
        nearestTables(W, H, newWidth, newHeight, cols, rows);
        nearestAlpha(*this, out, cols, rows);
    }
    replacePicture(std::move(out));
    return true;
}
