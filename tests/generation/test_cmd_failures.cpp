// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The command line when things go wrong: a write that hits a file-size limit
// (as a full disk does) leaves no file and names the output, inputs that are
// not files say so, and a GIF that is cut short is decoded with a warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "../imaging/gif_test_writer.h"
#include "env_guard.h"
#include "imaging/raster_image.h"
#include "test_env.h"

namespace fs = std::filesystem;

namespace {

struct CmdRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `vexlo ARGS` through the shell, with `limit` (a ulimit -f value in
// blocks) when given.
CmdRun vexlo(const testenv::TempDir& dir, const std::string& args, int limit = 0)
{
    CmdRun r;
    const std::string errFile = dir.file("stderr.txt");
    const std::string prefix = limit > 0 ? "ulimit -f " + std::to_string(limit) + "; " : "";
    r.status = testenv::runCommand(prefix + "'" + testenv::vexloBin() + "' " + args + " 2>'" + errFile + "'",
                                   &r.out);
    std::ifstream f(errFile);
    std::stringstream s;
    s << f.rdbuf();
    r.err = s.str();
    fs::remove(errFile);
    return r;
}

// A picture of noise: it does not compress, so its GIF is large.
void writeNoise(const std::string& path, int size, unsigned seed)
{
    RasterImage img;
    ASSERT_TRUE(img.create(size, size, 24));
    std::mt19937 random(seed);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            img.setColor(x, y, RgbQuad{uint8_t(random()), uint8_t(random()), uint8_t(random()), 0});
    ASSERT_TRUE(img.encodeFile(path, ImageTypePng));
}

std::vector<std::string> namesIn(const std::string& dir)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class CmdFailures : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testenv::vexloBin().empty() || !fs::exists(testenv::vexloBin()))
            GTEST_SKIP() << "the program is not built";
    }
    testenv::TempDir dir;
};

}  // namespace

// ulimit -f: the write fails (the limit's signal does not end the program),
// the unfinished temporary file is removed, and the message names OUT.
TEST_F(CmdFailures, GifOverAFileSizeLimitLeavesNoFileAndNamesTheOutput)
{
    fs::create_directories(dir.file("pics"));
    for (int i = 0; i < 3; ++i)
        writeNoise(dir.file("pics/p" + std::to_string(i) + ".png"), 200, unsigned(i));
    fs::create_directories(dir.file("out"));
    const std::string out = dir.file("out/result.gif");
    const CmdRun r = vexlo(dir, "gif '" + dir.file("pics") + "' -o '" + out + "'", 40);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(namesIn(dir.file("out")), std::vector<std::string>{}) << "no file, hidden or not, is left";
    EXPECT_NE(r.err.find("cannot write " + out + ": "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("/.result.gif"), std::string::npos) << r.err;
}

// An output that cannot be written is refused before anything is recorded
// (no display is needed to find that out), naming what is wrong.
TEST_F(CmdFailures, RecordRefusesAnUnwritableOutputBeforeRecording)
{
    fs::create_directories(dir.file("folder.gif"));
    writeBytes(dir.file("file"), {1});
    struct Case {
        std::string out;
        std::string says;
    };
    const Case cases[] = {
        {dir.file("missing/x.gif"),
         "cannot write " + dir.file("missing/x.gif") + ": " + dir.file("missing") + " does not exist"},
        {dir.file("file/x.gif"), dir.file("file") + " is not a folder"},
        {dir.file("folder.gif"), dir.file("folder.gif") + ": is a folder"},
        {dir.file("file"), dir.file("file") + ": is not a folder"},
        {dir.file("file/frames"),
         "cannot create " + dir.file("file/frames") + ": " + dir.file("file") + " is not a folder"},
    };
    // No display: a check made after opening the screen would say so instead.
    testenv::EnvGuard env;
    env.unset("DISPLAY");
    for (const Case& c : cases) {
        const CmdRun r = vexlo(dir, "record --rect 0,0,8,8 --seconds 1 -o '" + c.out + "'");
        EXPECT_EQ(r.status, 1) << c.out;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

// An input that exists but is no file or folder is not "missing".
TEST_F(CmdFailures, GifOfADeviceSaysWhatItIs)
{
    const CmdRun r = vexlo(dir, "gif /dev/zero -o '" + dir.file("x.gif") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find("no such file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("/dev/zero: not a file or folder"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.file("x.gif")));
}

// vexlo decode under a file-size limit at its third frame: the reason is
// given and the folder holds no partial set.
TEST_F(CmdFailures, DecodeOnAFullDiskSaysWhyAndLeavesNoPartialSet)
{
    std::vector<RgbQuad> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[size_t(i)] = RgbQuad{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    giftest::Frame noise = giftest::solid(0, 0, 200, 200, 0);
    std::mt19937 random(3);
    for (uint8_t& p : noise.pixels)
        p = uint8_t(random());
    const std::string gif = dir.file("in.gif");
    writeBytes(
        gif, giftest::makeGif(200, 200, palette,
                              {giftest::solid(0, 0, 200, 200, 1), giftest::solid(0, 0, 200, 200, 2), noise}));
    const std::string out = dir.file("frames");
    const CmdRun r = vexlo(dir, "decode '" + gif + "' --out '" + out + "'", 40);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("0003.png: " + std::string(std::strerror(EFBIG))), std::string::npos) << r.err;
    EXPECT_EQ(namesIn(out), std::vector<std::string>{});
}

// A GIF cut short decodes to the frames before the cut, with a word on stderr.
TEST_F(CmdFailures, DecodeOfATruncatedGifWarns)
{
    const std::vector<RgbQuad> palette = {{0, 0, 0, 0}, {0, 0, 255, 0}};
    std::vector<uint8_t> bytes = giftest::makeGif(
        8, 8, palette,
        {giftest::solid(0, 0, 8, 8, 1), giftest::solid(0, 0, 8, 8, 0), giftest::solid(0, 0, 8, 8, 1)});
    const std::string whole = dir.file("whole.gif");
    writeBytes(whole, bytes);
    CmdRun r = vexlo(dir, "decode '" + whole + "' --out '" + dir.file("a") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    bytes.resize(bytes.size() - 8);
    const std::string cut = dir.file("cut.gif");
    writeBytes(cut, bytes);
    r = vexlo(dir, "decode '" + cut + "' --out '" + dir.file("b") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("cut short"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("2 frames"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(dir.file("b/0002.png")));
    EXPECT_FALSE(fs::exists(dir.file("b/0003.png")));
}
