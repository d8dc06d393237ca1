// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The application object: start-up of the windowed program. main() creates the
// QApplication, then a CCaptureApp, and returns what run() returns.
#include <QString>
#include <memory>

class QDialog;

class CCaptureApp {
public:
    CCaptureApp();
    ~CCaptureApp();
    CCaptureApp(const CCaptureApp&) = delete;
    CCaptureApp& operator=(const CCaptureApp&) = delete;

    // The start of the process: names the application, then runs the capture
    // window (dialog 102) modally for the whole life of the process; the program
    // ends when that run returns. Returns the process exit status.
    int run();

    // A GIF to open for editing once the capture window runs (`vexlo FILE.gif`).
    void setInitialGif(const QString& path) { initialGif_ = path; }

private:
    // The capture window, made the main window; null while this build has none,
    // and then run() goes through the settings steps of its life on its own
    // (load, scales, store position and size, save).
    std::unique_ptr<QDialog> createMainWindow();

    QString initialGif_;
};
