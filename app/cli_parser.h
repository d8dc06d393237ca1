// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The command line of one subcommand (`vexlo gif ...`): its options and
// arguments, parsed with QCommandLineParser, with the program's exit statuses
// and messages in one place.
//
//   CliParser cli("gif", "INPUT... -o OUT.gif [options]", "Makes an animated GIF ...");
//   cli.addValueOption({"o", "out"}, "OUT", "the GIF to write");
//   cli.addFlag({"no-dither"}, "no dithering");
//   if (int status; !cli.parse(argc, argv, status)) return status;   // --help, usage errors
//   int delay = 5;
//   if (!cli.intValue("delay", 1, 65535, delay)) return cli.usageError("--delay needs ...");
//
// Every subcommand thereby has --help (-h) listing its options (exit 0), and
// refuses an unknown option, a missing value or a value given to a flag with
// one line on stderr that names the usage (exit 2). Failures while running
// (an undecodable input, a write error) exit 1.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace cliexit {
constexpr int kOk = 0;
constexpr int kFailure = 1;  // the command ran and failed (input, output, environment)
constexpr int kUsage = 2;    // the command line was wrong
}  // namespace cliexit

class CliParser {
public:
    // `name` is the subcommand ("gif"), `synopsis` what follows it in the usage
    // line, `description` the first paragraph of --help.
    CliParser(const char* name, const char* synopsis, const char* description);

    // An option taking a value (--out OUT, --out=OUT, -o OUT, -oOUT).
    void addValueOption(const QStringList& names, const char* valueName, const char* help);
    // An option without a value.
    void addFlag(const QStringList& names, const char* help);
    // An argument that is not an option, for --help only.
    void addArgument(const char* name, const char* help);

    // Parses argv (argv[0] is the subcommand's name). False when the command
    // is done: --help was printed (status 0) or the line was refused (status 2,
    // message printed).
    bool parse(int argc, char** argv, int& status);
    // The same over a list whose first element is the subcommand's name.
    bool parse(const QStringList& arguments, int& status);

    bool isSet(const char* name) const;
    // The last value given for the option (empty when not given).
    QString value(const char* name) const;
    std::string stdValue(const char* name) const;
    // The arguments that are not options, in order.
    QStringList arguments() const;
    std::vector<std::string> stdArguments() const;

    // Typed values: true and `out` set when the option was given a number in
    // lo..hi, true and `out` untouched when it was not given, false otherwise.
    bool intValue(const char* name, int lo, int hi, int& out) const;
    // A finite number above `lo` and at most `hi`.
    bool floatValue(const char* name, double lo, double hi, float& out) const;

    // "vexlo NAME: WHY (usage: vexlo NAME SYNOPSIS; see vexlo NAME --help)" on
    // stderr, one line; returns 2.
    int usageError(const std::string& why) const;
    // "vexlo NAME: WHY" on stderr; returns 1.
    int failure(const std::string& why) const;

    // The --help text: usage line, description, arguments, options.
    std::string helpText() const;
    std::string usageLine() const;

private:
    struct Entry {
        QStringList names;
        std::string valueName;
        std::string help;
    };
    std::string name_;
    std::string synopsis_;
    std::string description_;
    std::vector<Entry> options_;
    std::vector<Entry> arguments_;
    QCommandLineParser parser_;
};
