// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Decoding by type code with content detection, PNG (PngSuite) and JPEG coding,
// and the `vexlo decode` command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "gif_test_writer.h"
#include "imaging/png_codec.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace fs = std::filesystem;

namespace {

RgbQuad rgb(int r, int g, int b, int a = 0)
{
    return RgbQuad{uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(a)};
}

RasterImage gradient(int w, int h)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, rgb(x * 255 / (w - 1), y * 255 / (h - 1), 128));
    return img;
}

void writeAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// RGBA of pixel (x, y) with the image's alpha plane or transparency applied.
std::array<int, 4> rgbaAt(const RasterImage& img, int x, int y)
{
    const RgbQuad c = img.getColor(x, y, true);
    int a = 255;
    if (img.hasAlpha())
        a = c.reserved;
    else if (img.isPalette() && img.getPixelIndex(x, y) == img.transparentIndex())
        a = 0;
    else if (!img.isPalette() && img.hasTransparentColor() && c.red == img.transparentColor().red &&
             c.green == img.transparentColor().green && c.blue == img.transparentColor().blue)
        a = 0;
    return {c.red, c.green, c.blue, a};
}

std::vector<int> readJsonArray(const std::string& path)
{
    std::ifstream in(path);
    std::vector<int> values;
    std::string token;
    char ch;
    while (in.get(ch)) {
        if (ch >= '0' && ch <= '9') {
            token += ch;
        } else if (!token.empty()) {
            values.push_back(std::stoi(token));
            token.clear();
        }
    }
    return values;
}

// A PNG with the given IHDR and no image data (enough for the size checks).
// With `toData` the header chunks run up to an empty IDAT, so that the whole
// header is read.
std::vector<uint8_t> pngHeaderOnly(uint32_t w, uint32_t h, uint8_t bitDepth, uint8_t colourType,
                                   bool toData = false)
{
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto be32 = [&out](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            out.push_back(uint8_t(v >> s));
    };
    auto chunk = [&](const char* type, const std::vector<uint8_t>& data) {
        be32(uint32_t(data.size()));
        const size_t typeAt = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        be32(uint32_t(crc32(0, out.data() + typeAt, uInt(out.size() - typeAt))));
    };
    chunk("IHDR", {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w), uint8_t(h >> 24),
                   uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h), bitDepth, colourType, 0, 0, 0});
    if (toData) {
        if (colourType == 3)
            chunk("PLTE", {0, 0, 0});
        chunk("IDAT", {});
    }
    return out;
}

}  // namespace

TEST(RasterDecode, ExtensionTableUsesFirstThreeLettersCaseInsensitive)
{
    const std::pair<const char*, int> cases[] = {
        {"a.JPEG", ImageTypeJpg}, {"a.jpg", ImageTypeJpg},      {"x.y/a.Jfif", ImageTypeJpg},
        {"a.PNG", ImageTypePng},  {"a.bmp", ImageTypeBmp},      {"a.gif", ImageTypeGif},
        {"a.tiff", ImageTypeTif}, {"a.CR2", ImageTypeRaw},      {"noext", ImageTypeUnknown},
        {"a.", ImageTypeUnknown}, {"a.webp", ImageTypeUnknown},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(imageTypeFromPath(path), type) << path;
}

TEST(RasterDecode, TypeCodeThenContentDetection)
{
    testenv::TempDir dir;
    const RasterImage src = gradient(16, 8);

    // JPEG with a capitalised extension decodes as JPEG.
    const std::string jpeg = dir.file("photo.JPEG");
    ASSERT_TRUE(src.encodeFile(jpeg, ImageTypeJpg));
    RasterImage a;
    ASSERT_TRUE(a.decodeFile(jpeg, imageTypeFromPath(jpeg)));
    EXPECT_EQ(a.typeCode(), ImageTypeJpg);
    EXPECT_EQ(a.width(), 16);

    // A PNG named .bmp fails as BMP, then decodes by content.
    const std::string png = dir.file("picture.bmp");
    ASSERT_TRUE(src.encodeFile(png, ImageTypePng));
    RasterImage b;
    b.setFlags(7);
    ASSERT_TRUE(b.decodeFile(png, imageTypeFromPath(png)));
    EXPECT_EQ(b.typeCode(), ImageTypePng);
    EXPECT_EQ(b.flags(), 0u);  // flags are 0 after decoding
    EXPECT_EQ(b.getColor(15, 7), src.getColor(15, 7));

    // Unknown type code, unsupported type code: detection still works.
    RasterImage c;
    ASSERT_TRUE(c.decodeFile(png, ImageTypeUnknown));
    ASSERT_TRUE(c.decodeFile(png, ImageTypeTif));
    EXPECT_EQ(c.typeCode(), ImageTypePng);

    // Detection accepts what the decoders accept: a GIF with an unusual version.
    giftest::Frame dot;
    dot.width = dot.height = 1;
    dot.pixels = {1};
    std::vector<uint8_t> gif = giftest::makeGif(1, 1, {rgb(0, 0, 0), rgb(1, 2, 3)}, {dot});
    gif[4] = '8';
    ASSERT_TRUE(c.decodeMemory(gif.data(), gif.size(), ImageTypeGif));
    ASSERT_TRUE(c.decodeMemory(gif.data(), gif.size(), ImageTypeUnknown)) << c.lastError();
    EXPECT_EQ(c.typeCode(), ImageTypeGif);
    EXPECT_EQ(c.getColor(0, 0), rgb(1, 2, 3));

    // The decode settings stay whatever the decoder (BMP and GIF build a new image).
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(src.encodeMemory(ImageTypeBmp, bmp));
    for (const std::vector<uint8_t>* bytes : {&gif, &bmp}) {
        RasterImage e;
        e.setJpegQuality(40);
        e.setRetrieveAllFrames(true);
        e.setFrameIndex(3);
        ASSERT_TRUE(e.decodeMemory(bytes->data(), bytes->size(), ImageTypeUnknown));
        EXPECT_EQ(e.jpegQuality(), 40);
        EXPECT_TRUE(e.retrieveAllFrames());
        EXPECT_EQ(e.frameIndex(), 3);
    }

    // Garbage, empty and missing files stay invalid with a reason.
    const std::string junk = dir.file("junk.png");
    writeAll(junk, std::vector<uint8_t>(100, 0x42));
    const std::string empty = dir.file("empty.gif");
    writeAll(empty, {});
    // So do folders and pipes (a pipe without a writer must not block).
    const std::string folder = dir.file("folder.png");
    fs::create_directory(folder);
    const std::string pipe = dir.file("pipe.gif");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {junk, empty, dir.file("missing.png"), folder, pipe}) {
        RasterImage d = gradient(4, 4);
        d.addRetrievedFrame(RasterImage::make(1, 1, 24));
        EXPECT_FALSE(d.decodeFile(path, imageTypeFromPath(path))) << path;
        EXPECT_FALSE(d.isValid());
        EXPECT_EQ(d.retrievedFrameCount(), 0) << path;
        EXPECT_FALSE(d.lastError().empty());
    }
}

TEST(RasterPng, PngSuiteMatchesReferenceArrays)
{
    const std::string corpus = testenv::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "corpus not available";
    const fs::path suite = fs::path(corpus) / "png" / "pngsuite";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(suite / "png")) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".png")
            continue;
        RasterImage img;
        const bool ok = img.decodeFile(entry.path().string(), ImageTypePng);
        if (stem[0] == 'x') {
            EXPECT_FALSE(ok) << stem << " is corrupt and must be refused";
            EXPECT_FALSE(img.isValid());
            continue;
        }
        ASSERT_TRUE(ok) << stem << ": " << img.lastError();
        const bool sixteen = stem.size() >= 2 && stem.substr(stem.size() - 2) == "16";
        fs::path json = suite / "json" / (stem + "_to8.json");
        if (!fs::exists(json))
            json = suite / "json" / (stem + ".json");
        ASSERT_TRUE(fs::exists(json)) << stem;
        std::vector<int> want = readJsonArray(json.string());
        if (sixteen && json.stem().string() == stem)  // 16-bit values: keep the high byte
            for (int& v : want)
                v >>= 8;
        ASSERT_EQ(want.size(), size_t(img.width()) * size_t(img.height()) * 4) << stem;
        int bad = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const auto got = rgbaAt(img, x, y);
                const int* w = &want[(size_t(y) * size_t(img.width()) + size_t(x)) * 4];
                if (got[3] == 0 && w[3] == 0)
                    continue;  // fully transparent: colour does not matter
                for (int k = 0; k < 4; ++k)
                    if (std::abs(got[k] - w[k]) > (sixteen ? 1 : 0))
                        ++bad;
            }
        EXPECT_EQ(bad, 0) << stem;
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST(RasterPng, RoundTripKeepsPaletteTransparencyAndAlpha)
{
    // Palette images of every depth with a transparent index.
    for (int depth : {1, 4, 8}) {
        RasterImage pal;
        ASSERT_TRUE(pal.create(9, 5, depth));
        const int n = pal.paletteSize();
        for (int i = 0; i < n; ++i)
            pal.setPaletteEntry(i, rgb(i * 7 % 256, 255 - i, i * 3 % 256));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                pal.setPixelIndex(x, y, uint8_t((x + y * 9) % n));
        pal.setTransparentIndex(n - 1);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(pal.encodeMemory(ImageTypePng, bytes));
        RasterImage back;
        ASSERT_TRUE(back.decodeMemory(bytes.data(), bytes.size(), ImageTypePng));
        EXPECT_EQ(back.depth(), depth);
        EXPECT_EQ(back.transparentIndex(), n - 1);
        EXPECT_FALSE(back.hasAlpha());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x) {
                EXPECT_EQ(back.getPixelIndex(x, y), pal.getPixelIndex(x, y));
                EXPECT_EQ(back.getColor(x, y), pal.getColor(x, y));
            }
    }
    // 24 bits with an alpha plane.
    RasterImage rgba = gradient(7, 3);
    rgba.createAlpha();
    for (int x = 0; x < 7; ++x)
        rgba.alphaRow(1)[x] = uint8_t(x * 40);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(rgba.encodeMemory(ImageTypePng, bytes));
    RasterImage back;
    ASSERT_TRUE(back.decodeMemory(bytes.data(), bytes.size(), ImageTypeUnknown));
    ASSERT_TRUE(back.hasAlpha());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(back.getColor(x, y, true), rgba.getColor(x, y, true));
}

TEST(RasterPng, DamagedOrOversizedFilesAreRefusedQuickly)
{
    const RasterImage src = gradient(64, 64);
    std::vector<uint8_t> good;
    ASSERT_TRUE(src.encodeMemory(ImageTypePng, good));
    // Every truncation fails cleanly (the pixel data is incomplete).
    for (size_t cut : {size_t(8), size_t(20), size_t(33), good.size() / 2, good.size() - 13}) {
        RasterImage img;
        EXPECT_FALSE(img.decodeMemory(good.data(), cut, ImageTypePng)) << cut;
        EXPECT_FALSE(img.isValid());
    }
    // Side above the limit, and a size within the limit whose pixels exceed the budget.
    const auto start = std::chrono::steady_clock::now();
    for (auto [w, h, ct] : {std::tuple{40000u, 1u, 2}, {1u, 32769u, 0}, {32768u, 32768u, 6}}) {
        const std::vector<uint8_t> bytes = pngHeaderOnly(w, h, 8, uint8_t(ct));
        RasterImage img;
        std::string error;
        EXPECT_FALSE(decodePng(bytes.data(), bytes.size(), img, error)) << w << "x" << h;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// One limit on the pixels of a picture for every decoder: a tiny file that
// declares more is refused from its header, before any pixel is decoded, with
// the size in the reason; at the limit the header passes.
TEST(RasterDecode, PicturesAboveThePixelLimitAreRefusedFromTheHeaderNamingTheSize)
{
    EXPECT_EQ(pictureSizeRefusal("picture", 8192, 8192), "");
    EXPECT_EQ(pictureSizeRefusal("picture", 1, kMaxImageSide), "");
    EXPECT_NE(pictureSizeRefusal("picture", 8193, 8192), "");
    EXPECT_NE(pictureSizeRefusal("picture", kMaxImageSide + 1, 1), "");

    auto gifOf = [](uint32_t w, uint32_t h) {
        const std::vector<RgbQuad> palette = {{0, 0, 0, 0}, {0, 0, 255, 0}};
        std::vector<uint8_t> g =
            giftest::makeGif(2, 2, palette, {giftest::solid(0, 0, 1, 1, 1), giftest::solid(0, 0, 1, 1, 0)});
        g[6] = uint8_t(w);
        g[7] = uint8_t(w >> 8);
        g[8] = uint8_t(h);
        g[9] = uint8_t(h >> 8);
        return g;
    };
    // An 8-bit RLE BMP that ends at once (the rest of the picture stays blank).
    auto bmpOf = [](uint32_t w, uint32_t h) {
        std::vector<uint8_t> b;
        auto le = [&b](uint32_t v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                b.push_back(uint8_t(v >> (8 * i)));
        };
        b.push_back('B');
        b.push_back('M');
        le(14 + 40 + 8 + 2, 4);
        le(0, 4);
        le(14 + 40 + 8, 4);
        le(40, 4);
        le(w, 4);
        le(h, 4);
        le(1, 2);
        le(8, 2);
        le(1, 4);  // RLE8
        le(2, 4);
        le(0, 4);
        le(0, 4);
        le(2, 4);
        le(0, 4);
        le(0, 4);
        le(0xFFFFFF, 4);
        b.push_back(0);
        b.push_back(1);  // end of bitmap
        return b;
    };
    const RasterImage src = gradient(16, 16);
    std::vector<uint8_t> jpegSmall;
    ASSERT_TRUE(src.encodeMemory(ImageTypeJpg, jpegSmall));
    auto jpegOf = [&jpegSmall](uint32_t w, uint32_t h) {
        std::vector<uint8_t> j = jpegSmall;
        size_t sof = 2;
        while (sof + 9 < j.size() && !(j[sof] == 0xFF && j[sof + 1] == 0xC0))
            ++sof;
        if (sof + 9 < j.size()) {
            j[sof + 5] = uint8_t(h >> 8);
            j[sof + 6] = uint8_t(h);
            j[sof + 7] = uint8_t(w >> 8);
            j[sof + 8] = uint8_t(w);
        }
        return j;
    };
    const std::vector<std::pair<uint32_t, uint32_t>> sizes = {
        {16000, 8000}, {8193, 8192}, {16000, 16000}, {10000, 9000}};
    for (const auto& [w, h] : sizes) {
        const std::string named = std::to_string(w) + " x " + std::to_string(h) + " pixels";
        const std::vector<std::pair<ImageType, std::vector<uint8_t>>> files = {
            {ImageTypeGif, gifOf(w, h)},
            {ImageTypeBmp, bmpOf(w, h)},
            {ImageTypePng, pngHeaderOnly(w, h, 8, 2, true)},
            {ImageTypePng, pngHeaderOnly(w, h, 8, 3, true)},
            {ImageTypeJpg, jpegOf(w, h)},
        };
        for (const auto& [type, bytes] : files) {
            SCOPED_TRACE(named + " type " + std::to_string(int(type)));
            const auto start = std::chrono::steady_clock::now();
            RasterImage img;
            img.setRetrieveAllFrames(true);
            EXPECT_FALSE(img.decodeMemory(bytes.data(), bytes.size(), type));
            EXPECT_NE(img.lastError().find(named), std::string::npos) << img.lastError();
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        }
    }
    // Small pictures of the same files decode.
    for (const auto& [type, bytes] : std::vector<std::pair<ImageType, std::vector<uint8_t>>>{
             {ImageTypeGif, gifOf(30, 20)}, {ImageTypeBmp, bmpOf(30, 20)}, {ImageTypeJpg, jpegSmall}}) {
        RasterImage img;
        EXPECT_TRUE(img.decodeMemory(bytes.data(), bytes.size(), type)) << int(type) << img.lastError();
    }
}

TEST(RasterJpeg, RoundTripAtQualityNinety)
{
    const RasterImage src = gradient(64, 48);
    EXPECT_EQ(src.jpegQuality(), 90);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(src.encodeMemory(ImageTypeJpg, bytes));
    ASSERT_GT(bytes.size(), 100u);
    RasterImage back;
    ASSERT_TRUE(back.decodeMemory(bytes.data(), bytes.size(), ImageTypeJpg));
    ASSERT_EQ(back.width(), 64);
    ASSERT_EQ(back.height(), 48);
    EXPECT_EQ(back.depth(), 24);
    int worst = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const RgbQuad a = src.getColor(x, y), b = back.getColor(x, y);
            worst = std::max(
                {worst, std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
        }
    EXPECT_LE(worst, 10);

    // Lower quality: smaller file. A palette image encodes through its palette.
    RasterImage low(src);
    low.setJpegQuality(20);
    std::vector<uint8_t> small;
    ASSERT_TRUE(low.encodeMemory(ImageTypeJpg, small));
    EXPECT_LT(small.size(), bytes.size());
    RasterImage pal;
    ASSERT_TRUE(pal.create(8, 8, 1));
    pal.setPaletteEntry(1, rgb(255, 255, 255));
    for (int x = 0; x < 8; ++x)
        pal.setPixelIndex(x, 4, 1);
    ASSERT_TRUE(pal.encodeMemory(ImageTypeJpg, small));
    ASSERT_TRUE(back.decodeMemory(small.data(), small.size(), ImageTypeJpg));
    EXPECT_GT(back.getColor(3, 4).red, 200);

    // Damaged data: header garbage fails, a cut-off scan still yields the picture.
    std::vector<uint8_t> broken(bytes.begin(), bytes.begin() + 40);
    broken.resize(400, 0x00);
    EXPECT_FALSE(back.decodeMemory(broken.data(), broken.size(), ImageTypeJpg));
    EXPECT_FALSE(back.isValid());
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(bytes.size() * 2 / 3));
    EXPECT_TRUE(back.decodeMemory(cut.data(), cut.size(), ImageTypeJpg));
    EXPECT_EQ(back.width(), 64);
}

TEST(RasterEncode, FilesOfEveryEncodableType)
{
    testenv::TempDir dir;
    const RasterImage src = gradient(10, 6);
    for (auto [name, type] :
         {std::pair{"a.bmp", ImageTypeBmp}, {"a.jpg", ImageTypeJpg}, {"a.png", ImageTypePng}}) {
        const std::string path = dir.file(name);
        ASSERT_TRUE(src.encodeFile(path, type)) << name;
        RasterImage back;
        ASSERT_TRUE(back.decodeFile(path, imageTypeFromPath(path))) << name << ": " << back.lastError();
        EXPECT_EQ(back.typeCode(), type);
        EXPECT_EQ(back.width(), 10);
    }
    EXPECT_FALSE(src.encodeFile(dir.file("a.tif"), ImageTypeTif));
    EXPECT_FALSE(src.encodeFile(dir.path() + "/no/such/folder/a.png", ImageTypePng));
    // A full disk is a failure; the device written to stays.
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(src.encodeFile("/dev/full", ImageTypePng));
        EXPECT_TRUE(fs::exists("/dev/full"));
    }
    RasterImage invalid;
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(invalid.encodeMemory(ImageTypePng, bytes));
}

TEST(DecodeCommand, WritesFramesAndRefusesBadFiles)
{
    const std::string bin = testenv::vexloBin();
    if (bin.empty() || !fs::exists(bin))
        GTEST_SKIP() << "vexlo not built";
    testenv::TempDir dir;
    const RasterImage src = gradient(12, 5);
    const std::string input = dir.file("in.png");
    ASSERT_TRUE(src.encodeFile(input, ImageTypePng));
    const std::string out = dir.file("out");
    ASSERT_EQ(testenv::runCommand("'" + bin + "' decode '" + input + "' --out '" + out + "'"), 0);
    std::ifstream tsv(out + "/frames.tsv");
    std::stringstream content;
    content << tsv.rdbuf();
    EXPECT_EQ(content.str(), "1\t0\t12\t5\n");
    RasterImage frame;
    ASSERT_TRUE(frame.decodeFile(out + "/0001.png", ImageTypePng));
    EXPECT_EQ(frame.getColor(11, 4), src.getColor(11, 4));

    // An animation: one picture and one line per composed frame, with its delay;
    // the second frame covers a corner and shows the first elsewhere.
    giftest::Frame full, corner;
    full.width = 4;
    full.height = 3;
    full.delay = 5;
    full.pixels.assign(12, 1);
    corner.left = corner.width = corner.height = 2;
    corner.top = 1;
    corner.delay = 70;
    corner.pixels.assign(4, 2);
    const std::string anim = dir.file("anim.gif");
    writeAll(anim, giftest::makeGif(4, 3, {rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 0, 255), rgb(9, 9, 9)},
                                    {full, corner, full}));
    const std::string animOut = dir.file("anim");
    ASSERT_EQ(testenv::runCommand("'" + bin + "' decode '" + anim + "' --out '" + animOut + "'"), 0);
    std::ifstream animTsv(animOut + "/frames.tsv");
    std::stringstream animContent;
    animContent << animTsv.rdbuf();
    EXPECT_EQ(animContent.str(), "1\t5\t4\t3\n2\t70\t4\t3\n3\t5\t4\t3\n");
    ASSERT_TRUE(frame.decodeFile(animOut + "/0002.png", ImageTypePng));
    EXPECT_EQ(frame.getColor(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(frame.getColor(3, 2), rgb(0, 0, 255));
    EXPECT_FALSE(fs::exists(animOut + "/0004.png"));

    const std::string junk = dir.file("junk.gif");
    writeAll(junk, std::vector<uint8_t>(64, 1));
    std::string stderrText;
    // An undecodable input is a failure of the run (1), not of the command line (2).
    EXPECT_EQ(testenv::runCommand("'" + bin + "' decode '" + junk + "' --out '" + dir.file("o2") + "' 2>&1",
                                  &stderrText),
              1);
    EXPECT_EQ(std::count(stderrText.begin(), stderrText.end(), '\n'), 1) << stderrText;
    EXPECT_NE(stderrText.find("junk.gif"), std::string::npos);
    EXPECT_EQ(testenv::runCommand("'" + bin + "' decode '" + input + "' 2>/dev/null"), 2);
}
