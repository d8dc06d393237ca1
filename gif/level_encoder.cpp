// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/level_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "gif/colour_histogram.h"
#include "gif/gif_stream_writer.h"
#include "gif/level_palette.h"
#include "gif/lzw_writer.h"
#include "gif/ordered_parallel.h"
#include "imaging/palette_lookup.h"

namespace {

constexpr int kMaxSide = 65535;
constexpr int kMaxDelay = 65535;
// Colours of a frame that always get a table of their own (with the
// transparent entry, 64 at most).
constexpr int kSmallTable = 63;

// 8 x 8 ordered-dither thresholds.
constexpr uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},    {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
};

inline int distance(const uint8_t* bgr, const RgbQuad& q)
{
    const int db = int(bgr[0]) - q.blue, dg = int(bgr[1]) - q.green, dr = int(bgr[2]) - q.red;
    return dr * dr + dg * dg + db * db;
}

inline int distance(const uint8_t* a, const uint8_t* b)
{
    const int d0 = int(a[0]) - b[0], d1 = int(a[1]) - b[1], d2 = int(a[2]) - b[2];
    return d0 * d0 + d1 * d1 + d2 * d2;
}

// Unchanged pixels between two pixels of a row that show a colour take their
// entry instead of "transparent" when the gap is at most this wide (and every
// pixel of it has an entry showing exactly what is on screen): rows that
// change almost everywhere then hold long strings of a few entries instead
// of scattered transparent pixels, which the LZW coder codes in far fewer
// codes. Wider stretches stay transparent.
constexpr int kWidestFilledGap = 64;

// Fills such gaps in the rectangle `indices` (rw x rh, B, G, R `shown` is
// what the screen shows under it) with the entries of `palette`.
void fillGaps(std::vector<uint8_t>& indices, const std::vector<uint8_t>& shown,
              const std::vector<RgbQuad>& palette, int rw, int rh, int transparent)
{
    std::unordered_map<uint32_t, uint8_t> entry;
    for (size_t i = palette.size(); i-- > 0;) {
        const RgbQuad& c = palette[i];
        entry[uint32_t(c.blue) | uint32_t(c.green) << 8 | uint32_t(c.red) << 16] = uint8_t(i);
    }
    std::vector<int> exact(size_t(rw) + 1);
    for (int y = 0; y < rh; ++y) {
        uint8_t* row = &indices[size_t(y) * size_t(rw)];
        const uint8_t* under = &shown[size_t(y) * size_t(rw) * 3];
        int x = 0;
        while (x < rw) {
            if (row[x] != transparent) {
                ++x;
                continue;
            }
            // The stretch of transparent pixels from x, cut at the first one
            // with no exact entry.
            int end = x;
            for (; end < rw && row[end] == transparent && end - x <= kWidestFilledGap; ++end) {
                const uint8_t* c = &under[size_t(end) * 3];
                const auto it = entry.find(uint32_t(c[0]) | uint32_t(c[1]) << 8 | uint32_t(c[2]) << 16);
                if (it == entry.end())
                    break;
                exact[size_t(end - x)] = it->second;
            }
            const bool between = x > 0 && end < rw && row[end] != transparent;
            if (between && end - x <= kWidestFilledGap)
                for (int i = x; i < end; ++i)
                    row[i] = uint8_t(exact[size_t(i - x)]);
            // Skip the rest of the stretch.
            while (end < rw && row[end] == transparent)
                ++end;
            x = end;
        }
    }
}

// What the parallel stage works out for one frame.
struct Prepared {
    std::vector<uint8_t> grey;     // black and white: the picture in grey, B = G = R
    std::vector<RgbQuad> palette;  // its own colours, unless it uses the global table
    bool global = false;
    std::vector<uint8_t> index;  // nearest (or dithered) entry of every changed pixel
    std::vector<int32_t> error;  // its squared error
    std::vector<uint8_t> changed;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // the changed pixels' rectangle (inclusive)
    // Another table to try (the global one or its own): the shorter frame is kept.
    std::unique_ptr<Prepared> other;
};

// One way to write a frame, made without touching the canvas.
struct Built {
    bool empty = true;  // shows nothing new
    GifStreamFrame frame;
    std::vector<uint8_t> indices;  // of its rectangle, as coded
    const std::vector<RgbQuad>* palette = nullptr;
    size_t bytes() const { return frame.data.size() + frame.palette.size() * 3; }
};

class Encoder {
public:
    Encoder(const std::vector<LevelFrame>& frames, const LevelRequest& request)
        : frames_(frames), r_(request), w_(request.width), h_(request.height), o_(request.options)
    {
    }

    bool run(std::vector<uint8_t>& out, const LevelEncoder::Progress& progress, int threads);

private:
    const uint8_t* source(int j, int x, int y) const
    {
        return frames_[size_t(j)].rows[size_t(y)] + size_t(x) * 3;
    }
    void prepare(int j, Prepared& p) const;
    void emit(int j, Prepared& p);
    Built build(int j, Prepared& p);
    void map(const Prepared& p, const std::vector<RgbQuad>& palette, const PaletteLookup& lookup, int j,
             std::vector<uint8_t>& index, std::vector<int32_t>& error, double& total) const;
    void dither(Prepared& p, int j, const std::vector<RgbQuad>& palette, const PaletteLookup& lookup,
                double total, uint64_t count) const;
    const uint8_t* pixelOf(const Prepared& p, int j, int x, int y) const
    {
        return o_.blackWhite ? &p.grey[(size_t(y) * size_t(w_) + size_t(x)) * 3] : source(j, x, y);
    }

    const std::vector<LevelFrame>& frames_;
    const LevelRequest& r_;
    const int w_, h_;
    const LevelOptions o_;
    // The global table: the first frame's palette, which later frames use
    // when it shows their changes about as well as their own would.
    std::vector<RgbQuad> global_;
    std::unique_ptr<PaletteLookup> globalLookup_;
    std::vector<uint8_t> canvas_;  // what the decoder shows so far, B, G, R
    std::vector<GifStreamFrame> out_;
    LzwWriter* lzw_[9] = {};
    std::unique_ptr<LzwWriter> lzwOwned_[9];
};

void Encoder::prepare(int j, Prepared& p) const
{
    const size_t n = size_t(w_) * size_t(h_);
    p.changed.assign(n, 0);
    p.x0 = w_;
    p.y0 = h_;
    p.x1 = -1;
    p.y1 = -1;
    if (o_.blackWhite) {
        p.grey.resize(n * 3);
        for (int y = 0; y < h_; ++y) {
            const uint8_t* s = frames_[size_t(j)].rows[size_t(y)];
            uint8_t* g = &p.grey[size_t(y) * size_t(w_) * 3];
            for (int x = 0; x < w_; ++x, s += 3, g += 3) {
                const uint8_t v = uint8_t((114 * s[0] + 587 * s[1] + 299 * s[2] + 500) / 1000);
                g[0] = g[1] = g[2] = v;
            }
        }
    }
    auto pixel = [&](int x, int y) -> const uint8_t* {
        return o_.blackWhite ? &p.grey[(size_t(y) * size_t(w_) + size_t(x)) * 3] : source(j, x, y);
    };
    ColourHistogram histogram;
    for (int y = 0; y < h_; ++y) {
        const uint8_t* s = frames_[size_t(j)].rows[size_t(y)];
        const uint8_t* prev = j > 0 ? frames_[size_t(j) - 1].rows[size_t(y)] : nullptr;
        if (prev != nullptr && (prev == s || std::memcmp(s, prev, size_t(w_) * 3) == 0))
            continue;
        for (int x = 0; x < w_; ++x) {
            if (prev != nullptr && std::memcmp(s + x * 3, prev + x * 3, 3) == 0)
                continue;
            p.changed[size_t(y) * size_t(w_) + size_t(x)] = 1;
            p.x0 = std::min(p.x0, x);
            p.x1 = std::max(p.x1, x);
            p.y0 = std::min(p.y0, y);
            p.y1 = std::max(p.y1, y);
            const uint8_t* c = pixel(x, y);
            histogram.add(c[2], c[1], c[0]);
        }
    }
    if (p.x1 < 0)
        return;
    uint64_t count = 0;
    for (uint8_t c : p.changed)
        count += c;
    double total = 0;
    if (j > 0) {
        // The global table first: when it is good enough no palette of its own is made.
        map(p, global_, *globalLookup_, j, p.index, p.error, total);
        p.global = true;
        // A few colours get a small table of their own even when the global
        // one has them: shorter codes make the frame smaller than the table.
        const bool few = histogram.exact() && histogram.distinct() <= kSmallTable;
        if (few || total > o_.globalSlack * double(count)) {
            // A palette of its own, of the fewest colours (255, 127, 63, ...) that
            // keep the changed pixels within the level's error.
            const std::vector<ColourSample> samples = histogram.samples();
            struct Own {
                std::vector<RgbQuad> palette;
                std::unique_ptr<PaletteLookup> lookup;
                std::vector<uint8_t> index;
                std::vector<int32_t> error;
                double total = 0;
            };
            auto make = [&](int colours) {
                auto own = std::make_unique<Own>();
                own->palette = LevelPalette::build(samples, colours, o_.kmeansRounds);
                if (r_.keepWhite)
                    LevelPalette::keepWhite(own->palette);
                own->lookup = std::make_unique<PaletteLookup>(own->palette.data(), int(own->palette.size()));
                map(p, own->palette, *own->lookup, j, own->index, own->error, own->total);
                return own;
            };
            int colours = o_.colours;
            std::unique_ptr<Own> own = make(colours);
            const double target = double(o_.frameError) * double(count);
            while (colours > 7 && int(own->palette.size()) > colours / 2 && own->total <= target) {
                colours = (colours + 1) / 2 - 1;
                std::unique_ptr<Own> fewer = make(colours);
                if (fewer->total > target)
                    break;
                own = std::move(fewer);
            }
            if ((few && own->total <= total) || total > own->total + o_.globalSlack * double(count)) {
                if (few) {
                    // The global table stays the other choice.
                    p.other = std::make_unique<Prepared>();
                    Prepared& g = *p.other;
                    g.grey = p.grey;
                    g.global = true;
                    g.index = p.index;
                    g.error = p.error;
                    g.changed = p.changed;
                    g.x0 = p.x0, g.y0 = p.y0, g.x1 = p.x1, g.y1 = p.y1;
                    dither(g, j, global_, *globalLookup_, total, count);
                }
                p.global = false;
                p.palette = std::move(own->palette);
                p.index.swap(own->index);
                p.error.swap(own->error);
                total = own->total;
                dither(p, j, p.palette, *own->lookup, total, count);
                return;
            }
        }
        dither(p, j, global_, *globalLookup_, total, count);
        return;
    }
    p.palette = LevelPalette::build(histogram.samples(), o_.colours, o_.kmeansRounds);
    if (r_.keepWhite)
        LevelPalette::keepWhite(p.palette);
    const PaletteLookup lookup(p.palette.data(), int(p.palette.size()));
    map(p, p.palette, lookup, j, p.index, p.error, total);
    dither(p, j, p.palette, lookup, total, count);
}

void Encoder::map(const Prepared& p, const std::vector<RgbQuad>& palette, const PaletteLookup& lookup, int j,
                  std::vector<uint8_t>& index, std::vector<int32_t>& error, double& total) const
{
    const size_t n = size_t(w_) * size_t(h_);
    index.assign(n, 0);
    error.assign(n, 0);
    total = 0;
    for (int y = p.y0; y <= p.y1; ++y)
        for (int x = p.x0; x <= p.x1; ++x) {
            const size_t at = size_t(y) * size_t(w_) + size_t(x);
            if (!p.changed[at])
                continue;
            const uint8_t* c = pixelOf(p, j, x, y);
            const int k = lookup.nearest(c[2], c[1], c[0]);
            index[at] = uint8_t(k);
            error[at] = distance(c, palette[size_t(k)]);
            total += error[at];
        }
}

void Encoder::dither(Prepared& p, int j, const std::vector<RgbQuad>& palette, const PaletteLookup& lookup,
                     double total, uint64_t count) const
{
    if (!r_.dither || o_.ditherStrength <= 0 || count == 0 || total == 0)
        return;
    // The pattern's amplitude follows the palette's typical error per channel.
    const float amplitude = o_.ditherStrength * 2.0f * float(std::sqrt(total / double(count) / 3.0));
    if (amplitude < 0.5f)
        return;
    for (int y = p.y0; y <= p.y1; ++y)
        for (int x = p.x0; x <= p.x1; ++x) {
            const size_t at = size_t(y) * size_t(w_) + size_t(x);
            if (!p.changed[at] || p.error[at] == 0)
                continue;
            const uint8_t* c = pixelOf(p, j, x, y);
            const int offset =
                int(std::lround((float(kBayer[y & 7][x & 7]) + 0.5f) / 64.0f * amplitude - amplitude * 0.5f));
            if (offset == 0)
                continue;
            auto shift = [offset](uint8_t v) { return uint8_t(std::clamp(int(v) + offset, 0, 255)); };
            const int k = lookup.nearest(shift(c[2]), shift(c[1]), shift(c[0]));
            p.index[at] = uint8_t(k);
            p.error[at] = distance(c, palette[size_t(k)]);
        }
}

Built Encoder::build(int j, Prepared& p)
{
    Built built;
    const int frameDelay = frames_[size_t(j)].delay;
    auto pixel = [&](int x, int y) { return pixelOf(p, j, x, y); };
    const std::vector<RgbQuad>& pal = p.global ? global_ : p.palette;
    built.palette = &pal;
    const int transparent = int(pal.size());  // the entry after the colours

    // What each changed pixel shows: its entry, or what is on screen already.
    int x0 = w_, y0 = h_, x1 = -1, y1 = -1;
    for (int y = p.y0; y <= p.y1; ++y)
        for (int x = p.x0; x <= p.x1; ++x) {
            const size_t at = size_t(y) * size_t(w_) + size_t(x);
            if (!p.changed[at])
                continue;
            if (j > 0) {
                const int onScreen = distance(&canvas_[at * 3], pixel(x, y));
                if (onScreen <= p.error[at] + o_.keepTolerance) {
                    p.changed[at] = 0;
                    continue;
                }
            }
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    if (x1 < 0)
        return built;
    built.empty = false;
    const int rw = x1 - x0 + 1, rh = y1 - y0 + 1;
    const size_t rn = size_t(rw) * size_t(rh);
    std::vector<uint8_t>& indices = built.indices;
    indices.resize(rn);
    std::vector<int32_t> limit(rn);
    std::vector<uint8_t> target(rn * 3), shown(rn * 3);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const size_t at = size_t(y) * size_t(w_) + size_t(x);
            const size_t k = size_t(y - y0) * size_t(rw) + size_t(x - x0);
            const uint8_t* s = pixel(x, y);
            std::memcpy(&target[k * 3], s, 3);
            std::memcpy(&shown[k * 3], &canvas_[at * 3], 3);
            int nominal;
            if (p.changed[at]) {
                indices[k] = p.index[at];
                nominal = p.error[at];
            } else {
                nominal = distance(&canvas_[at * 3], s);
                indices[k] = uint8_t(transparent);
            }
            limit[k] = nominal + o_.lossyTolerance;
        }
    GifStreamFrame& frame = built.frame;
    frame.left = x0;
    frame.top = y0;
    frame.width = rw;
    frame.height = rh;
    frame.delay = std::clamp(frameDelay, 0, kMaxDelay);
    const int tableColours = int(pal.size()) + 1;
    if (!p.global) {
        frame.palette = pal;
        frame.palette.resize(size_t(tableColours));
    }
    const int minCode = std::max(2, GifStreamWriter::tableBits(tableColours));
    if (!lzw_[minCode]) {
        lzwOwned_[minCode] = std::make_unique<LzwWriter>(minCode);
        lzw_[minCode] = lzwOwned_[minCode].get();
    }
    const bool canKeep = j > 0;
    LzwWriter::Cost cost = [&](int k, int index) -> int {
        if (index == transparent)
            return canKeep ? distance(&shown[size_t(k) * 3], &target[size_t(k) * 3]) : 1 << 30;
        if (index >= int(pal.size()))
            return 1 << 30;
        return distance(&target[size_t(k) * 3], pal[size_t(index)]);
    };
    if (canKeep)
        fillGaps(indices, shown, pal, rw, rh, transparent);
    lzw_[minCode]->encodeLossy(indices.data(), int(rn), limit.data(), cost, frame.data);
    bool anyTransparent = false;
    for (uint8_t v : indices)
        anyTransparent = anyTransparent || v == transparent;
    frame.transparentIndex = anyTransparent ? transparent : -1;

    return built;
}

void Encoder::emit(int j, Prepared& p)
{
    const int frameDelay = frames_[size_t(j)].delay;
    if (j == 0)
        canvas_.assign(size_t(w_) * size_t(h_) * 3, 0);
    Built best;
    if (p.x1 >= 0 || j == 0) {
        best = build(j, p);
        if (!best.empty && p.other) {
            Built other = build(j, *p.other);
            if (other.empty || other.bytes() < best.bytes())
                best = std::move(other);
        }
    }
    if (best.empty && j > 0) {
        GifStreamFrame& last = out_.back();
        last.delay = int(std::min<int64_t>(int64_t(last.delay) + frameDelay, kMaxDelay));
        return;
    }

    // The canvas takes what the decoder will show.
    const GifStreamFrame& f = best.frame;
    const std::vector<RgbQuad>& pal = *best.palette;
    const int transparent = int(pal.size());
    for (int y = f.top; y < f.top + f.height; ++y)
        for (int x = f.left; x < f.left + f.width; ++x) {
            const uint8_t v = best.indices[size_t(y - f.top) * size_t(f.width) + size_t(x - f.left)];
            if (v == transparent)
                continue;
            const RgbQuad& c = pal[v];
            uint8_t* d = &canvas_[(size_t(y) * size_t(w_) + size_t(x)) * 3];
            d[0] = c.blue;
            d[1] = c.green;
            d[2] = c.red;
        }
    out_.push_back(std::move(best.frame));
}

bool Encoder::run(std::vector<uint8_t>& out, const LevelEncoder::Progress& progress, int threads)
{
    const int m = int(frames_.size());
    std::vector<std::unique_ptr<Prepared>> prepared(static_cast<size_t>(m));
    prepared[0] = std::make_unique<Prepared>();
    prepare(0, *prepared[0]);
    global_ = prepared[0]->palette;
    prepared[0]->global = true;
    globalLookup_ = std::make_unique<PaletteLookup>(global_.data(), int(global_.size()));
    runOrdered(
        m, threads,
        [&](int j) {
            if (j == 0)
                return;
            auto p = std::make_unique<Prepared>();
            prepare(j, *p);
            prepared[size_t(j)] = std::move(p);
        },
        [&](int j) {
            emit(j, *prepared[size_t(j)]);
            prepared[size_t(j)].reset();
            if (progress)
                progress(int(int64_t(j + 1) * 99 / m));
            return true;
        },
        threads * 2);
    std::vector<RgbQuad> table = global_;
    table.resize(global_.size() + 1);  // and the transparent entry
    GifStreamWriter::begin(out, w_, h_, r_.playOnce, table);
    for (const GifStreamFrame& f : out_)
        GifStreamWriter::addFrame(out, f);
    GifStreamWriter::end(out);
    if (progress)
        progress(100);
    return true;
}

}  // namespace

bool LevelEncoder::encode(const std::vector<LevelFrame>& frames, const LevelRequest& request,
                          std::vector<uint8_t>& out, const Progress& progress, std::string* error,
                          int threads)
{
    auto fail = [error](const char* why) {
        if (error != nullptr)
            *error = why;
        return false;
    };
    out.clear();
    if (frames.empty())
        return fail("there are no frames");
    if (request.width < 1 || request.height < 1 || request.width > kMaxSide || request.height > kMaxSide)
        return fail("the output size is not usable");
    for (const LevelFrame& f : frames)
        if (int(f.rows.size()) != request.height)
            return fail("a frame does not have the output size");
    if (threads <= 0)
        threads = generationThreadCount();
    Encoder encoder(frames, request);
    return encoder.run(out, progress, threads);
}
