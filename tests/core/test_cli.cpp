// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_env.h"

namespace {
// The ThreadSanitizer build runs the in-process tests only and has no program.
bool haveProgram()
{
    const std::string bin = testenv::vexloBin();
    return !bin.empty() && std::filesystem::exists(bin);
}
}  // namespace

TEST(CommandLine, VersionHelpAndUnknownArgument)
{
    if (!haveProgram())
        GTEST_SKIP() << "vexlo not built";
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
    if (!haveProgram())
        GTEST_SKIP() << "vexlo not built";
    std::string out;
    EXPECT_EQ(
        testenv::runCommand(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + testenv::vexloBin() + " 2>&1", &out),
        1);
    EXPECT_NE(out.find("DISPLAY is not set"), std::string::npos) << out;
}

TEST(CommandLine, EverySubcommandHasHelpAndRefusesUnknownOptions)
{
    if (!haveProgram())
        GTEST_SKIP() << "vexlo not built";
    struct Case {
        const char* command;
        std::vector<const char*> options;  // listed by --help
    };
    const Case cases[] = {
        {"decode", {"--out"}},
        {"gif",
         {"--out", "--delay", "--fps", "--scale", "--filter", "--no-dither", "--play-once", "--keep-white"}},
        {"record", {"--rect", "--fps", "--seconds", "--mouse", "--last10", "--out"}},
    };
    for (const Case& c : cases) {
        const std::string vexlo = testenv::vexloBin() + " " + c.command;
        std::string out;
        EXPECT_EQ(testenv::runCommand(vexlo + " --help 2>&1", &out), 0) << c.command;
        EXPECT_EQ(out.rfind(std::string("Usage: vexlo ") + c.command, 0), 0u) << out;
        for (const char* option : c.options)
            EXPECT_NE(out.find(option), std::string::npos) << c.command << " " << option;
        EXPECT_EQ(out.find("unknown"), std::string::npos) << out;
        out.clear();
        EXPECT_EQ(testenv::runCommand(vexlo + " -h", &out), 0) << c.command;
        EXPECT_NE(out.find("--help"), std::string::npos) << out;

        // Unknown options, missing values and values given to a flag: one line
        // with the usage, status 2.
        for (const char* wrong : {"--frobnicate", "--out", "--help=yes"}) {
            out.clear();
            EXPECT_EQ(testenv::runCommand(vexlo + " " + wrong + " 2>&1 >/dev/null", &out), 2)
                << c.command << " " << wrong;
            EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
            EXPECT_NE(out.find(std::string("usage: vexlo ") + c.command), std::string::npos) << out;
        }
    }
}

TEST(CommandLine, AFileArgumentMustExist)
{
    if (!haveProgram())
        GTEST_SKIP() << "vexlo not built";
    std::string out;
    testenv::TempDir dir;
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " '" + dir.file("missing.gif") + "' 2>&1", &out), 2);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find("missing.gif"), std::string::npos) << out;
    // Without a display an existing file starts the window program, which says so.
    const std::string gif = dir.file("a.gif");
    std::FILE* f = std::fopen(gif.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    out.clear();
    EXPECT_EQ(testenv::runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                      testenv::vexloBin() + " '" + gif + "' 2>&1",
                                  &out),
              1);
    EXPECT_NE(out.find("DISPLAY is not set"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(testenv::runCommand(testenv::vexloBin() + " '" + gif + "' '" + gif + "' 2>&1", &out), 2);
}
