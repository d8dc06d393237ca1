// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/capture_app.h"

#include <QApplication>
#include <QDialog>

#include "app/app_settings.h"
#include "app/startup_sequence.h"
#include "capture/capture_dlg.h"
#include "platform/termination_signals.h"
#include "res/app_icon.h"
#include "res/resource.h"
#include "res/string_table.h"

CCaptureApp::CCaptureApp()
{
    // The profile store (progress window position, About box line) is QSettings
    // under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("Vexlo"));
    QCoreApplication::setApplicationName(QStringLiteral("Vexlo"));
    // Window managers match the windows to the desktop entry by this name; the
    // windows' icon is the entry's icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    QGuiApplication::setWindowIcon(applicationIcon());
    // No application display name: Qt would append it to every window title,
    // and the titles are shown exactly as the windows set them.
}

CCaptureApp::~CCaptureApp() = default;

std::unique_ptr<QDialog> CCaptureApp::createMainWindow()
{
    // It loads the settings while it initialises and saves them when it closes
    // (app/startup_sequence.h).
    auto capture = std::make_unique<CCaptureDlg>();
    capture->setInitialGif(initialGif_);
    return capture;
}

int CCaptureApp::run()
{
    // DPI awareness, common controls and control hosting are Qt's own business.
    std::unique_ptr<QDialog> mainWindow = createMainWindow();
    if (mainWindow) {
        // SIGTERM, SIGINT and SIGHUP close the program as its close button does.
        TerminationSignals termination;
        if (auto* capture = qobject_cast<CCaptureDlg*>(mainWindow.get()))
            QObject::connect(&termination, &TerminationSignals::terminationRequested, capture,
                             [capture](int) { capture->closeWhenPossible(); });
        mainWindow->exec();
        return 0;
    }
    // No capture window yet: what its initialisation and close do with the settings.
    AppSettings& settings = appSettings();
    initialiseCaptureSettings(settings);
    const QPoint pos = initialWindowPosition(settings);
    closeCaptureSettings(settings, pos, settings.wndPosEmptyWidth, settings.wndPosEmptyHeight);
    return 0;
}
