// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The BMP codec against BMP Suite 2.8: g/ decodes exactly like its reference
// (16-bit channels within 1), q/ decodes to one of its references or is
// refused with a reason, b/ is refused with a reason; encoded files decode back
// unchanged and are read by ImageMagick.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "codec_test_util.h"
#include "imaging/bmp_codec.h"
#include "imaging/raster_image.h"
#include "test_env.h"

using namespace codectest;

namespace {

std::string suiteDir()
{
    return testenv::corpusDir() + "/bmp/bmpsuite-2.8";
}

// q/ files we refuse (anything else in q/ must decode to one of its references).
const std::map<std::string, std::string> kRefusedQuestionable = {
    {"pal1huffmsb.bmp", "OS/2 Huffman 1D compression is not supported"},
    {"rgba64.bmp", "64-bit pixels are not supported"},
};
// q/ files that decode but on purpose differ from their reference.
const std::map<std::string, std::string> kDecodedDifferently = {
    {"rgb24prof2.bmp", "embedded colour profiles are not applied"},
};

struct SuiteRow {
    std::string file, cls;
    std::vector<std::string> references;
};

std::vector<SuiteRow> suiteRows()
{
    std::vector<SuiteRow> out;
    const auto rows = readTsv(suiteDir() + "/expectations.tsv");
    for (size_t i = 1; i < rows.size(); ++i) {
        const auto& r = rows[i];
        if (r.size() < 4)
            continue;
        SuiteRow s{r[0], r[1], {}};
        std::stringstream ss(r[3]);
        std::string item;
        while (std::getline(ss, item, '|')) {
            while (!item.empty() && item.front() == ' ')
                item.erase(item.begin());
            while (!item.empty() && item.back() == ' ')
                item.pop_back();
            if (!item.empty())
                s.references.push_back(item);
        }
        out.push_back(s);
    }
    return out;
}

// Smallest pixel difference against the alternatives (-1: none comparable).
long bestMatch(const RasterImage& img, const SuiteRow& row, int tolerance)
{
    const Rgba ours = toRgba(img);
    long best = -1;
    for (const std::string& ref : row.references) {
        Rgba r;
        if (!loadPng(suiteDir() + "/" + ref, r))
            continue;
        const long d = diffPixels(ours, r, tolerance);
        if (d >= 0 && (best < 0 || d < best))
            best = d;
    }
    return best;
}

}  // namespace

TEST(BmpConformance, SuiteFilesDecodeOrAreRefusedAsClassified)
{
    if (testenv::corpusDir().empty())
        GTEST_SKIP() << "corpus not available";
    const auto rows = suiteRows();
    ASSERT_GT(rows.size(), 80u);
    std::ostringstream failures;
    std::ostringstream notes;
    for (const SuiteRow& row : rows) {
        const std::vector<uint8_t> bytes = readFile(suiteDir() + "/" + row.file);
        RasterImage img;
        std::string error;
        const bool ok = decodeBmp(bytes.data(), bytes.size(), img, error);
        if (ok != img.isValid())
            failures << "  " << row.file << ": result and validity disagree\n";
        if (!ok && error.empty())
            failures << "  " << row.file << ": refused without a reason\n";
        if (row.cls == "b") {
            if (ok)
                failures << "  " << row.file << ": bad file decoded\n";
            continue;
        }
        const std::string stem = row.file.substr(row.file.find('/') + 1);
        if (row.cls == "q" && kRefusedQuestionable.count(stem)) {
            if (ok)
                failures << "  " << row.file << ": decoded, expected refusal ("
                         << kRefusedQuestionable.at(stem) << ")\n";
            continue;
        }
        if (!ok) {
            failures << "  " << row.file << ": refused: " << error << "\n";
            continue;
        }
        if (kDecodedDifferently.count(stem))
            continue;
        // Channels narrower or wider than 8 bits: rounding conventions differ by 1.
        const int tolerance = (stem.rfind("rgb16", 0) == 0 || stem == "rgb32-111110.bmp") ? 1 : 0;
        const long d = bestMatch(img, row, tolerance);
        if (d != 0)
            failures << "  " << row.file << ": "
                     << (d < 0 ? std::string("no comparable reference")
                               : std::to_string(d) + " pixels differ")
                     << "\n";
    }
    EXPECT_TRUE(failures.str().empty()) << "BMP Suite files not handled as classified:\n" << failures.str();
}

TEST(BmpConformance, EncodedGoodFilesDecodeBackUnchanged)
{
    if (testenv::corpusDir().empty())
        GTEST_SKIP() << "corpus not available";
    std::ostringstream failures;
    int count = 0;
    for (const SuiteRow& row : suiteRows()) {
        if (row.cls != "g")
            continue;
        const std::vector<uint8_t> bytes = readFile(suiteDir() + "/" + row.file);
        RasterImage img;
        std::string error;
        if (!decodeBmp(bytes.data(), bytes.size(), img, error))
            continue;  // reported by the test above
        std::vector<uint8_t> encoded;
        if (!encodeBmp(img, encoded)) {
            failures << "  " << row.file << ": not encoded\n";
            continue;
        }
        RasterImage back;
        if (!decodeBmp(encoded.data(), encoded.size(), back, error)) {
            failures << "  " << row.file << ": own file refused: " << error << "\n";
            continue;
        }
        ++count;
        if (back.depth() != img.depth())
            failures << "  " << row.file << ": depth " << back.depth() << " became " << img.depth() << "\n";
        // The alpha plane is not written: compare colours only.
        if (diffPixels(toRgba(img), toRgba(back), 0, true) != 0)
            failures << "  " << row.file << ": pixels changed\n";
    }
    EXPECT_GT(count, 20);
    EXPECT_TRUE(failures.str().empty()) << failures.str();
}

TEST(BmpConformance, BitmapArrayIsFoundByContent)
{
    // An OS/2 bitmap array ("BA" wrapper around a "BM" file) under a name that
    // says nothing, or names another type, still decodes by content detection.
    if (testenv::corpusDir().empty())
        GTEST_SKIP() << "corpus not available";
    const std::vector<uint8_t> bytes = readFile(suiteDir() + "/x/ba-bm.bmp");
    ASSERT_GT(bytes.size(), 2u);
    ASSERT_EQ(bytes[1], 'A');
    Rgba ref;
    ASSERT_TRUE(loadPng(suiteDir() + "/html/pal8.png", ref));
    testenv::TempDir tmp;
    for (const char* name : {"array", "array.dat", "array.gif"}) {
        SCOPED_TRACE(name);
        const std::string path = tmp.file(name);
        {
            std::ofstream f(path, std::ios::binary);
            f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        RasterImage img;
        ASSERT_TRUE(img.decodeFile(path, imageTypeFromPath(path))) << img.lastError();
        EXPECT_EQ(img.typeCode(), ImageTypeBmp);
        EXPECT_EQ(diffPixels(toRgba(img), ref), 0);
    }
}

TEST(BmpConformance, ImageMagickReadsEncodedFiles)
{
    std::string version;
    if (testenv::runCommand("identify -version 2>/dev/null", &version) != 0 || version.empty())
        GTEST_SKIP() << "ImageMagick not installed";
    testenv::TempDir tmp;
    // A 24-bit image and palette images of each depth, with odd widths so
    // that rows need padding.
    struct Case {
        int depth;
        const char* name;
    };
    for (const Case& c :
         {Case{24, "rgb24.bmp"}, Case{8, "pal8.bmp"}, Case{4, "pal4.bmp"}, Case{1, "pal1.bmp"}}) {
        SCOPED_TRACE(c.name);
        RasterImage img;
        ASSERT_TRUE(img.create(13, 7, c.depth));
        const int colours = c.depth == 24 ? 0 : img.paletteSize();
        for (int i = 0; i < colours; ++i)
            img.setPaletteEntry(i, RgbQuad{uint8_t(i * 37), uint8_t(255 - i * 11), uint8_t(i * 5 + 3), 0});
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                if (c.depth == 24) {
                    uint8_t* p = img.row(y) + 3 * x;
                    p[0] = uint8_t(x * 19);
                    p[1] = uint8_t(y * 31);
                    p[2] = uint8_t(x * y * 7 + 1);
                } else {
                    img.row(y)[x] = uint8_t((x + 3 * y) % colours);
                }
            }
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(encodeBmp(img, bytes));
        const std::string bmp = tmp.file(c.name), png = bmp + ".png";
        {
            std::ofstream f(bmp, std::ios::binary);
            f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        std::string info;
        ASSERT_EQ(testenv::runCommand("identify -format '%w %h' '" + bmp + "' 2>&1", &info), 0) << info;
        EXPECT_EQ(info, "13 7");
        ASSERT_EQ(testenv::runCommand("convert '" + bmp + "' PNG32:'" + png + "' 2>&1", &info), 0) << info;
        Rgba theirs;
        ASSERT_TRUE(loadPng(png, theirs));
        // BMP files carry no alpha; ImageMagick 6.9 in some set-ups marks a
        // few palette pixels transparent on its own, so colours are compared.
        EXPECT_EQ(diffPixels(toRgba(img), theirs, 0, true), 0);
    }
}

TEST(BmpCodec, HardLimitsAndDamageAreRefusedWithAReason)
{
    // A valid 2x2 24-bit file to damage.
    RasterImage img;
    ASSERT_TRUE(img.create(2, 2, 24));
    for (int y = 0; y < 2; ++y)
        std::fill(img.row(y), img.row(y) + 6, uint8_t(100 + y));
    std::vector<uint8_t> good;
    ASSERT_TRUE(encodeBmp(img, good));
    auto put32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Case cases[] = {
        {"width above the limit", 18, 40000},           {"height above the limit", 22, 40000},
        {"negative width", 18, uint32_t(-2)},           {"zero height", 22, 0},
        {"pixel offset beyond the file", 10, 1000},     {"unknown compression", 30, 9},
        {"image size beyond the file", 34, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        put32(bad, c.at, c.value);
        RasterImage out;
        std::string error;
        EXPECT_FALSE(decodeBmp(bad.data(), bad.size(), out, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_FALSE(out.isValid()) << c.what;
    }
    // Every truncation of the file is refused, never read past.
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        RasterImage out;
        std::string error;
        EXPECT_FALSE(decodeBmp(cut.data(), cut.size(), out, error)) << n;
    }
    RasterImage out;
    std::string error;
    ASSERT_TRUE(decodeBmp(good.data(), good.size(), out, error)) << error;
    EXPECT_EQ(out.getColor(1, 1).red, 101);
}
