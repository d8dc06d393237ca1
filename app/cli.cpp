// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <cstdio>
#include <cstring>

#include "app/cli_commands.h"
#include "version.h"

namespace {
struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(int, char**);
};

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
        "Usage: vexlo [--version | --help | <command> ...]\n\n"
        "Without arguments Vexlo opens its capture window.\n\nCommands:\n");
    for (const Subcommand& s : kSubcommands)
        std::printf("  vexlo %s\n", s.usage);
    std::printf("\nOptions:\n  --version  print the version\n  --help     print this help\n");
}
}  // namespace

int runCommandLine(int argc, char** argv)
{
    const char* arg = argv[1];
    if (std::strcmp(arg, "--version") == 0) {
        std::printf("vexlo %s\n", VEXLO_VERSION);
        return 0;
    }
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
        printHelp();
        return 0;
    }
    for (const Subcommand& s : kSubcommands)
        if (std::strcmp(arg, s.name) == 0)
            return s.run(argc - 1, argv + 1);
    std::fprintf(stderr, "vexlo: unknown argument '%s' (try --help)\n", arg);
    return 2;
}
