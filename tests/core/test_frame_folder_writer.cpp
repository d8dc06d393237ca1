// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The frame folder (DIR/0001.png ... plus frames.tsv): a write that fails on
// the way says why and leaves no partial set behind.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "capture/frame_folder_writer.h"
#include "capture/frame_sequence.h"
#include "test_env.h"

namespace {

std::unique_ptr<RasterImage> picture(int size, bool noise)
{
    auto image = RasterImage::make(size, size, 24);
    std::mt19937 random(7);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image->setColor(x, y,
                            noise ? RgbQuad{uint8_t(random()), uint8_t(random()), uint8_t(random()), 0}
                                  : RgbQuad{10, 20, 30, 0});
    return image;
}

std::vector<std::string> filesIn(const std::string& dir)
{
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Files of at most `bytes` for this process while it lives; writes beyond
// fail with EFBIG instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

}  // namespace

TEST(FrameFolderWriter, WritesEveryFrameAndTheTable)
{
    testenv::TempDir dir;
    FrameSequence seq;
    seq.append(FrameRecord::make(picture(4, false), 7));
    seq.append(FrameRecord::make(picture(5, false), 0));
    std::string error;
    ASSERT_TRUE(writeFrameFolder(dir.file("out"), seq, &error)) << error;
    EXPECT_EQ(filesIn(dir.file("out")), (std::vector<std::string>{"0001.png", "0002.png", "frames.tsv"}));
    RasterImage back;
    ASSERT_TRUE(back.decodeFile(dir.file("out/0002.png"), ImageTypePng));
    EXPECT_EQ(back.width(), 5);
}

// The disk filling up at the third frame (a file-size limit stands in for it):
// the reason is given, and neither the two frames before nor a piece of the
// third remain; files that were there before stay.
TEST(FrameFolderWriter, FailedWriteSaysWhyAndLeavesNoPartialSet)
{
    testenv::TempDir dir;
    const std::string out = dir.file("out");
    std::filesystem::create_directories(out);
    {
        std::ofstream(out + "/notes.txt") << "mine";
    }
    FrameSequence seq;
    seq.append(FrameRecord::make(picture(8, false), 5));
    seq.append(FrameRecord::make(picture(8, false), 5));
    seq.append(FrameRecord::make(picture(200, true), 5));  // some 120 KB as PNG
    seq.append(FrameRecord::make(picture(8, false), 5));
    std::string error;
    {
        FileSizeLimit limit(16 * 1024);
        EXPECT_FALSE(writeFrameFolder(out, seq, &error));
    }
    EXPECT_NE(error.find("0003.png"), std::string::npos) << error;
    EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
    EXPECT_EQ(filesIn(out), std::vector<std::string>{"notes.txt"});
}
