// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// A close asked for from outside (a termination signal): the program closes
// as with its close button (settings saved, output deleted, worker stopped),
// dismissing open dialogs first and letting a running generation finish.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <optional>

#include "app/app_settings.h"
#include "app/capture_app.h"
#include "capture/capture_dlg.h"
#include "capture/worker_thread.h"
#include "editor/size_dlg.h"
#include "platform/screen_grabber.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

constexpr const char* kIni = "[Param]\nRate1=20\nTopWnd=0\n[POS]\nWndPosEmptyHeight=120\n";

class GreyGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        std::vector<uint8_t> bgrx(size_t(rect.width()) * size_t(rect.height()) * 4, 0x60);
        return out.fromScreenBits(bgrx.data(), rect.width(), rect.height(), size_t(rect.width()) * 4);
    }
    bool canGrab() const override { return true; }
};

std::unique_ptr<CCaptureDlg> makeWindow()
{
    auto dlg = std::make_unique<CCaptureDlg>(std::make_unique<GreyGrabber>());
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
}

void writeFile(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("GIF89a");
}

}  // namespace

TEST(CaptureExternalClose, SigtermClosesTheProgramAndSavesSettings)
{
    SettingsFolder folder(kIni);
    QFile::remove(folder.iniPath());
    bool sawWindow = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("CCaptureDlg") && w->isVisible() && !sawWindow) {
                sawWindow = true;
                // Twice at once, as `timeout` sends it (to the program and
                // to its process group).
                raise(SIGTERM);
                raise(SIGTERM);
            }
    });
    poll.start(20);
    QTimer giveUp;  // never hang: close whatever is open after ten seconds
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
    });
    giveUp.start(10000);
    CCaptureApp app;
    EXPECT_EQ(app.run(), 0);
    EXPECT_TRUE(sawWindow);
    const QString ini = folder.readIni();
    EXPECT_TRUE(ini.contains("WndPosLeft=300")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("WndPosEmptyHeight=250")) << ini.toStdString();
    // The run is over: the signal has its own action again.
    struct sigaction current {};
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_TRUE(current.sa_handler == SIG_DFL);
}

TEST(CaptureExternalClose, WhileRecordingStopsAndSaves)
{
    SettingsFolder folder(kIni);
    auto dlg = makeWindow();
    const QString output = folder.file("last.gif");
    writeFile(output);
    dlg->controller().setOutputPath(output);
    dlg->onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().frameCount() >= 1; }));
    dlg->closeWhenPossible();
    ASSERT_TRUE(waitUntil([&] { return !dlg->isVisible(); }));
    EXPECT_FALSE(dlg->controller().worker().isRunning());
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(folder.readIni().contains("WndPosEmptyHeight=120"));
}

TEST(CaptureExternalClose, DismissesTheSizeDialogWithoutGenerating)
{
    SettingsFolder folder(kIni);
    auto dlg = makeWindow();
    dlg->onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().frameCount() >= 1; }));
    dlg->onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));
    // The close request comes while the output size dialog is open.
    bool sawSizeDialog = false;
    QTimer::singleShot(50, [&] {
        sawSizeDialog = qobject_cast<CSizeDlg*>(QApplication::activeModalWidget()) != nullptr;
        dlg->closeWhenPossible();
    });
    dlg->button(IDC_CAPTURE_GIF)->click();  // runs the dialog until the close request
    EXPECT_TRUE(sawSizeDialog);
    ASSERT_TRUE(waitUntil([&] { return !dlg->isVisible(); }));
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
    EXPECT_TRUE(dlg->controller().outputPath().isEmpty());  // no generation was started
    EXPECT_FALSE(dlg->controller().worker().isRunning());
}

TEST(CaptureExternalClose, WaitsForARunningGenerationWithoutAsking)
{
    SettingsFolder folder(kIni);
    ScriptedPrompts prompts;
    auto dlg = makeWindow();
    dlg->controller().noteImportAttempt(0);
    sendWindowMessage(&dlg->controller(), UM_PROGRESS, 0, 30);
    ASSERT_EQ(dlg->controller().state(), CaptureState::Generating);
    dlg->closeWhenPossible();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(prompts.asked().empty());  // no "please wait" box for a signal
    const QString output = folder.file("done.gif");
    writeFile(output);
    dlg->controller().setOutputPath(output);
    sendWindowMessage(&dlg->controller(), UM_GENERATED, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !dlg->isVisible(); }));
    EXPECT_FALSE(dlg->preview()->isVisible());  // the finished GIF is not previewed
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_FALSE(dlg->controller().worker().isRunning());
    EXPECT_TRUE(folder.readIni().contains("WndPosLeft=300"));
}
