// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "app/cli_commands.h"
#include "app/cli_parser.h"
#include "version.h"

namespace {
struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(int, char**);
};

// A new subcommand is one line here (and its run function).
const Subcommand kSubcommands[] = {
    {"decode", "decode FILE --out DIR        write every decoded frame as PNG plus frames.tsv",
     runDecodeCommand},
    {"gif", "gif INPUT... -o OUT.gif      make an animated GIF from a GIF, a folder or pictures",
     runGifCommand},
    {"record", "record --rect X,Y,W,H -o OUT  record a screen rectangle (GIF or PNG frames)",
     runRecordCommand},
    {"send", "send FILE [--address A]      send a GIF or a font to the phone app (one transfer)",
     runSendCommand},
};

void printHelp()
{
    std::printf(
        "Usage: vexlo [--version | --help | FILE.gif | <command> ...]\n\n"
        "Without arguments Vexlo opens its capture window; with a GIF file it opens the window and\n"
        "that GIF for editing.\n\nCommands (vexlo <command> --help lists a command's options):\n");
    for (const Subcommand& s : kSubcommands)
        std::printf("  vexlo %s\n", s.usage);
    std::printf("\nOptions:\n  --version  print the version\n  --help     print this help\n");
}

bool isFile(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

CommandLineOutcome exitWith(int status)
{
    CommandLineOutcome out;
    out.status = status;
    return out;
}
}  // namespace

CommandLineOutcome runCommandLine(int argc, char** argv)
{
    if (argc < 2) {
        CommandLineOutcome out;
        out.startWindow = true;
        return out;
    }
    const char* arg = argv[1];
    if (std::strcmp(arg, "--version") == 0) {
        std::printf("vexlo %s\n", VEXLO_VERSION);
        return exitWith(cliexit::kOk);
    }
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
        printHelp();
        return exitWith(cliexit::kOk);
    }
    for (const Subcommand& s : kSubcommands)
        if (std::strcmp(arg, s.name) == 0)
            return exitWith(s.run(argc - 1, argv + 1));
    if (arg[0] != '-') {
        // `vexlo FILE.gif`, as a file manager opens a file with the program.
        if (!isFile(arg)) {
            std::fprintf(stderr, "vexlo: '%s' is neither a command nor a file (try --help)\n", arg);
            return exitWith(cliexit::kUsage);
        }
        if (argc > 2) {
            std::fprintf(stderr, "vexlo: only one file can be opened (try --help)\n");
            return exitWith(cliexit::kUsage);
        }
        CommandLineOutcome out;
        out.startWindow = true;
        out.fileToOpen = arg;
        return out;
    }
    std::fprintf(stderr, "vexlo: unknown option '%s' (try --help)\n", arg);
    return exitWith(cliexit::kUsage);
}
