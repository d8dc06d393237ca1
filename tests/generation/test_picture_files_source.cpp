// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Pictures of another size than the first are fitted onto a black frame the
// way the editor inserts pictures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gif/picture_files_source.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace {

std::unique_ptr<RasterImage> white(int w, int h)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        std::fill_n(img->row(y), size_t(w) * 3, uint8_t(255));
    return img;
}

bool isBlack(const RasterImage& img, int x, int y)
{
    const RgbQuad c = img.getColor(x, y);
    return c.red == 0 && c.green == 0 && c.blue == 0;
}

struct FitCase {
    int w, h;                      // picture
    int left, right, top, bottom;  // black margins in a 400 x 300 frame
};

TEST(PictureFit, MarginsAsTheEditorInsertsPictures)
{
    const FitCase cases[] = {
        {1000, 100, 0, 0, 130, 130},   // scaled to 400 x 40
        {200, 150, 100, 100, 75, 75},  // kept
        {201, 151, 99, 100, 75, 74},   // kept; odd remainders go right and up
        {400, 400, 50, 50, 0, 0},      // scaled to 300 x 300
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        auto fitted = PictureFilesSource::fitPicture(*white(c.w, c.h), 400, 300);
        ASSERT_TRUE(fitted);
        ASSERT_EQ(fitted->width(), 400);
        ASSERT_EQ(fitted->height(), 300);
        EXPECT_EQ(fitted->flags(), 1u);
        const int midX = c.left + (400 - c.left - c.right) / 2;
        const int midY = c.top + (300 - c.top - c.bottom) / 2;
        if (c.left > 0) {
            EXPECT_TRUE(isBlack(*fitted, c.left - 1, midY));
        }
        EXPECT_FALSE(isBlack(*fitted, c.left, midY));
        EXPECT_FALSE(isBlack(*fitted, 399 - c.right, midY));
        if (c.right > 0) {
            EXPECT_TRUE(isBlack(*fitted, 400 - c.right, midY));
        }
        if (c.top > 0) {
            EXPECT_TRUE(isBlack(*fitted, midX, c.top - 1));
        }
        EXPECT_FALSE(isBlack(*fitted, midX, c.top));
        EXPECT_FALSE(isBlack(*fitted, midX, 299 - c.bottom));
        if (c.bottom > 0) {
            EXPECT_TRUE(isBlack(*fitted, midX, 300 - c.bottom));
        }
    }
}

TEST(PictureFit, SourceDecodesOnDemandAndRemembersFailures)
{
    testenv::TempDir dir;
    ASSERT_TRUE(white(20, 10)->encodeFile(dir.file("a.png"), ImageTypePng));
    ASSERT_TRUE(white(10, 10)->encodeFile(dir.file("b.bmp"), ImageTypeBmp));
    {
        std::FILE* f = std::fopen(dir.file("c.png").c_str(), "wb");
        std::fputs("broken", f);
        std::fclose(f);
    }
    std::string reason;
    auto first = PictureFilesSource::decodePicture(dir.file("a.png"), &reason);
    ASSERT_TRUE(first) << reason;
    PictureFilesSource source({dir.file("a.png"), dir.file("b.bmp"), dir.file("c.png")}, std::move(first), 7);
    EXPECT_EQ(source.count(), 3);
    EXPECT_EQ(source.frameWidth(), 20);
    EXPECT_EQ(source.frameHeight(), 10);
    EXPECT_EQ(source.delay(2), 7);
    std::unique_ptr<RasterImage> owned;
    const RasterImage* b = source.image(1, owned);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->width(), 20);
    EXPECT_TRUE(isBlack(*b, 0, 5));
    EXPECT_FALSE(isBlack(*b, 10, 5));
    EXPECT_TRUE(source.failure().empty());
    std::unique_ptr<RasterImage> none;
    EXPECT_EQ(source.image(2, none), nullptr);
    EXPECT_NE(source.failure().find("c.png"), std::string::npos);
}

// Pictures decode on several threads in any order; the failure named is that
// of the earliest broken picture, whichever was met first.
TEST(PictureFit, TheEarliestBrokenPictureIsNamed)
{
    testenv::TempDir dir;
    ASSERT_TRUE(white(8, 8)->encodeFile(dir.file("a.png"), ImageTypePng));
    std::vector<std::string> files{dir.file("a.png")};
    for (const char* name : {"b.png", "c.png", "d.png"}) {
        std::FILE* f = std::fopen(dir.file(name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("broken", f);
        std::fclose(f);
        files.push_back(dir.file(name));
    }
    std::string reason;
    PictureFilesSource source(files, PictureFilesSource::decodePicture(files[0], &reason), 5);
    for (const int i : {3, 2, 1, 3}) {
        std::unique_ptr<RasterImage> none;
        EXPECT_EQ(source.image(i, none), nullptr);
    }
    EXPECT_EQ(source.failure().rfind(dir.file("b.png") + ": ", 0), 0u) << source.failure();
}

}  // namespace
