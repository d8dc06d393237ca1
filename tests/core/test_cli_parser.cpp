// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The subcommands' shared command-line parser: option forms, refusals and
// their statuses, typed values, the help text.
#include <gtest/gtest.h>

#include <QStringList>

#include "app/cli_parser.h"

namespace {
// The parser of an imagined subcommand.
struct DemoParser : CliParser {
    DemoParser() : CliParser("demo", "IN... -o OUT [options]", "A demonstration.")
    {
        addArgument("IN...", "inputs");
        addValueOption({QStringLiteral("o"), QStringLiteral("out")}, "OUT", "the output");
        addValueOption({QStringLiteral("delay")}, "CS", "the delay");
        addValueOption({QStringLiteral("scale")}, "F", "the scale");
        addFlag({QStringLiteral("fast")}, "go fast");
    }
};
}  // namespace

TEST(CliParser, OptionFormsAndArguments)
{
    struct Case {
        QStringList args;
        QString out;
        QStringList inputs;
        bool fast;
    };
    const Case cases[] = {
        {{"demo", "a", "-o", "x.gif"}, "x.gif", {"a"}, false},
        {{"demo", "-ox.gif", "a", "b"}, "x.gif", {"a", "b"}, false},
        {{"demo", "--out=x.gif", "--fast", "a"}, "x.gif", {"a"}, true},
        {{"demo", "a", "--out", "x.gif", "b"}, "x.gif", {"a", "b"}, false},  // options after arguments
        {{"demo", "--", "-a"}, "", {"-a"}, false},                           // after --, no options
        {{"demo", "-"}, "", {"-"}, false},
    };
    for (const Case& c : cases) {
        DemoParser cli;
        int status = -1;
        ASSERT_TRUE(cli.parse(c.args, status)) << c.args.join(' ').toStdString();
        EXPECT_EQ(status, 0);
        EXPECT_EQ(cli.value("out"), c.out);
        EXPECT_EQ(cli.arguments(), c.inputs);
        EXPECT_EQ(cli.isSet("fast"), c.fast);
    }
}

TEST(CliParser, RefusalsAreUsageErrorsAndHelpEndsTheCommand)
{
    for (const QStringList& args : {QStringList{"demo", "--bogus"}, QStringList{"demo", "-z"},
                                    QStringList{"demo", "--out"}, QStringList{"demo", "--fast=1"}}) {
        DemoParser cli;
        int status = -1;
        EXPECT_FALSE(cli.parse(args, status)) << args.join(' ').toStdString();
        EXPECT_EQ(status, cliexit::kUsage);
    }
    for (const QStringList& args : {QStringList{"demo", "--help"}, QStringList{"demo", "a", "-h"}}) {
        DemoParser cli;
        int status = -1;
        EXPECT_FALSE(cli.parse(args, status));
        EXPECT_EQ(status, cliexit::kOk);
    }
    const DemoParser cli;
    EXPECT_EQ(cli.usageError("why"), cliexit::kUsage);
    EXPECT_EQ(cli.failure("why"), cliexit::kFailure);
}

TEST(CliParser, TypedValues)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    // --delay in 1..65535; an unset option keeps the default.
    for (const Case c : {Case{"7", true, 7}, Case{"1", true, 1}, Case{"65535", true, 65535},
                         Case{"0", false, 5}, Case{"65536", false, 5}, Case{"-3", false, 5},
                         Case{"7x", false, 5}, Case{"", false, 5}, Case{"99999999999999999999", false, 5}}) {
        DemoParser cli;
        int status = -1;
        ASSERT_TRUE(cli.parse({"demo", QStringLiteral("--delay=%1").arg(QLatin1String(c.text))}, status));
        int delay = 5;
        EXPECT_EQ(cli.intValue("delay", 1, 65535, delay), c.ok) << c.text;
        EXPECT_EQ(delay, c.value) << c.text;
    }
    DemoParser cli;
    int status = -1;
    ASSERT_TRUE(cli.parse({"demo", "--scale", "-1"}, status));  // a value may start with a dash
    float scale = 1.0f;
    EXPECT_FALSE(cli.floatValue("scale", 0.0, 100.0, scale));
    int delay = 5;
    EXPECT_TRUE(cli.intValue("delay", 1, 10, delay));
    EXPECT_EQ(delay, 5);
    for (const char* bad : {"0", "nan", "inf", "100.5"}) {
        DemoParser c2;
        ASSERT_TRUE(c2.parse({"demo", "--scale", bad}, status));
        EXPECT_FALSE(c2.floatValue("scale", 0.0, 100.0, scale)) << bad;
    }
    DemoParser c3;
    ASSERT_TRUE(c3.parse({"demo", "--scale", "0.5"}, status));
    EXPECT_TRUE(c3.floatValue("scale", 0.0, 100.0, scale));
    EXPECT_FLOAT_EQ(scale, 0.5f);
}

TEST(CliParser, HelpListsArgumentsAndOptions)
{
    const std::string help = DemoParser().helpText();
    EXPECT_EQ(help.rfind("Usage: vexlo demo IN... -o OUT [options]\n", 0), 0u) << help;
    for (const char* part :
         {"A demonstration.", "IN...", "-o, --out OUT", "--delay CS", "--fast", "-h, --help"})
        EXPECT_NE(help.find(part), std::string::npos) << part << "\n" << help;
}
