// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "app/app_settings.h"
#include "app/capture_app.h"
#include "app/translations.h"
#include "env_guard.h"
#include "platform/ini_file.h"
#include "test_env.h"

// The start of the windowed program: the capture window runs modally, loads the
// settings while it initialises and saves them when it is closed.
namespace {
using testenv::EnvGuard;

// Runs the application object and closes its main window (as the close box
// does) once it is up. Returns run()'s status, or -1 when no window came.
int runAndClose(bool* sawWindow)
{
    *sawWindow = false;
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("CCaptureDlg") && w->isVisible()) {
                *sawWindow = true;
                w->close();
                return;
            }
        }
        if (++tries > 500)  // ten seconds: give up rather than hang
            for (QWidget* w : QApplication::topLevelWidgets())
                w->close();
    });
    poll.start(20);
    CCaptureApp app;
    return app.run();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}
}  // namespace

TEST(CaptureApp, LoadsSettingsAndSavesThemOnClose)
{
    EnvGuard env;
    testenv::TempDir dir;
    const QString ini = QString::fromStdString(dir.file("vexlo.ini"));
    env.set("APPDATA", QByteArray::fromStdString(dir.path()));
    writeAll(ini, "[Param]\nRate1=5\nExpandFont=2\nMine=%d\n[POS]\nWndPosLeft=1001\nWndPosTop=50\n");

    bool sawWindow = false;
    EXPECT_EQ(runAndClose(&sawWindow), 0);
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(appSettings().rate1, 5);
    EXPECT_FLOAT_EQ(appSettings().uiScale, 1.5f);

    IniFile file;
    ASSERT_EQ(file.load(ini), IniFile::LoadResult::Ok);
    EXPECT_EQ(file.getString("Param", "Mine"), "%d");  // foreign key kept
    EXPECT_EQ(file.getInt("Param", "Rate1", 0), 5);
    EXPECT_EQ(file.getInt("Param", "ExpandFont", 0), 2);
    EXPECT_EQ(file.keys("POS").size(), 4);
    EXPECT_EQ(file.keys("Param").size(), 33);
    // The window was placed at (100, 100) and closes there.
    EXPECT_EQ(file.getInt("POS", "WndPosLeft", 0), 100);
    EXPECT_EQ(file.getInt("POS", "WndPosTop", 0), 100);
}

TEST(CaptureApp, NoSettingsFolderWritesNothing)
{
    EnvGuard env;
    testenv::TempDir dir;
    const QByteArray longDir = QByteArray::fromStdString(dir.path()) + "/" + QByteArray(300, 'x');
    env.set("APPDATA", longDir);
    appSettings() = AppSettings();  // the built-in defaults of a fresh process

    bool sawWindow = false;
    EXPECT_EQ(runAndClose(&sawWindow), 0);
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(appSettings().rate1, 15);
    EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(longDir)));
}

// Window titles stay exactly as the windows set them (no product name
// appended), and under the Chinese default Qt's own texts are Chinese.
TEST(CaptureApp, TitlesAsSetAndQtTextsInChinese)
{
    CCaptureApp app;
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName())
        << "a display name of its own would be appended to every title";
    ASSERT_EQ(installTranslations(*QCoreApplication::instance(), QLocale(QLocale::Chinese, QLocale::China)),
              UiLanguage::Chinese);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Save As"));
}
