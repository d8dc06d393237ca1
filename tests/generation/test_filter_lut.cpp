// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Colour filters: the file lookup, loading and the cube lookup.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <memory>
#include <string>

#include "effects/filter_lut.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

// Every pixel of tile t has blue 4t; column x and row y inside the tile give red
// 4x and green 4y.
RasterImage identityCube(int side = 512)
{
    RasterImage cube;
    EXPECT_TRUE(cube.create(side, side, 24));
    for (int y = 0; y < side; ++y) {
        uint8_t* p = cube.row(y);
        for (int x = 0; x < side; ++x) {
            const int tile = (y / 64) * 8 + x / 64;
            p[3 * x] = uint8_t(4 * tile);
            p[3 * x + 1] = uint8_t(4 * (y % 64));
            p[3 * x + 2] = uint8_t(4 * (x % 64));
        }
    }
    return cube;
}

RasterImage filled(int w, int h, RgbQuad c)
{
    RasterImage image;
    EXPECT_TRUE(image.create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setColor(x, y, c);
    return image;
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

void writeFile(const QString& path, const RasterImage& picture, ImageType type)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_TRUE(picture.encodeFile(QFile::encodeName(path).toStdString(), type)) << path.toStdString();
}

}  // namespace

TEST(FilterLut, IdentityCubeDropsTheTwoLowBits)
{
    const std::unique_ptr<FilterLut> lut = FilterLut::fromImage(identityCube());
    ASSERT_TRUE(lut);
    RasterImage image = filled(3, 2, RgbQuad{3, 128, 255, 0});
    image.setColor(1, 1, RgbQuad{0, 129, 252, 0});  // differs only in the low bits
    image.setColor(2, 0, RgbQuad{7, 6, 5, 0});
    image.createAlpha();
    image.alphaRow(0)[0] = 77;
    lut->apply(image);
    EXPECT_EQ(image.getColor(0, 0), (RgbQuad{0, 128, 252, 0}));  // (255, 128, 3) -> (252, 128, 0)
    EXPECT_EQ(image.getColor(1, 1), (RgbQuad{0, 128, 252, 0}));
    EXPECT_EQ(image.getColor(2, 0), (RgbQuad{4, 4, 4, 0}));
    EXPECT_EQ(image.alphaRow(0)[0], 77);  // alpha is not touched
    EXPECT_EQ(image.alphaRow(1)[2], 255);
}

TEST(FilterLut, PaletteImagesHaveTheirEntriesRecoloured)
{
    const std::unique_ptr<FilterLut> lut = FilterLut::fromImage(identityCube());
    ASSERT_TRUE(lut);
    RasterImage image;
    ASSERT_TRUE(image.create(2, 1, 8));
    image.setPaletteEntry(5, RgbQuad{3, 128, 255, 9});
    image.row(0)[0] = 5;
    image.row(0)[1] = 5;
    lut->apply(image);
    EXPECT_EQ(image.palette()[5], (RgbQuad{0, 128, 252, 9}));
    EXPECT_EQ(image.row(0)[1], 5);
}

TEST(FilterLut, LookupsOutsideASmallPictureGiveItsBottomLeftPixel)
{
    RasterImage small = identityCube(100);  // tile 0 and parts of tiles 1, 8, 9
    small.setColor(0, 99, RgbQuad{11, 22, 33, 0});
    const std::unique_ptr<FilterLut> lut = FilterLut::fromImage(small);
    ASSERT_TRUE(lut);
    EXPECT_EQ(lut->lookup(40, 80, 0), (RgbQuad{0, 80, 40, 0}));       // column 10, row 20
    EXPECT_EQ(lut->lookup(255, 0, 0), (RgbQuad{0, 0, 252, 0}));       // column 63, row 0
    EXPECT_EQ(lut->lookup(0, 0, 4 * 8), (RgbQuad{32, 0, 0, 0}));      // tile 8: column 0, row 64
    EXPECT_EQ(lut->lookup(0, 0, 4 * 9), (RgbQuad{36, 0, 0, 0}));      // tile 9: column 64, row 64
    EXPECT_EQ(lut->lookup(200, 0, 4 * 9), (RgbQuad{11, 22, 33, 0}));  // column 114: outside
    EXPECT_EQ(lut->lookup(0, 0, 4 * 2), (RgbQuad{11, 22, 33, 0}));    // tile 2 starts at column 128
    EXPECT_EQ(lut->lookup(0, 0, 4 * 16), (RgbQuad{11, 22, 33, 0}));   // tile 16 starts at row 128
}

TEST(FilterLut, FileLookupOrder)
{
    testenv::TempDir program, appData, other;
    const ScopedEnv env("APPDATA", QFile::encodeName(QString::fromStdString(appData.path())));
    const QString programDir = QString::fromStdString(program.path());
    const int n = 7;

    EXPECT_TRUE(FilterLut::findFile(0, programDir).isEmpty());
    EXPECT_TRUE(FilterLut::findFile(-3, programDir).isEmpty());
    EXPECT_EQ(FilterLut::load(0, programDir), nullptr);

    // Only in the settings folder.
    const QString inAppData = QString::fromStdString(appData.path()) + "/vexlo/7.fff";
    writeFile(inAppData, filled(512, 512, RgbQuad{1, 1, 1, 0}), ImageTypePng);
    EXPECT_EQ(FilterLut::findFile(n, programDir), inAppData);
    std::unique_ptr<FilterLut> lut = FilterLut::load(n, programDir);
    ASSERT_TRUE(lut);
    EXPECT_EQ(lut->lookup(9, 9, 9), (RgbQuad{1, 1, 1, 0}));

    // Beside the program as well: the program's folder wins.
    const QString beside = programDir + "/filters/7.fff";
    writeFile(beside, filled(512, 512, RgbQuad{2, 2, 2, 0}), ImageTypePng);
    EXPECT_EQ(FilterLut::findFile(n, programDir), beside);
    lut = FilterLut::load(n, programDir);
    ASSERT_TRUE(lut);
    EXPECT_EQ(lut->lookup(9, 9, 9), (RgbQuad{2, 2, 2, 0}));

    // Directly beside the program comes first.
    const QString direct = programDir + "/7.fff";
    writeFile(direct, filled(512, 512, RgbQuad{3, 3, 3, 0}), ImageTypePng);
    EXPECT_EQ(FilterLut::findFile(n, programDir), direct);

    // A number with no file anywhere.
    EXPECT_TRUE(FilterLut::findFile(9999, programDir).isEmpty());
    EXPECT_EQ(FilterLut::load(9999, programDir), nullptr);

    // Filter 0 reads nothing even when a file named 0.fff exists.
    writeFile(programDir + "/filters/0.fff", filled(512, 512, RgbQuad{2, 2, 2, 0}), ImageTypePng);
    EXPECT_EQ(FilterLut::load(0, programDir), nullptr);
}

TEST(FilterLut, LoadsPngFirstThenByContent)
{
    testenv::TempDir dir;
    const QString bmp = QString::fromStdString(dir.file("3.fff"));
    ASSERT_TRUE(identityCube().toQImage().save(bmp, "BMP"));  // not a PNG: found by its content
    std::unique_ptr<FilterLut> lut = FilterLut::loadFile(bmp);
    ASSERT_TRUE(lut);
    EXPECT_EQ(lut->lookup(255, 128, 3), (RgbQuad{0, 128, 252, 0}));

    const QString broken = QString::fromStdString(dir.file("4.fff"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\n not really");
    f.close();
    EXPECT_EQ(FilterLut::loadFile(broken), nullptr);
    EXPECT_EQ(FilterLut::loadFile(QString::fromStdString(dir.file("missing.fff"))), nullptr);
}

TEST(FilterLut, ShippedFiltersLoadAndDiffer)
{
    // The source tree keeps them in res/filters; the build copies them beside the program.
    const QString res = QString::fromStdString(testenv::sourceDir()) + "/res";
    const QString built = QFileInfo(QString::fromStdString(testenv::vexloBin())).absolutePath();
    RasterImage probe;
    ASSERT_TRUE(probe.create(16, 16, 24));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            probe.setColor(x, y, RgbQuad{uint8_t(x * 16), uint8_t(y * 16), uint8_t((x + y) * 8), 0});
    std::vector<std::vector<uint8_t>> results;
    for (int n = 1; n <= FilterLut::kFilterCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(FilterLut::findFile(n, built).isEmpty()) << "not copied beside the program";
        const std::unique_ptr<FilterLut> lut = FilterLut::load(n, res);
        ASSERT_TRUE(lut);
        EXPECT_EQ(lut->pictureWidth(), 512);
        EXPECT_EQ(lut->pictureHeight(), 512);
        RasterImage image = probe;
        lut->apply(image);
        std::vector<uint8_t> bytes;
        for (int y = 0; y < 16; ++y)
            bytes.insert(bytes.end(), image.row(y), image.row(y) + image.stride());
        for (const auto& earlier : results)
            EXPECT_NE(bytes, earlier);
        results.push_back(bytes);
    }
}
