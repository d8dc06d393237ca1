// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The quick PNG path gives what libpng gives: the same pictures for files of
// every filter type, split or not, and the same picture or error for files it
// leaves to libpng.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "imaging/png_codec.h"
#include "imaging/png_fast_decoder.h"
#include "imaging/raster_image.h"

namespace {

void putBe32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body,
              bool badCrc = false)
{
    putBe32(out, uint32_t(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    uint32_t crc = uint32_t(crc32(0, out.data() + start, uInt(out.size() - start)));
    putBe32(out, badCrc ? crc ^ 1u : crc);
}

struct PngRecipe {
    int width = 37;
    int height = 23;
    int colourType = 2;      // 2 = RGB, 6 = RGBA
    int filterSet = -1;      // -1 = row y gets filter y % 5, else every row this filter
    int windowBits = 15;     // of the zlib stream
    size_t idatPiece = 0;    // 0 = one IDAT chunk, else pieces of this size
    bool emptyIdat = false;  // a zero-length IDAT in the run
    bool trns = false;
    bool plte = false;
    bool ancillary = false;  // a tEXt chunk before the data
    bool badAncillaryCrc = false;
    bool badIdatCrc = false;
    bool badFilter = false;
    bool extraRow = false;    // more data than the picture needs
    bool missingRow = false;  // less data than the picture needs
    bool noIend = false;
    size_t cutAt = 0;  // truncate the file to this many bytes
    uint32_t seed = 1;
};

std::vector<uint8_t> makePng(const PngRecipe& r)
{
    const int bpp = r.colourType == 6 ? 4 : 3;
    const size_t rowLength = size_t(r.width) * bpp;
    std::mt19937 rng(r.seed);
    int rows = r.height + (r.extraRow ? 1 : 0) - (r.missingRow ? 1 : 0);
    std::vector<uint8_t> raw;
    for (int y = 0; y < rows; ++y) {
        raw.push_back(uint8_t(r.filterSet < 0 ? y % 5 : r.filterSet));
        for (size_t i = 0; i < rowLength; ++i)
            raw.push_back(uint8_t(rng() % (y % 3 == 0 ? 256 : 7)));  // noise and near-flat rows
    }
    if (r.badFilter)
        raw[size_t(r.height / 2) * (rowLength + 1)] = 5;

    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, r.windowBits, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> packed(deflateBound(&z, uLong(raw.size())));
    z.next_in = raw.data();
    z.avail_in = uInt(raw.size());
    z.next_out = packed.data();
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.resize(packed.size() - z.avail_out);
    deflateEnd(&z);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> ihdr;
    putBe32(ihdr, uint32_t(r.width));
    putBe32(ihdr, uint32_t(r.height));
    ihdr.insert(ihdr.end(), {8, uint8_t(r.colourType), 0, 0, 0});
    putChunk(png, "IHDR", ihdr);
    if (r.ancillary || r.badAncillaryCrc) {
        const char text[] = "Comment\0made by the test";
        putChunk(png, "tEXt", std::vector<uint8_t>(text, text + sizeof(text) - 1), r.badAncillaryCrc);
    }
    putChunk(png, "pHYs", {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1});
    if (r.plte)
        putChunk(png, "PLTE", {1, 2, 3, 4, 5, 6});
    if (r.trns)
        putChunk(png, "tRNS",
                 r.colourType == 2 ? std::vector<uint8_t>{0, 1, 0, 2, 0, 3} : std::vector<uint8_t>{});
    const size_t piece = r.idatPiece == 0 ? packed.size() : r.idatPiece;
    for (size_t at = 0; at < packed.size(); at += piece) {
        const size_t n = std::min(piece, packed.size() - at);
        putChunk(png, "IDAT", std::vector<uint8_t>(packed.begin() + long(at), packed.begin() + long(at + n)),
                 r.badIdatCrc && at == 0);
        if (r.emptyIdat && at == 0)
            putChunk(png, "IDAT", {});
    }
    if (!r.noIend)
        putChunk(png, "IEND", {});
    if (r.cutAt != 0 && r.cutAt < png.size())
        png.resize(r.cutAt);
    return png;
}

// Decodes through decodePng and through libpng alone and expects the same.
void expectAsLibpng(const std::vector<uint8_t>& png, const std::string& what, bool quick)
{
    RasterImage viaLibpng, viaDefault, viaQuick;
    std::string libpngError, defaultError;
    const bool libpngOk = decodePngThroughLibpng(png.data(), png.size(), viaLibpng, libpngError);
    const bool defaultOk = decodePng(png.data(), png.size(), viaDefault, defaultError);
    EXPECT_EQ(decodePngFast(png.data(), png.size(), viaQuick), quick) << what;
    ASSERT_EQ(defaultOk, libpngOk) << what << ": " << libpngError << " / " << defaultError;
    if (!libpngOk) {
        EXPECT_EQ(defaultError, libpngError) << what;
        EXPECT_FALSE(viaDefault.isValid()) << what;
        return;
    }
    ASSERT_EQ(viaDefault.width(), viaLibpng.width()) << what;
    ASSERT_EQ(viaDefault.height(), viaLibpng.height()) << what;
    ASSERT_EQ(viaDefault.depth(), viaLibpng.depth()) << what;
    ASSERT_EQ(viaDefault.hasAlpha(), viaLibpng.hasAlpha()) << what;
    EXPECT_EQ(viaDefault.typeCode(), viaLibpng.typeCode()) << what;
    const size_t rowBytes = size_t(viaLibpng.width()) * 3;
    for (int y = 0; y < viaLibpng.height(); ++y) {
        ASSERT_EQ(std::memcmp(viaDefault.row(y), viaLibpng.row(y), rowBytes), 0) << what << " row " << y;
        if (viaLibpng.hasAlpha()) {
            ASSERT_EQ(std::memcmp(viaDefault.alphaRow(y), viaLibpng.alphaRow(y), size_t(viaLibpng.width())),
                      0)
                << what << " alpha row " << y;
        }
    }
}

}  // namespace

TEST(PngFastDecoder, EveryFilterTypeGivesLibpngsPicture)
{
    for (int colourType : {2, 6}) {
        for (int filter = -1; filter <= 4; ++filter) {
            for (int width : {1, 2, 3, 37}) {
                PngRecipe r;
                r.colourType = colourType;
                r.filterSet = filter;
                r.width = width;
                r.seed = uint32_t(colourType * 100 + filter * 10 + width);
                expectAsLibpng(makePng(r),
                               "type " + std::to_string(colourType) + " filter " + std::to_string(filter) +
                                   " width " + std::to_string(width),
                               true);
            }
        }
    }
}

TEST(PngFastDecoder, SplitDataAndAncillaryChunksStayOnTheQuickPath)
{
    const std::vector<std::pair<std::string, std::function<void(PngRecipe&)>>> cases = {
        {"one-byte IDAT chunks", [](PngRecipe& r) { r.idatPiece = 1; }},
        {"4 KiB IDAT chunks", [](PngRecipe& r) { r.width = 300, r.height = 40, r.idatPiece = 4096; }},
        {"an empty IDAT chunk", [](PngRecipe& r) { r.idatPiece = 50, r.emptyIdat = true; }},
        {"a text chunk", [](PngRecipe& r) { r.ancillary = true; }},
        {"a text chunk with a bad CRC", [](PngRecipe& r) { r.badAncillaryCrc = true; }},
    };
    for (const auto& [what, change] : cases) {
        PngRecipe r;
        change(r);
        expectAsLibpng(makePng(r), what, true);
    }
}

TEST(PngFastDecoder, UnusualFilesAreLeftToLibpng)
{
    const std::vector<std::pair<std::string, std::function<void(PngRecipe&)>>> cases = {
        {"RGB with tRNS", [](PngRecipe& r) { r.trns = true; }},
        {"a suggested palette", [](PngRecipe& r) { r.plte = true; }},
        {"a bad IDAT CRC", [](PngRecipe& r) { r.badIdatCrc = true; }},
        {"a bad filter type", [](PngRecipe& r) { r.badFilter = true; }},
        {"a 1 KiB window", [](PngRecipe& r) { r.windowBits = 10; }},
        {"a row too many", [](PngRecipe& r) { r.extraRow = true; }},
        {"a row too few", [](PngRecipe& r) { r.missingRow = true; }},
        {"no IEND", [](PngRecipe& r) { r.noIend = true; }},
        {"cut inside the data", [](PngRecipe& r) { r.cutAt = 200; }},
        {"cut inside the header", [](PngRecipe& r) { r.cutAt = 20; }},
    };
    for (const auto& [what, change] : cases) {
        PngRecipe r;
        change(r);
        expectAsLibpng(makePng(r), what, false);
    }
    // Other kinds of picture: grey, 16-bit, palette, interlaced.
    PngRecipe r;
    std::vector<uint8_t> png = makePng(r);
    for (const auto& [offset, value, what] : std::vector<std::tuple<size_t, uint8_t, std::string>>{
             {25, 0, "grey"}, {24, 16, "16-bit"}, {28, 1, "interlaced"}}) {
        std::vector<uint8_t> changed = png;
        changed[offset] = value;
        const uint32_t crc = uint32_t(crc32(0, changed.data() + 12, 17));
        for (int k = 0; k < 4; ++k)
            changed[29 + size_t(k)] = uint8_t(crc >> (24 - 8 * k));
        RasterImage image;
        EXPECT_FALSE(decodePngFast(changed.data(), changed.size(), image)) << what;
    }
}
