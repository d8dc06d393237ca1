// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/level_palette.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numeric>

namespace {

struct Box {
    int begin = 0;
    int end = 0;
    double error = 0;  // weighted squared error about the mean
    int axis = 0;      // the axis of largest spread
};

float channel(const ColourSample& s, int axis)
{
    return axis == 0 ? s.red : (axis == 1 ? s.green : s.blue);
}

Box measure(const std::vector<ColourSample>& s, int begin, int end)
{
    Box box{begin, end, 0, 0};
    double w = 0, m[3] = {0, 0, 0}, q[3] = {0, 0, 0};
    for (int i = begin; i < end; ++i) {
        const double wi = s[size_t(i)].weight;
        w += wi;
        for (int a = 0; a < 3; ++a) {
            const double v = channel(s[size_t(i)], a);
            m[a] += wi * v;
            q[a] += wi * v * v;
        }
    }
    if (w <= 0 || end - begin < 2)
        return box;
    double best = -1;
    for (int a = 0; a < 3; ++a) {
        const double var = q[a] - m[a] * m[a] / w;
        box.error += var;
        if (var > best) {
            best = var;
            box.axis = a;
        }
    }
    return box;
}

RgbQuad toQuad(double r, double g, double b)
{
    auto c = [](double v) { return uint8_t(std::clamp(int(std::lround(v)), 0, 255)); };
    return RgbQuad{c(b), c(g), c(r), 0};
}

}  // namespace

std::vector<RgbQuad> LevelPalette::build(std::vector<ColourSample> samples, int colours, int kmeansRounds)
{
    std::vector<RgbQuad> palette;
    colours = std::clamp(colours, 1, 256);
    if (samples.empty()) {
        palette.push_back(RgbQuad{});
        return palette;
    }
    const int n = int(samples.size());
    if (n <= colours) {
        for (const ColourSample& s : samples)
            palette.push_back(toQuad(s.red, s.green, s.blue));
        return palette;
    }

    // Median cut.
    std::vector<Box> boxes;
    boxes.push_back(measure(samples, 0, n));
    while (int(boxes.size()) < colours) {
        int pick = -1;
        double worst = 0;
        for (int b = 0; b < int(boxes.size()); ++b)
            if (boxes[size_t(b)].end - boxes[size_t(b)].begin >= 2 && boxes[size_t(b)].error > worst) {
                worst = boxes[size_t(b)].error;
                pick = b;
            }
        if (pick < 0)
            break;
        const Box box = boxes[size_t(pick)];
        const int axis = box.axis;
        std::stable_sort(samples.begin() + box.begin, samples.begin() + box.end,
                         [axis](const ColourSample& a, const ColourSample& b) {
                             return channel(a, axis) < channel(b, axis);
                         });
        double total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += samples[size_t(i)].weight;
        double acc = 0;
        int cut = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            acc += samples[size_t(i)].weight;
            cut = i + 1;
            if (acc * 2 >= total)
                break;
        }
        boxes[size_t(pick)] = measure(samples, box.begin, cut);
        boxes.push_back(measure(samples, cut, box.end));
    }

    const int k = int(boxes.size());
    const size_t ks = size_t(k);
    std::vector<double> cr(ks), cg(ks), cb(ks);
    for (int b = 0; b < k; ++b) {
        double w = 0, r = 0, g = 0, bl = 0;
        for (int i = boxes[size_t(b)].begin; i < boxes[size_t(b)].end; ++i) {
            const ColourSample& s = samples[size_t(i)];
            w += s.weight;
            r += s.weight * s.red;
            g += s.weight * s.green;
            bl += s.weight * s.blue;
        }
        cr[size_t(b)] = r / w;
        cg[size_t(b)] = g / w;
        cb[size_t(b)] = bl / w;
    }

    // k-means: nearest centre by a scan outward along green (centres sorted
    // by green; |dg| bounds the distance), then centres move to their means.
    std::vector<int> order(ks);
    std::vector<float> sortedG(ks);
    std::vector<double> sw(ks), sr(ks), sg(ks), sb(ks);
    for (int round = 0; round < kmeansRounds; ++round) {
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return cg[size_t(a)] < cg[size_t(b)]; });
        for (int i = 0; i < k; ++i)
            sortedG[size_t(i)] = float(cg[size_t(order[size_t(i)])]);
        std::fill(sw.begin(), sw.end(), 0.0);
        std::fill(sr.begin(), sr.end(), 0.0);
        std::fill(sg.begin(), sg.end(), 0.0);
        std::fill(sb.begin(), sb.end(), 0.0);
        for (const ColourSample& s : samples) {
            const int start =
                int(std::lower_bound(sortedG.begin(), sortedG.end(), s.green) - sortedG.begin());
            float best = FLT_MAX;
            int bestIndex = order[size_t(std::min(start, k - 1))];
            auto test = [&](int pos) {
                const int c = order[size_t(pos)];
                const float dr = float(cr[size_t(c)]) - s.red;
                const float dg = float(cg[size_t(c)]) - s.green;
                const float db = float(cb[size_t(c)]) - s.blue;
                const float d = dr * dr + dg * dg + db * db;
                if (d < best || (d == best && c < bestIndex)) {
                    best = d;
                    bestIndex = c;
                }
            };
            int lo = start - 1, hi = start;
            while (lo >= 0 || hi < k) {
                bool progressed = false;
                if (hi < k) {
                    const float dg = sortedG[size_t(hi)] - s.green;
                    if (dg * dg <= best) {
                        test(hi++);
                        progressed = true;
                    } else {
                        hi = k;
                    }
                }
                if (lo >= 0) {
                    const float dg = s.green - sortedG[size_t(lo)];
                    if (dg * dg <= best) {
                        test(lo--);
                        progressed = true;
                    } else {
                        lo = -1;
                    }
                }
                if (!progressed)
                    break;
            }
            sw[size_t(bestIndex)] += s.weight;
            sr[size_t(bestIndex)] += double(s.weight) * s.red;
            sg[size_t(bestIndex)] += double(s.weight) * s.green;
            sb[size_t(bestIndex)] += double(s.weight) * s.blue;
        }
        for (int c = 0; c < k; ++c) {
            if (sw[size_t(c)] > 0) {
                cr[size_t(c)] = sr[size_t(c)] / sw[size_t(c)];
                cg[size_t(c)] = sg[size_t(c)] / sw[size_t(c)];
                cb[size_t(c)] = sb[size_t(c)] / sw[size_t(c)];
            }
        }
    }
    palette.reserve(size_t(k));
    for (int c = 0; c < k; ++c)
        palette.push_back(toQuad(cr[size_t(c)], cg[size_t(c)], cb[size_t(c)]));
    // Rounding can make two centres equal: keep the first of each.
    std::vector<RgbQuad> unique;
    for (const RgbQuad& q : palette)
        if (std::find(unique.begin(), unique.end(), q) == unique.end())
            unique.push_back(q);
    return unique;
}

void LevelPalette::keepWhite(std::vector<RgbQuad>& palette)
{
    int best = -1;
    int bestSum = 0;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int sum = palette[size_t(i)].red + palette[size_t(i)].green + palette[size_t(i)].blue;
        if (sum > bestSum) {
            bestSum = sum;
            best = i;
        }
    }
    if (best >= 0)
        palette[size_t(best)] = RgbQuad{255, 255, 255, 0};
}
