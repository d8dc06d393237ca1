// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo gif: pictures, folders and GIFs in, one GIF out; refusals leave nothing
// behind.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <filesystem>
#include <string>

#include "gif_bytes.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace fs = std::filesystem;

namespace {

void writePicture(const std::string& path, int w, int h, int shade, int type = ImageTypePng)
{
    RasterImage img;
    ASSERT_TRUE(img.create(w, h, 24));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, RgbQuad{uint8_t(shade), uint8_t(x * 255 / w), uint8_t(y * 255 / h), 0});
    ASSERT_TRUE(img.encodeFile(path, type));
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result vexloGif(const testenv::TempDir& dir, const std::string& args)
{
    Result r;
    const std::string errFile = dir.file("stderr.txt");
    r.status =
        testenv::runCommand("'" + testenv::vexloBin() + "' gif " + args + " 2>'" + errFile + "'", &r.out);
    const std::vector<uint8_t> e = gifbytes::readFile(errFile);
    r.err.assign(e.begin(), e.end());
    fs::remove(errFile);
    return r;
}

// Files in the folder other than the inputs we made.
int strayFiles(const testenv::TempDir& dir, const std::string& keepPrefix)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path().filename().string().rfind(keepPrefix, 0) != 0)
            ++n;
    return n;
}

class CmdGif : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testenv::vexloBin().empty() || !fs::exists(testenv::vexloBin()))
            GTEST_SKIP() << "the program is not built";
    }
    testenv::TempDir dir;
};

TEST_F(CmdGif, FolderOfPicturesInNameOrderWithTheGivenRate)
{
    fs::create_directories(dir.file("in"));
    writePicture(dir.file("in/b.png"), 30, 20, 200);
    writePicture(dir.file("in/a.png"), 30, 20, 10);
    writePicture(dir.file("in/c.bmp"), 30, 20, 120, ImageTypeBmp);
    writePicture(dir.file("in/notes.txt"), 2, 2, 0);  // not a picture name: skipped
    const std::string out = dir.file("out.gif");
    const Result r = vexloGif(dir, "'" + dir.file("in") + "' -o '" + out + "' --fps 20");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, out + "\n");
    EXPECT_NE(r.err.find("100%"), std::string::npos);
    EXPECT_EQ(r.err.find("vexlo gif:"), std::string::npos) << r.err;
    const gifbytes::Info info = gifbytes::parseFile(out);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, 30);
    EXPECT_EQ(info.height, 20);
    ASSERT_EQ(info.images.size(), 3u);
    for (const auto& im : info.images)
        EXPECT_EQ(im.delay, 5);
    EXPECT_TRUE(info.hasLoop);

    RasterImage decoded;
    decoded.setRetrieveAllFrames(true);
    ASSERT_TRUE(decoded.decodeFile(out, ImageTypeGif));
    ASSERT_EQ(decoded.retrievedFrameCount(), 3);
    // a (blue 10) first, then b (200), then c (120).
    EXPECT_LT(decoded.frame(0)->getColor(0, 0).blue, 40);
    EXPECT_GT(decoded.frame(1)->getColor(0, 0).blue, 170);
    EXPECT_GT(decoded.frame(2)->getColor(0, 0).blue, 90);
    EXPECT_LT(decoded.frame(2)->getColor(0, 0).blue, 150);
    EXPECT_EQ(fs::status(out).permissions() & fs::perms::others_read, fs::perms::others_read);
}

TEST_F(CmdGif, PicturesOfOtherSizesAreFittedAndOptionsApply)
{
    writePicture(dir.file("p1.png"), 40, 30, 50);
    writePicture(dir.file("p2.png"), 80, 20, 60);  // wider: scaled to 40 x 10, centred
    writePicture(dir.file("p3.png"), 10, 10, 70);  // smaller: kept, centred
    const std::string out = dir.file("fit.gif");
    const Result r =
        vexloGif(dir, "'" + dir.file("p3.png") + "' '" + dir.file("p1.png") + "' '" + dir.file("p2.png") +
                          "' -o '" + out + "' --delay 12 --scale 0.5 --play-once --no-dither --keep-white");
    ASSERT_EQ(r.status, 0) << r.err;
    const gifbytes::Info info = gifbytes::parseFile(out);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, 20);
    EXPECT_EQ(info.height, 15);
    EXPECT_FALSE(info.hasLoop);
    ASSERT_EQ(info.images.size(), 3u);
    EXPECT_EQ(info.images[0].delay, 12);

    RasterImage decoded;
    decoded.setRetrieveAllFrames(true);
    ASSERT_TRUE(decoded.decodeFile(out, ImageTypeGif));
    // p2 on black: rows at the top and bottom stay black.
    const RasterImage* f2 = decoded.frame(1);
    EXPECT_EQ(f2->getColor(10, 0).red + f2->getColor(10, 0).green + f2->getColor(10, 0).blue, 0);
    EXPECT_GT(f2->getColor(10, 7).blue, 30);
    // p3 (10 x 10 in 40 x 30): black corners.
    const RasterImage* f3 = decoded.frame(2);
    EXPECT_EQ(f3->getColor(0, 0).blue, 0);
    EXPECT_GT(f3->getColor(10, 7).blue, 30);
}

TEST_F(CmdGif, AnimatedGifInputKeepsItsFramesAndDelays)
{
    fs::create_directories(dir.file("in"));
    writePicture(dir.file("in/1.png"), 16, 12, 10);
    writePicture(dir.file("in/2.png"), 16, 12, 240);
    const std::string first = dir.file("first.gif");
    ASSERT_EQ(vexloGif(dir, "'" + dir.file("in") + "' -o '" + first + "' --delay 7").status, 0);
    const std::string second = dir.file("second.gif");
    const Result r = vexloGif(dir, "'" + first + "' -o '" + second + "' --delay 50");
    ASSERT_EQ(r.status, 0) << r.err;
    const gifbytes::Info info = gifbytes::parseFile(second);
    ASSERT_EQ(info.images.size(), 2u);
    EXPECT_EQ(info.images[0].delay, 7);
    EXPECT_EQ(info.images[1].delay, 7);
    EXPECT_EQ(info.width, 16);
}

TEST_F(CmdGif, RefusalsSayWhyAndLeaveNothingBehind)
{
    writePicture(dir.file("in1.png"), 10, 10, 10);
    {
        std::FILE* f = std::fopen(dir.file("in2.png").c_str(), "wb");
        std::fputs("not a picture at all", f);
        std::fclose(f);
    }
    // Status 2: the command line is wrong; 1: the run failed (input, output).
    struct Case {
        std::string args;
        int status;
    };
    const std::string good = "'" + dir.file("in1.png") + "'";
    const Case cases[] = {
        {good, 2},                              // no output
        {"-o '" + dir.file("x.gif") + "'", 2},  // no input
        {"'" + dir.file("missing.png") + "' -o '" + dir.file("x.gif") + "'", 1},
        {good + " '" + dir.file("in2.png") + "' -o '" + dir.file("x.gif") + "'", 1},
        {good + " -o '" + dir.file("no/such/dir/x.gif") + "'", 1},
        {good + " -o '" + dir.file("x.gif") + "' --fps 0", 2},
        {good + " -o '" + dir.file("x.gif") + "' --scale -1", 2},
        {good + " -o '" + dir.file("x.gif") + "' --filter 16", 2},
        {good + " -o '" + dir.file("x.gif") + "' --bogus", 2},
        {good + " -o '" + dir.file("x.gif") + "' --scale 0.001", 1},
    };
    for (const Case& c : cases) {
        const Result r = vexloGif(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args;
        // One line saying why (after any progress lines).
        const size_t at = r.err.find("vexlo gif: ");
        ASSERT_NE(at, std::string::npos) << c.args;
        EXPECT_TRUE(at == 0 || r.err[at - 1] == '\n') << r.err;
        EXPECT_EQ(r.err.find('\n', at), r.err.size() - 1) << r.err;
        EXPECT_EQ(strayFiles(dir, "in"), 0) << c.args;
    }
    // An existing output is not damaged by a refused run.
    writePicture(dir.file("keep.png"), 4, 4, 1);
    const auto before = gifbytes::readFile(dir.file("keep.png"));
    EXPECT_EQ(vexloGif(dir, "'" + dir.file("in2.png") + "' -o '" + dir.file("keep.png") + "'").status, 1);
    EXPECT_EQ(gifbytes::readFile(dir.file("keep.png")), before);
}

TEST_F(CmdGif, InterruptedRunLeavesNoTemporaryFile)
{
    // Enough noisy pictures, scaled up, that the run is still busy when the
    // signal comes.
    fs::create_directories(dir.file("in"));
    uint32_t seed = 12345;
    for (int k = 0; k < 60; ++k) {
        RasterImage img;
        ASSERT_TRUE(img.create(120, 90, 24));
        for (int y = 0; y < 90; ++y) {
            uint8_t* p = img.row(y);
            for (int x = 0; x < 120 * 3; ++x) {
                seed = seed * 1664525u + 1013904223u;
                p[x] = uint8_t(seed >> 24);
            }
        }
        ASSERT_TRUE(img.encodeFile(dir.file("in/" + std::to_string(100 + k) + ".bmp"), ImageTypeBmp));
    }
    const std::string out = dir.file("out.gif");
    for (int sig : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(sig);
        QProcess run;
        run.start(QString::fromStdString(testenv::vexloBin()),
                  {QStringLiteral("gif"), QString::fromStdString(dir.file("in")), QStringLiteral("-o"),
                   QString::fromStdString(out), QStringLiteral("--scale"), QStringLiteral("8")});
        run.setReadChannel(QProcess::StandardError);
        ASSERT_TRUE(run.waitForStarted(10000));
        // The first progress line: the temporary file exists by then.
        QByteArray err;
        auto started = [&] { return err.startsWith("0%\n") || err.contains("\n0%\n"); };
        while (!started() && run.state() == QProcess::Running) {
            run.waitForReadyRead(10000);
            err += run.readAllStandardError();
        }
        ASSERT_TRUE(started()) << err.toStdString();
        ASSERT_EQ(::kill(pid_t(run.processId()), sig), 0);
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_EQ(run.exitStatus(), QProcess::CrashExit) << "the run ended before the signal came";
        EXPECT_FALSE(err.contains("100%")) << "the run ended before the signal came";
        EXPECT_EQ(strayFiles(dir, "in"), 0);
        fs::remove(out);
    }
}

}  // namespace
