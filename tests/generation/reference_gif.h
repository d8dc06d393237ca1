// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The generation algorithm written out literally and slowly, one step after the
// other on one thread, as the yardstick for the fast generator: pointer octree
// fed pixel by pixel, nearest colour by plain scan, diffusion on the composed
// picture itself, every frame through an in-memory single-image GIF read back by
// libgd and given the common palette with gdImagePaletteCopy, identical
// neighbours merged by walking the list, the file written buffer by buffer.
#include <gd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "editor/caption_renderer.h"
#include "effects/filter_lut.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "imaging/raster_image.h"

namespace reference {

struct Node {
    bool leaf = false;
    uint64_t count = 0;
    uint64_t sum[4] = {0, 0, 0, 0};
    Node* child[8] = {};
    Node* nextReducible = nullptr;
};

class Octree {
public:
    Octree() = default;
    ~Octree() { destroy(root_); }
    Octree(const Octree&) = delete;
    Octree& operator=(const Octree&) = delete;

    void feed(const RasterImage& img)
    {
        for (int y = img.height() - 1; y >= 0; --y)
            for (int x = 0; x < img.width(); ++x) {
                const uint8_t* p = img.row(y) + size_t(x) * 3;
                add(&root_, p[2], p[1], p[0], 0, 0);
                while (leaves_ > 256)
                    reduceOnce();
            }
    }
    int table(RgbQuad* out)
    {
        int n = 0;
        walk(root_, out, n);
        return n;
    }

private:
    void add(Node** slot, int r, int g, int b, int a, int level)
    {
        if (*slot == nullptr) {
            *slot = new Node();
            if (level == 8) {
                (*slot)->leaf = true;
                ++leaves_;
            } else {
                (*slot)->nextReducible = reducible_[level];
                reducible_[level] = *slot;
            }
        }
        Node* node = *slot;
        if (node->leaf) {
            node->count += 1;
            node->sum[0] += uint64_t(r);
            node->sum[1] += uint64_t(g);
            node->sum[2] += uint64_t(b);
            node->sum[3] += uint64_t(a);
            return;
        }
        const int mask = 0x80 >> level;
        const int c = ((r & mask) ? 4 : 0) | ((g & mask) ? 2 : 0) | ((b & mask) ? 1 : 0);
        add(&node->child[c], r, g, b, a, level + 1);
    }
    void reduceOnce()
    {
        int level = 7;
        while (level > 0 && reducible_[level] == nullptr)
            --level;
        Node* node = reducible_[level];
        reducible_[level] = node->nextReducible;
        int children = 0;
        for (Node*& c : node->child) {
            if (c == nullptr)
                continue;
            node->count += c->count;
            for (int k = 0; k < 4; ++k)
                node->sum[k] += c->sum[k];
            delete c;
            c = nullptr;
            ++children;
        }
        node->leaf = true;
        leaves_ -= children - 1;
    }
    void walk(Node* node, RgbQuad* out, int& n)
    {
        if (node == nullptr)
            return;
        if (node->leaf) {
            out[n++] = RgbQuad{uint8_t(node->sum[2] / node->count), uint8_t(node->sum[1] / node->count),
                               uint8_t(node->sum[0] / node->count), uint8_t(node->sum[3] / node->count)};
            return;
        }
        for (Node* c : node->child)
            walk(c, out, n);
    }
    void destroy(Node* node)
    {
        if (node == nullptr)
            return;
        for (Node* c : node->child)
            destroy(c);
        delete node;
    }

    Node* root_ = nullptr;
    Node* reducible_[8] = {};
    int leaves_ = 0;
};

inline int nearest(const RgbQuad* table, int r, int g, int b)
{
    int best = 0;
    long bestD = -1;
    for (int i = 0; i < 256; ++i) {
        const long dr = r - table[i].red, dg = g - table[i].green, db = b - table[i].blue;
        const long d = dr * dr + dg * dg + db * db;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}

inline uint8_t clampByte(int v)
{
    return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Reduces `img` (changed by the diffusion) into an index picture, top-down rows.
inline std::vector<uint8_t> reduce(RasterImage& img, const RgbQuad* table, bool diffusion)
{
    const int w = img.width(), h = img.height();
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    auto spread = [&](int x, int y, int er, int eg, int eb, int weight) {
        if (x < 0 || x >= w || y < 0)
            return;
        uint8_t* p = img.row(y) + size_t(x) * 3;
        p[2] = clampByte(p[2] + er * weight / 16);
        p[1] = clampByte(p[1] + eg * weight / 16);
        p[0] = clampByte(p[0] + eb * weight / 16);
    };
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = img.row(y) + size_t(x) * 3;
            const int r = p[2], g = p[1], b = p[0];
            const int k = nearest(table, r, g, b);
            out[size_t(y) * size_t(w) + size_t(x)] = uint8_t(k);
            if (!diffusion)
                continue;
            const int er = r - table[k].red, eg = g - table[k].green, eb = b - table[k].blue;
            spread(x + 1, y, er, eg, eb, 7);
            spread(x - 1, y - 1, er, eg, eb, 2);
            spread(x, y - 1, er, eg, eb, 4);
            spread(x + 1, y - 1, er, eg, eb, 1);
        }
    return out;
}

// The literal generation; returns whether a file was written.
inline bool generate(const FrameSequence& seq, const CaptionList& captions,
                     const GenerationSettings& settings, int filterNumber, bool dither)
{
    std::unique_ptr<FilterLut> filter = filterNumber >= 1 ? FilterLut::load(filterNumber) : nullptr;
    struct Rec {
        std::unique_ptr<RasterImage> image;
        int delay;
    };
    std::vector<Rec> composed;
    const int W = GifGenerator::outputSide(seq.frameWidth(), settings.outputScale);
    const int H = GifGenerator::outputSide(seq.frameHeight(), settings.outputScale);
    std::unique_ptr<RasterImage> mark =
        settings.imageWatermark.enabled ? settings.imageWatermark.prepare() : nullptr;
    int tw = 20, th = 15;
    if (settings.textWatermark.enabled)
        settings.textWatermark.measure(tw, th);
    for (int i = 0; i < seq.count(); ++i) {
        const FrameRecord* rec = seq.at(i);
        if (rec->image->flags() == 0)
            continue;
        auto copy = std::make_unique<RasterImage>(*rec->image);
        if (filter)
            filter->apply(*copy);
        for (const auto& c : captions)
            if (c->firstFrame <= i + 1 && i + 1 <= c->lastFrame)
                CaptionRenderer::drawOnFrame(*copy, *c);
        if (copy->width() != W || copy->height() != H)
            copy->resampleSmooth(W, H);
        if (mark)
            ImageWatermark::blend(*copy, *mark, settings.imageWatermark.corner);
        if (settings.textWatermark.enabled)
            settings.textWatermark.draw(*copy, tw, th);
        copy->clearTransparency();
        composed.push_back({std::move(copy), rec->delay});
    }
    if (composed.empty())
        return false;

    gdImagePtr pal = gdImageCreate(1, 1);
    Octree tree;
    for (const Rec& r : composed)
        tree.feed(*r.image);
    RgbQuad table[256] = {};
    const int used = tree.table(table);
    if (settings.keepWhite) {
        int best = -1, bestSum = 0;
        for (int k = 0; k < 255 && k < used; ++k) {
            const int s = table[k].red + table[k].green + table[k].blue;
            if (s > bestSum) {
                bestSum = s;
                best = k;
            }
        }
        if (best >= 0)
            table[best].red = table[best].green = table[best].blue = 255;
    }
    for (int k = used; k < 256; ++k)
        table[k] = table[0];

    std::vector<std::vector<uint8_t>> reduced;
    for (Rec& r : composed)
        reduced.push_back(reduce(*r.image, table, dither));
    for (int k = 0; k < 256; ++k)
        gdImageColorAllocate(pal, table[k].red, table[k].green, table[k].blue);

    struct Frame {
        gdImagePtr im;
        int delay;
    };
    std::vector<Frame> list;
    for (size_t j = 0; j < composed.size(); ++j) {
        // Single-image GIF in memory, read back.
        gdImagePtr single = gdImageCreate(W, H);
        for (int k = 0; k < 256; ++k)
            gdImageColorAllocate(single, table[k].red, table[k].green, table[k].blue);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                gdImageSetPixel(single, x, y, reduced[j][size_t(y) * size_t(W) + size_t(x)]);
        int size = 0;
        void* bytes = gdImageGifPtr(single, &size);
        gdImageDestroy(single);
        gdImagePtr im = gdImageCreateFromGifPtr(size, bytes);
        gdFree(bytes);
        if (im == nullptr)
            continue;
        gdImagePaletteCopy(im, pal);
        list.push_back({im, composed[j].delay});
    }
    gdImageDestroy(pal);
    for (size_t j = 1; j < list.size();) {
        if (gdImageCompare(list[j - 1].im, list[j].im) == 0) {
            list[j - 1].delay += list[j].delay;
            gdImageDestroy(list[j].im);
            list.erase(list.begin() + long(j));
        } else {
            ++j;
        }
    }
    std::FILE* f = std::fopen(settings.outputPath.toLocal8Bit().constData(), "wb");
    if (f != nullptr) {
        for (size_t e = 0; e < list.size(); ++e) {
            int size = 0;
            if (e == 0) {
                void* b = gdImageGifAnimBeginPtr(list[0].im, &size, 1, settings.playOnce ? -1 : 0);
                std::fwrite(b, 1, size_t(size), f);
                gdFree(b);
            }
            void* b = gdImageGifAnimAddPtr(list[e].im, &size, 0, 0, 0, list[e].delay, 1,
                                           e > 0 ? list[e - 1].im : nullptr);
            std::fwrite(b, 1, size_t(size), f);
            gdFree(b);
        }
        int size = 0;
        void* b = gdImageGifAnimEndPtr(&size);
        std::fwrite(b, 1, size_t(size), f);
        gdFree(b);
        std::fclose(f);
    }
    for (Frame& fr : list)
        gdImageDestroy(fr.im);
    return f != nullptr;
}

}  // namespace reference
