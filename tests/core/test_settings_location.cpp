// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Where the settings, the profile store and the shipped data files are found
// on a Linux desktop, and the one-time move of an old settings file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>
#include <vector>

#include "app/app_settings.h"
#include "platform/app_paths.h"
#include "platform/data_dirs.h"
#include "platform/profile_store.h"
#include "test_env.h"

namespace {
// Sets the variables for one test and restores them afterwards.
class Env {
public:
    Env()
    {
        for (const char* n : kNames)
            saved_.push_back(qEnvironmentVariableIsSet(n) ? std::optional<QByteArray>(qgetenv(n))
                                                          : std::nullopt);
        for (const char* n : kNames)
            qunsetenv(n);
    }
    ~Env()
    {
        for (size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                qputenv(kNames[i], *saved_[i]);
            else
                qunsetenv(kNames[i]);
        }
    }
    void set(const char* name, const std::string& value) { qputenv(name, QByteArray::fromStdString(value)); }

private:
    static constexpr const char* kNames[] = {"APPDATA", "XDG_CONFIG_HOME", "HOME", "XDG_DATA_HOME",
                                             "XDG_DATA_DIRS"};
    std::vector<std::optional<QByteArray>> saved_;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kOldIni =
    "[POS]\r\nWndPosLeft=123\r\nWndPosTop=45\r\n[Param]\r\nRate1=12\r\nTopWnd=0\r\nUnknownKey=kept as it "
    "is\r\n";
}  // namespace

TEST(SettingsLocation, OneFolderUnderXdgConfigHomeAndAppDataStillWins)
{
    Env env;
    testenv::TempDir dir;
    const QString xdg = QString::fromStdString(dir.path());
    env.set("XDG_CONFIG_HOME", dir.path());
    EXPECT_EQ(settingsFolder(), xdg + "/vexlo");
    EXPECT_EQ(settingsFilePath(), xdg + "/vexlo/vexlo.ini");
    EXPECT_EQ(profileStorePath(), xdg + "/vexlo/profile.ini");

    env.set("APPDATA", dir.file("roaming"));
    EXPECT_EQ(settingsFilePath(), QString::fromStdString(dir.file("roaming")) + "/vexlo.ini");
    EXPECT_EQ(profileStorePath(), QString::fromStdString(dir.file("roaming")) + "/profile.ini");
}

TEST(SettingsLocation, OldFileIsMovedOnceWithEveryKey)
{
    Env env;
    testenv::TempDir dir;
    env.set("XDG_CONFIG_HOME", dir.path());
    const QString oldPath = QString::fromStdString(dir.file("vexlo.ini"));
    writeFile(oldPath, kOldIni);

    AppSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(settings.wndPosLeft, 123);
    EXPECT_EQ(settings.rate1, 12);
    EXPECT_FALSE(QFile::exists(oldPath));
    EXPECT_EQ(readFile(settingsFilePath()), kOldIni);  // byte for byte, unknown keys included

    // A later save keeps writing the new file; nothing comes back to the old place.
    ASSERT_TRUE(SaveSettings(settings));
    EXPECT_FALSE(QFile::exists(oldPath));
    EXPECT_TRUE(readFile(settingsFilePath()).contains("UnknownKey=kept as it is"));
}

TEST(SettingsLocation, BothPresentTheNewOneWinsAndTheOldIsLeftAlone)
{
    Env env;
    testenv::TempDir dir;
    env.set("XDG_CONFIG_HOME", dir.path());
    const QString oldPath = QString::fromStdString(dir.file("vexlo.ini"));
    writeFile(oldPath, kOldIni);
    writeFile(settingsFilePath(), "[POS]\r\nWndPosLeft=7\r\n");

    AppSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(settings.wndPosLeft, 7);
    EXPECT_EQ(readFile(oldPath), kOldIni);
    EXPECT_FALSE(moveLegacySettingsFile(QStringLiteral("vexlo.ini")));
}

TEST(SettingsLocation, NothingMovesWhenAppDataIsSet)
{
    Env env;
    testenv::TempDir dir;
    env.set("XDG_CONFIG_HOME", dir.path());
    env.set("APPDATA", dir.file("roaming"));
    const QString oldPath = QString::fromStdString(dir.file("vexlo.ini"));
    writeFile(oldPath, kOldIni);
    EXPECT_FALSE(moveLegacySettingsFile(QStringLiteral("vexlo.ini")));
    EXPECT_TRUE(QFile::exists(oldPath));
}

TEST(DataFolders, InstalledTreeAndXdgDataDirsAreSearchedInOrder)
{
    Env env;
    testenv::TempDir dir;
    env.set("HOME", dir.file("home"));
    env.set("XDG_DATA_DIRS", dir.file("first") + ":relative/ignored:" + dir.file("second"));
    const QStringList folders = dataFolders();
    const int first = folders.indexOf(QString::fromStdString(dir.file("first")) + "/vexlo");
    const int second = folders.indexOf(QString::fromStdString(dir.file("second")) + "/vexlo");
    const int home = folders.indexOf(QString::fromStdString(dir.file("home")) + "/.local/share/vexlo");
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    ASSERT_GE(home, 0);
    EXPECT_LT(home, first);
    EXPECT_LT(first, second);
    for (const QString& f : folders)
        EXPECT_FALSE(f.startsWith(QStringLiteral("relative")));

    // Only the second folder holds the page: it is found there.
    const QString page = QString::fromStdString(dir.file("second")) + "/vexlo/help/only-here.htm";
    writeFile(page, "<html></html>");
    EXPECT_EQ(findDataFile(QStringLiteral("help/only-here.htm")), page);
    EXPECT_TRUE(findDataFile(QStringLiteral("help/nowhere.htm")).isEmpty());
}
