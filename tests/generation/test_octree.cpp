// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Octree palette and reduction to 256 colours: the fast quantizer (node pool,
// batched runs, cell-based nearest search) against a literal one-pixel-at-a-time
// implementation written straight from the algorithm's description.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include "imaging/octree_quantizer.h"
#include "imaging/palette_lookup.h"
#include "imaging/raster_image.h"

namespace {

// ---- literal reference -------------------------------------------------------

class LiteralOctree {
public:
    LiteralOctree(int maxColors, int bits) : max_(maxColors < 16 ? 16 : maxColors), bits_(bits > 8 ? 8 : bits)
    {
    }
    ~LiteralOctree() { destroy(root_); }

    void feed(const RasterImage& image)
    {
        for (int y = image.height() - 1; y >= 0; --y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.depth() == 24) {
                    const RgbQuad c = image.getColor(x, y);
                    add(c.red, c.green, c.blue, 0);
                } else {
                    const RgbQuad c = image.palette()[image.getPixelIndex(x, y)];
                    add(c.red, c.green, c.blue, c.reserved);
                }
                while (leaves_ > max_)
                    reduce();
            }
        }
    }

    std::vector<RgbQuad> table() const
    {
        std::vector<RgbQuad> out;
        walk(root_, out);
        return out;
    }

private:
    struct Node {
        bool leaf = false;
        unsigned long long count = 0;
        unsigned long long r = 0, g = 0, b = 0, a = 0;
        Node* child[8] = {};
        Node* next = nullptr;
    };

    Node* create(int level)
    {
        Node* n = new Node;
        if (level == bits_) {
            n->leaf = true;
            ++leaves_;
        } else {
            n->next = lists_[level];
            lists_[level] = n;
        }
        return n;
    }

    void add(int r, int g, int b, int a)
    {
        Node** link = &root_;
        for (int level = 0;; ++level) {
            if (*link == nullptr)
                *link = create(level);
            Node* n = *link;
            if (n->leaf) {
                n->count += 1;
                n->r += r;
                n->g += g;
                n->b += b;
                n->a += a;
                return;
            }
            const int mask = 0x80 >> level;
            const int index = ((r & mask) ? 4 : 0) + ((g & mask) ? 2 : 0) + ((b & mask) ? 1 : 0);
            link = &n->child[index];
        }
    }

    void reduce()
    {
        int level = bits_ - 1;
        while (level > 0 && lists_[level] == nullptr)
            --level;
        Node* n = lists_[level];
        lists_[level] = n->next;
        int children = 0;
        for (Node*& c : n->child) {
            if (c == nullptr)
                continue;
            n->count += c->count;
            n->r += c->r;
            n->g += c->g;
            n->b += c->b;
            n->a += c->a;
            delete c;
            c = nullptr;
            ++children;
        }
        n->leaf = true;
        leaves_ -= children - 1;
    }

    static void walk(const Node* n, std::vector<RgbQuad>& out)
    {
        if (n == nullptr)
            return;
        if (n->leaf) {
            out.push_back(RgbQuad{uint8_t(n->b / n->count), uint8_t(n->g / n->count),
                                  uint8_t(n->r / n->count), uint8_t(n->a / n->count)});
            return;
        }
        for (const Node* c : n->child)
            walk(c, out);
    }

    static void destroy(Node* n)
    {
        if (n == nullptr)
            return;
        for (Node* c : n->child)
            destroy(c);
        delete n;
    }

    int max_;
    int bits_;
    int leaves_ = 0;
    Node* root_ = nullptr;
    Node* lists_[8] = {};
};

// Nearest entry with the remembered last question.
struct LiteralNearest {
    const RgbQuad* palette;
    bool haveLast = false;
    RgbQuad last{};
    int lastAnswer = 0;
    int operator()(RgbQuad p)
    {
        p.reserved = 0;
        if (haveLast && p == last)
            return lastAnswer;
        int best = 0;
        int bestD = INT_MAX;
        for (int i = 0; i < 256; ++i) {
            const int dr = p.red - palette[i].red, dg = p.green - palette[i].green,
                      db = p.blue - palette[i].blue;
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestD) {
                bestD = d;
                best = i;
                if (d == 0)
                    break;
            }
        }
        haveLast = true;
        last = p;
        lastAnswer = best;
        return best;
    }
};

int clampByte(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Indices (top-down rows) of the literal reduction; `source` is changed as written.
std::vector<uint8_t> literalReduce(RasterImage source, const RgbQuad* table, bool diffusion)
{
    const int w = source.width(), h = source.height();
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    LiteralNearest nearest{table};
    auto addTo = [&](int x, int y, int er, int eg, int eb, int k) {
        if (x < 0 || x >= w || y < 0 || y >= h)
            return;
        RgbQuad c = source.getColor(x, y);
        c.red = uint8_t(clampByte(c.red + er * k / 16));
        c.green = uint8_t(clampByte(c.green + eg * k / 16));
        c.blue = uint8_t(clampByte(c.blue + eb * k / 16));
        source.setColor(x, y, c);
    };
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const RgbQuad p = source.getColor(x, y);
            const int i = nearest(p);
            out[size_t(y) * size_t(w) + size_t(x)] = uint8_t(i);
            if (!diffusion)
                continue;
            const int er = p.red - table[i].red, eg = p.green - table[i].green, eb = p.blue - table[i].blue;
            addTo(x + 1, y, er, eg, eb, 7);
            addTo(x - 1, y - 1, er, eg, eb, 2);
            addTo(x, y - 1, er, eg, eb, 4);
            addTo(x + 1, y - 1, er, eg, eb, 1);
        }
    }
    return out;
}

// ---- helpers -------------------------------------------------------------------

RasterImage makeImage(int w, int h, int depth = 24)
{
    RasterImage image;
    EXPECT_TRUE(image.create(w, h, depth));
    return image;
}

void setPixel(RasterImage& image, int x, int y, int r, int g, int b)
{
    uint8_t* p = image.row(y) + size_t(x) * 3;
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
}

// Blocks of flat colour (long runs) mixed with noisy areas and gradients.
RasterImage randomImage(std::mt19937& rng, int w, int h, int colourBits)
{
    RasterImage image = makeImage(w, h);
    std::uniform_int_distribution<int> any(0, 255);
    const int mask = 0xFF & ~((1 << (8 - colourBits)) - 1);
    int r = 0, g = 0, b = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int mode = (x / 7 + y / 5) % 4;
            if (mode == 0 || any(rng) < 24) {
                r = any(rng) & mask;
                g = any(rng) & mask;
                b = any(rng) & mask;
            } else if (mode == 1) {
                r = (x * 255 / w) & mask;
                g = (y * 255 / h) & mask;
            }  // modes 2 and 3 repeat the previous colour: runs
            setPixel(image, x, y, r, g, b);
        }
    }
    return image;
}

std::vector<uint8_t> indicesOf(const RasterImage& image)
{
    std::vector<uint8_t> out;
    for (int y = 0; y < image.height(); ++y)
        out.insert(out.end(), image.row(y), image.row(y) + image.width());
    return out;
}

std::vector<RgbQuad> fullTable(const std::vector<RgbQuad>& entries)
{
    std::vector<RgbQuad> table(256);
    std::copy(entries.begin(), entries.end(), table.begin());
    return table;
}

}  // namespace

// ---- settings ------------------------------------------------------------------

TEST(OctreeQuantizer, SettingsAreBounded)
{
    OctreeQuantizer small(4, 12);
    EXPECT_EQ(small.maxColors(), 16);
    EXPECT_EQ(small.colorBits(), 8);
    OctreeQuantizer usual(256, 8);
    EXPECT_EQ(usual.maxColors(), 256);
    EXPECT_EQ(usual.colorBits(), 8);
}

// ---- palette building ------------------------------------------------------------

TEST(OctreeQuantizer, TenColoursGiveExactlyThoseTen)
{
    const int colours[10][3] = {{0, 0, 0},    {255, 255, 255}, {255, 0, 0}, {0, 255, 0},     {0, 0, 255},
                                {12, 34, 56}, {200, 100, 50},  {1, 2, 3},   {128, 128, 128}, {250, 250, 249}};
    // Two frames; together they hold the ten colours.
    RasterImage a = makeImage(40, 30), b = makeImage(13, 7);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const int* c = colours[(x * 3 + y) % 6];
            setPixel(a, x, y, c[0], c[1], c[2]);
        }
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            const int* c = colours[6 + (x + y) % 4];
            setPixel(b, x, y, c[0], c[1], c[2]);
        }
    OctreeQuantizer q(256, 8);
    ASSERT_TRUE(q.feed(a));
    ASSERT_TRUE(q.feed(b));
    const std::vector<RgbQuad> table = q.colorTable();
    ASSERT_EQ(table.size(), 10u);
    std::set<std::tuple<int, int, int>> expected, got;
    for (const auto& c : colours)
        expected.insert({c[0], c[1], c[2]});
    for (const RgbQuad& e : table) {
        got.insert({e.red, e.green, e.blue});
        EXPECT_EQ(e.reserved, 0);  // 24-bit pixels carry alpha 0
    }
    EXPECT_EQ(got, expected);
}

TEST(OctreeQuantizer, BlueComesBeforeRed)
{
    RasterImage image = makeImage(2, 1);
    setPixel(image, 0, 0, 255, 0, 0);  // red first in the picture
    setPixel(image, 1, 0, 0, 0, 255);
    OctreeQuantizer q;
    ASSERT_TRUE(q.feed(image));
    const std::vector<RgbQuad> table = q.colorTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (RgbQuad{255, 0, 0, 0}));  // blue
    EXPECT_EQ(table[1], (RgbQuad{0, 0, 255, 0}));  // red
}

TEST(OctreeQuantizer, TwentyMillionWhitePixelsStayWhite)
{
    // 20 000 000 × 255 does not fit in 32 bits.
    RasterImage image = makeImage(5000, 4000);
    for (int y = 0; y < image.height(); ++y)
        std::memset(image.row(y), 0xFF, image.stride());
    OctreeQuantizer q;
    ASSERT_TRUE(q.feed(image));
    std::vector<RgbQuad> table = q.colorTable();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0], (RgbQuad{255, 255, 255, 0}));

    // The same through runs, with a palette alpha of 255.
    OctreeQuantizer runs;
    runs.addColorRun(255, 255, 255, 255, 20'000'000);
    runs.addColorRun(255, 255, 255, 255, 20'000'000);
    table = runs.colorTable();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0], (RgbQuad{255, 255, 255, 255}));
}

TEST(OctreeQuantizer, PalettePixelsUseTheirEntryAndReservedByteAsAlpha)
{
    RasterImage image = makeImage(3, 2, 8);
    image.setPaletteEntry(0, RgbQuad{10, 20, 30, 40});
    image.setPaletteEntry(1, RgbQuad{200, 100, 0, 7});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.row(y)[x] = uint8_t(x == 1 ? 1 : 0);
    OctreeQuantizer q;
    ASSERT_TRUE(q.feed(image));
    const std::vector<RgbQuad> table = q.colorTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0], (RgbQuad{10, 20, 30, 40}));  // child 0 at level 0
    EXPECT_EQ(table[1], (RgbQuad{200, 100, 0, 7}));  // blue 200: child 1
}

TEST(OctreeQuantizer, InvalidImageIsRefused)
{
    OctreeQuantizer q;
    EXPECT_FALSE(q.feed(RasterImage()));
    EXPECT_EQ(q.leafCount(), 0);
    EXPECT_TRUE(q.colorTable().empty());
}

TEST(OctreeQuantizer, FastFeedingMatchesLiteralFeeding)
{
    std::mt19937 rng(1234);
    struct Case {
        int maxColors, bits, colourBits, frames, w, h;
    } cases[] = {
        {256, 8, 8, 3, 97, 61},   // many colours: reductions at level 7 and above
        {16, 8, 8, 2, 50, 40},    // smallest tree
        {10, 8, 3, 2, 64, 64},    // raised to 16; few distinct colours
        {64, 5, 8, 2, 80, 50},    // shallow tree
        {256, 8, 4, 4, 120, 90},  // up to 4096 colours with long runs
        {16, 3, 8, 2, 60, 40},    // leaves above the walk shortcuts
        {20, 1, 8, 1, 30, 20},    // a two-level tree
        {1000, 8, 8, 3, 90, 70},  // a large palette
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "M=" << c.maxColors << " bits=" << c.bits);
        OctreeQuantizer fast(c.maxColors, c.bits);
        LiteralOctree literal(c.maxColors, c.bits);
        for (int f = 0; f < c.frames; ++f) {
            const RasterImage image = randomImage(rng, c.w, c.h, c.colourBits);
            ASSERT_TRUE(fast.feed(image));
            literal.feed(image);
        }
        // Long runs of a few colours (averages depend on every run's exact length).
        RasterImage runs = makeImage(151, 23);
        std::uniform_int_distribution<int> length(1, 80), pick(0, 39);
        int left = 0, colour = 0;
        for (int y = 0; y < runs.height(); ++y)
            for (int x = 0; x < runs.width(); ++x) {
                if (left-- <= 0) {
                    left = length(rng);
                    colour = pick(rng);
                }
                setPixel(runs, x, y, colour * 6, 255 - colour * 5, (colour * 37) & 0xFF);
            }
        ASSERT_TRUE(fast.feed(runs));
        literal.feed(runs);
        // A palette frame as well.
        RasterImage pal = makeImage(31, 17, 8);
        std::uniform_int_distribution<int> any(0, 255);
        for (int i = 0; i < 256; ++i)
            pal.setPaletteEntry(
                i, RgbQuad{uint8_t(any(rng)), uint8_t(any(rng)), uint8_t(any(rng)), uint8_t(any(rng))});
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 31; ++x)
                pal.row(y)[x] = uint8_t(x < 10 ? 3 : any(rng));
        ASSERT_TRUE(fast.feed(pal));
        literal.feed(pal);

        const std::vector<RgbQuad> expected = literal.table();
        const std::vector<RgbQuad> got = fast.colorTable();
        ASSERT_EQ(got.size(), expected.size());
        EXPECT_LE(int(got.size()), std::max(16, c.maxColors));
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], expected[i]) << "entry " << i;
    }
}

// ---- nearest entry ---------------------------------------------------------------

TEST(PaletteLookup, AnswersWhatTheScanAnswers)
{
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> any(0, 255);
    for (int round = 0; round < 6; ++round) {
        const int count = round == 0 ? 1 : (round == 1 ? 3 : 256);
        std::vector<RgbQuad> palette(static_cast<size_t>(count));
        for (RgbQuad& e : palette) {
            if (round == 5)  // clustered entries with many duplicates and ties
                e = RgbQuad{uint8_t(any(rng) & 0xC0), uint8_t(any(rng) & 0xC0), uint8_t(any(rng) & 0xE0), 0};
            else
                e = RgbQuad{uint8_t(any(rng)), uint8_t(any(rng)), uint8_t(any(rng)), 0};
        }
        const PaletteLookup lookup(palette.data(), count);
        for (int k = 0; k < 60000; ++k) {
            const uint8_t r = uint8_t(any(rng)), g = uint8_t(any(rng)), b = uint8_t(any(rng));
            ASSERT_EQ(lookup.nearest(r, g, b), PaletteLookup::scan(palette.data(), count, r, g, b))
                << int(r) << "," << int(g) << "," << int(b) << " round " << round;
        }
    }
}

TEST(PaletteLookup, OneLookupServesSeveralThreads)
{
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> any(0, 255);
    std::vector<RgbQuad> palette(256);
    for (RgbQuad& e : palette)
        e = RgbQuad{uint8_t(any(rng)), uint8_t(any(rng)), uint8_t(any(rng)), 0};
    const PaletteLookup lookup(palette.data(), 256);
    int mismatches[4] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 local(100 + t % 2);  // pairs of threads ask the same colours at once
            for (int k = 0; k < 40000; ++k) {
                const uint32_t c = local();
                const uint8_t r = uint8_t(c), g = uint8_t(c >> 8), b = uint8_t(c >> 16);
                mismatches[t] += lookup.nearest(r, g, b) != PaletteLookup::scan(palette.data(), 256, r, g, b);
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
}

TEST(PaletteLookup, EqualEntriesGiveTheLowerIndex)
{
    std::vector<RgbQuad> table(256, RgbQuad{255, 255, 255, 0});
    table[3] = RgbQuad{30, 20, 10, 0};
    table[7] = RgbQuad{30, 20, 10, 0};
    table[9] = RgbQuad{31, 20, 10, 0};
    table[8] = RgbQuad{29, 20, 10, 0};  // equally far from (10, 20, 30) + (0, 0, 0, 1) as entry 9
    const PaletteLookup lookup(table.data(), 256);
    EXPECT_EQ(lookup.nearest(10, 20, 30), 3);
    EXPECT_EQ(OctreeQuantizer::nearestIndex(table.data(), 256, RgbQuad{30, 20, 10, 0}), 3);
    table[3] = RgbQuad{0, 0, 0, 0};
    const PaletteLookup second(table.data(), 256);
    EXPECT_EQ(second.nearest(10, 20, 30), 7);  // 7 before 8 and 9 at distance 1

    // In a reduced image as well.
    RasterImage image = makeImage(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            setPixel(image, x, y, 10, 20, 30);
    ASSERT_TRUE(OctreeQuantizer::reduce(image, table.data(), true));
    for (uint8_t i : indicesOf(image))
        EXPECT_EQ(i, 7);
}

// ---- reduction ---------------------------------------------------------------------

TEST(OctreeQuantizer, NoErrorToDiffuseWhenEveryColourIsInTheTable)
{
    std::mt19937 rng(7);
    const RasterImage source = randomImage(rng, 60, 40, 2);  // at most 64 colours
    OctreeQuantizer q;
    ASSERT_TRUE(q.feed(source));
    const std::vector<RgbQuad> table = fullTable(q.colorTable());
    ASSERT_LE(q.leafCount(), 64);
    RasterImage plain = source, dithered = source;
    ASSERT_TRUE(OctreeQuantizer::reduce(plain, table.data(), false));
    ASSERT_TRUE(OctreeQuantizer::reduce(dithered, table.data(), true));
    ASSERT_EQ(dithered.depth(), 8);
    EXPECT_EQ(indicesOf(plain), indicesOf(dithered));
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const RgbQuad want = source.getColor(x, y);
            const RgbQuad got = dithered.palette()[dithered.row(y)[x]];
            ASSERT_EQ((RgbQuad{got.blue, got.green, got.red, 0}), want);
        }
}

TEST(OctreeQuantizer, FastReductionMatchesLiteralReduction)
{
    std::mt19937 rng(4321);
    // Odd and even heights (rows are reduced in pairs), and the narrowest pictures.
    const std::vector<std::pair<int, int>> sizes = {{40, 30}, {63, 41}, {86, 52}, {109, 63}, {1, 1},
                                                    {1, 5},   {2, 3},   {3, 2},   {5, 1},    {4, 7}};
    for (int round = 0; round < int(sizes.size()); ++round) {
        SCOPED_TRACE(round);
        const auto [w, h] = sizes[size_t(round)];
        const RasterImage source = randomImage(rng, w, h, 8);
        OctreeQuantizer q(round == 3 ? 16 : 256, 8);
        ASSERT_TRUE(q.feed(source));
        std::vector<RgbQuad> table = fullTable(q.colorTable());
        if (round == 2)  // unused entries repeat entry 0
            std::fill(table.begin() + q.leafCount(), table.end(), table[0]);
        for (bool diffusion : {false, true}) {
            RasterImage reduced = source;
            reduced.setFlags(5);
            ASSERT_TRUE(OctreeQuantizer::reduce(reduced, table.data(), diffusion));
            EXPECT_EQ(reduced.depth(), 8);
            EXPECT_EQ(reduced.width(), w);
            EXPECT_EQ(reduced.flags(), 5u);
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ(reduced.palette()[i], table[size_t(i)]);
            EXPECT_EQ(indicesOf(reduced), literalReduce(source, table.data(), diffusion))
                << "diffusion " << diffusion;
        }
    }
}

TEST(OctreeQuantizer, DiffusionSpreadsFourteenSixteenthsTowardZero)
{
    // Table: black and white only; the source changes as the errors spread.
    std::vector<RgbQuad> table(256, RgbQuad{0, 0, 0, 0});
    table[1] = RgbQuad{255, 255, 255, 0};
    const PaletteLookup lookup(table.data(), 256);
    auto grey = [](const RasterImage& image, int x, int y) { return int(image.getColor(x, y).red); };
    std::vector<uint8_t> out(6);
    uint8_t* rows[2] = {out.data(), out.data() + 3};

    // Positive error: grey 100 in the bottom-left corner of black.
    RasterImage image = makeImage(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            setPixel(image, x, y, 0, 0, 0);
    setPixel(image, 0, 1, 100, 100, 100);
    ASSERT_TRUE(OctreeQuantizer::reduceToIndices(image, lookup, true, rows));
    EXPECT_EQ(grey(image, 1, 1), 43);  // 100 * 7 / 16
    EXPECT_EQ(grey(image, 2, 1), 18);  // 43 * 7 / 16
    EXPECT_EQ(grey(image, 0, 0), 30);  // 100 * 4 / 16 + 43 * 2 / 16
    EXPECT_EQ(grey(image, 1, 0), 31);  // 6 + 10 + 2, then 30 * 7 / 16
    EXPECT_EQ(grey(image, 2, 0), 19);  // 2 + 4, then 31 * 7 / 16
    EXPECT_EQ(out, std::vector<uint8_t>(6, 0));

    // Negative error, truncated toward zero, and clamping at 0.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            setPixel(image, x, y, 250, 250, 250);
    setPixel(image, 0, 1, 200, 200, 200);  // white, error -55
    setPixel(image, 0, 0, 5, 5, 5);
    ASSERT_TRUE(OctreeQuantizer::reduceToIndices(image, lookup, true, rows));
    EXPECT_EQ(grey(image, 1, 1), 226);  // 250 + (-385 / 16 = -24), not -25
    EXPECT_EQ(grey(image, 0, 0), 0);    // 5 - 13 clamped, then -3 more
    EXPECT_EQ(rows[1][0], 1);
    EXPECT_EQ(rows[0][0], 0);
}
