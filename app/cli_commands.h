// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The program's command line. `vexlo <command> ...` runs the core headless;
// `vexlo FILE.gif` starts the window program with that GIF to open. Exit
// statuses (app/cli_parser.h): 0 success, 1 a failure while running, 2 a wrong
// command line.
//
// Adding a subcommand: write `int runXCommand(int argc, char** argv)` (argv[0]
// is the subcommand's name) with a CliParser for its options, declare it here
// and add one line to the table in app/cli.cpp.
#include <string>

int runDecodeCommand(int argc, char** argv);  // vexlo decode FILE --out DIR
int runGifCommand(int argc, char** argv);     // vexlo gif INPUT... -o OUT.gif
int runRecordCommand(int argc, char** argv);  // vexlo record --rect X,Y,W,H ... -o OUT
int runSendCommand(int argc, char** argv);    // vexlo send FILE [--address A]

// What main() does with its arguments.
struct CommandLineOutcome {
    bool startWindow = false;  // run the capture window (status unused)
    int status = 0;            // otherwise: the exit status of what ran
    std::string fileToOpen;    // with startWindow: the GIF named on the command line
};

// Dispatches argv[1]: --version, --help, a subcommand, a file to open, or a
// usage error (status 2). Without arguments: start the window.
CommandLineOutcome runCommandLine(int argc, char** argv);
