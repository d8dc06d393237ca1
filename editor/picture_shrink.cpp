// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/picture_shrink.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gif/ordered_parallel.h"
#include "imaging/raster_image.h"

namespace {

// Block of target index i on an axis of `src` source pixels shrunk to `dst`:
// source positions [begin, end), at least one.
struct Span {
    int begin;
    int end;
};

std::vector<Span> spans(int src, int dst)
{
    std::vector<Span> out(static_cast<size_t>(dst));
    for (int i = 0; i < dst; ++i) {
        const int b = int(int64_t(i) * src / dst);
        const int e = int(int64_t(i + 1) * src / dst);
        out[size_t(i)] = {std::min(b, src - 1), std::max(std::min(e, src), std::min(b, src - 1) + 1)};
    }
    return out;
}

// The positions of a block actually read: all, or at most `max` evenly spread.
void samples(const Span& s, int max, std::vector<int>& out)
{
    out.clear();
    const int n = s.end - s.begin;
    if (max <= 0 || n <= max) {
        for (int p = s.begin; p < s.end; ++p)
            out.push_back(p);
        return;
    }
    for (int k = 0; k < max; ++k)
        out.push_back(s.begin + int((int64_t(2 * k + 1) * n) / (2 * max)));
}

constexpr int kMaxAxisSamples = 4096;

}  // namespace

bool shrinkInto(const RasterImage& source, QImage& target, int maxSamples, int threads)
{
    if (!source.isValid() || source.depth() != 24 || target.isNull() ||
        (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32))
        return false;
    const int W = source.width();
    const int H = source.height();
    const int w = target.width();
    const int h = target.height();
    // At most 4096 x 4096 samples a block, so the sums fit in 32 bits.
    const int cap = maxSamples > 0 ? std::min(maxSamples, kMaxAxisSamples) : kMaxAxisSamples;
    const std::vector<Span> xs = spans(W, w);
    const std::vector<Span> ys = spans(H, h);

    // Per target column: the byte offsets of the columns read; contiguous
    // blocks are kept as (first offset, count) so the common case reads
    // straight along the row.
    std::vector<int> colStart(static_cast<size_t>(w) + 1);
    std::vector<int> cols;
    std::vector<int> tmp;
    std::vector<double> colInv(static_cast<size_t>(w));
    bool contiguous = true;
    for (int i = 0; i < w; ++i) {
        colStart[size_t(i)] = int(cols.size());
        samples(xs[size_t(i)], cap, tmp);
        contiguous = contiguous && tmp.back() - tmp.front() + 1 == int(tmp.size());
        for (int c : tmp)
            cols.push_back(c * 3);
        colInv[size_t(i)] = 1.0 / double(tmp.size());
    }
    colStart[size_t(w)] = int(cols.size());

    const int bands = std::max(1, std::min(threads, h));
    auto work = [&](int band) {
        const int j0 = int(int64_t(band) * h / bands);
        const int j1 = int(int64_t(band + 1) * h / bands);
        std::vector<uint32_t> sum(static_cast<size_t>(w) * 3);
        std::vector<int> rows;
        for (int j = j0; j < j1; ++j) {
            std::fill(sum.begin(), sum.end(), 0u);
            samples(ys[size_t(j)], cap, rows);
            for (int y : rows) {
                const uint8_t* s = source.row(y);
                uint32_t* acc = sum.data();
                for (int i = 0; i < w; ++i, acc += 3) {
                    const int k0 = colStart[size_t(i)];
                    const int n = colStart[size_t(i) + 1] - k0;
                    if (contiguous) {
                        const uint8_t* p = s + cols[size_t(k0)];
                        if (n == 1) {
                            acc[0] += p[0];
                            acc[1] += p[1];
                            acc[2] += p[2];
                        } else if (n == 2) {
                            acc[0] += uint32_t(p[0]) + p[3];
                            acc[1] += uint32_t(p[1]) + p[4];
                            acc[2] += uint32_t(p[2]) + p[5];
                        } else {
                            uint32_t b = 0, g = 0, r = 0;
                            for (const uint8_t* e = p + 3 * n; p < e; p += 3) {
                                b += p[0];
                                g += p[1];
                                r += p[2];
                            }
                            acc[0] += b;
                            acc[1] += g;
                            acc[2] += r;
                        }
                    } else {
                        uint32_t b = 0, g = 0, r = 0;
                        for (int k = k0; k < k0 + n; ++k) {
                            const uint8_t* p = s + cols[size_t(k)];
                            b += p[0];
                            g += p[1];
                            r += p[2];
                        }
                        acc[0] += b;
                        acc[1] += g;
                        acc[2] += r;
                    }
                }
            }
            QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(j));
            const double rowInv = 1.0 / double(rows.size());
            const uint32_t* acc = sum.data();
            for (int i = 0; i < w; ++i, acc += 3) {
                // Rounded mean (the sums are not negative, so + 0.5 rounds).
                const double inv = rowInv * colInv[size_t(i)];
                // NOLINTNEXTLINE(bugprone-incorrect-roundings)
                out[i] = qRgb(int(acc[2] * inv + 0.5), int(acc[1] * inv + 0.5), int(acc[0] * inv + 0.5));
            }
        }
    };
    runOrdered(bands, bands, work, [](int) { return true; });
    return true;
}
