// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo record --last10 reports the frames it wrote (the last ten seconds),
// not the frames it grabbed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "test_env.h"

TEST(RecordCommand, LastTenSecondsReportsTheFramesWritten)
{
    testenv::TempDir dir;
    const std::string frames = dir.file("frames");
    std::string output;
    // 1 frame a second for 11 seconds: 11 or 12 grabbed, the last 10 kept.
    ASSERT_EQ(
        testenv::runCommand(testenv::vexloBin() +
                                " record --rect 0,0,16,16 --fps 1 --seconds 11 --last10 -o '" + frames + "'",
                            &output),
        0)
        << output;
    std::ifstream tsv(frames + "/frames.tsv");
    std::string line;
    int lines = 0;
    while (std::getline(tsv, line))
        ++lines;
    EXPECT_EQ(lines, 10);
    EXPECT_EQ(output, std::to_string(lines) + " frames\n");
}
