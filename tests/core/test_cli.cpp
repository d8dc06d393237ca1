// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <algorithm>

#include "test_env.h"

TEST(CommandLine, VersionHelpAndUnknownArgument)
{
    std::string out;
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " --version", &out), 0);
    EXPECT_EQ(out.rfind("vexlo ", 0), 0u) << out;
    out.clear();
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " --help", &out), 0);
    for (const char* cmd : {"decode", "gif", "record"})
        EXPECT_NE(out.find(std::string("vexlo ") + cmd), std::string::npos) << cmd;
    out.clear();
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " --frobnicate 2>&1", &out), 2);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
}

TEST(CommandLine, WithoutADisplayTheWindowSaysSoInsteadOfAborting)
{
    std::string out;
    EXPECT_EQ(
        testenv::runCommand(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + testenv::vexloBin() + " 2>&1", &out),
        1);
    EXPECT_NE(out.find("DISPLAY is not set"), std::string::npos) << out;
}
