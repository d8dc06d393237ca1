// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Subcommands of the program: `vexlo <command> ...` runs the core headless.
// Each returns the process exit status (0 success, 2 refused input or usage).

int runDecodeCommand(int argc, char** argv);  // vexlo decode FILE --out DIR
int runGifCommand(int argc, char** argv);     // vexlo gif INPUT... -o OUT.gif
int runRecordCommand(int argc, char** argv);  // vexlo record --rect X,Y,W,H ... -o OUT
int runSendCommand(int argc, char** argv);    // vexlo send FILE [--address A]

// Dispatches argv[1]: --version, --help, a subcommand, or an error (status 2).
int runCommandLine(int argc, char** argv);
