// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <QApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/capture_app.h"
#include "app/cli_commands.h"
#include "app/translations.h"

namespace {
bool isSet(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v;
}

// Without a display Qt gives up with an abort; say plainly what is missing instead.
bool noDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY");
#else
    return false;
#endif
}
}  // namespace

int main(int argc, char** argv)
{
    // A file-size limit (ulimit -f) makes a write fail with EFBIG instead of
    // ending the process, so the normal clean-up removes unfinished files.
    std::signal(SIGXFSZ, SIG_IGN);
    const CommandLineOutcome command = runCommandLine(argc, argv);
    if (!command.startWindow)
        return command.status;
    if (noDisplay()) {
        std::fputs(
            "vexlo: no display to show the capture window on (DISPLAY is not set); "
            "start Vexlo from a desktop session\n",
            stderr);
        return 1;
    }
    int qtArgc = 1;  // the arguments were ours
    QApplication app(qtArgc, argv);
    installTranslations(app);
    CCaptureApp captureApp;
    if (!command.fileToOpen.empty())
        captureApp.setInitialGif(QFile::decodeName(command.fileToOpen.c_str()));
    return captureApp.run();
}
