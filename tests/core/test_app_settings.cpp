// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "app/app_settings.h"
#include "app/startup_sequence.h"
#include "env_guard.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "test_env.h"

namespace {
using testenv::EnvGuard;

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QString tempIni(const testenv::TempDir& dir)
{
    return QString::fromStdString(dir.file("vexlo.ini"));
}
}  // namespace

TEST(AppSettings, MissingFileGivesTableDefaults)
{
    testenv::TempDir dir;
    AppSettings s;  // built-in: rate 15
    s.rate1 = s.rate2 = 15;
    s.logoText = "stale";
    loadSettingsFromFile(s, tempIni(dir));
    EXPECT_EQ(s.wndPosLeft, 300);
    EXPECT_EQ(s.wndPosTop, 200);
    EXPECT_EQ(s.wndPosEmptyWidth, 310);
    EXPECT_EQ(s.wndPosEmptyHeight, 250);
    EXPECT_EQ(s.rate1, 20);
    EXPECT_EQ(s.rate2, 20);
    EXPECT_TRUE(s.file && s.notice && s.topWnd && s.aero && s.defaultFontBold && s.logoFontBold);
    EXPECT_FALSE(s.whiteBk || s.last10 || s.defaultFontItalic || s.defaultFontVertical || s.txtEnableLogo ||
                 s.logoFontItalic || s.logoBk || s.imgEnableLogo);
    EXPECT_EQ(s.mouse, 0);
    EXPECT_EQ(s.expandFont, 1);
    EXPECT_EQ(s.defaultFontName, "Verdana");
    EXPECT_EQ(s.defaultFontSize, 14);
    EXPECT_EQ(s.defaultFontColor, makeColorRef(255, 255, 0));
    EXPECT_EQ(s.defaultFontBkStyle, 2);
    EXPECT_EQ(s.defaultFontBkColor, makeColorRef(0, 0, 0));
    EXPECT_EQ(s.txtLogoPos, 0);
    EXPECT_EQ(s.logoText, "");
    EXPECT_EQ(s.logoFontName, "Verdana");
    EXPECT_EQ(s.logoFont, 14);
    EXPECT_EQ(s.logoColor, makeColorRef(0, 0, 0));
    EXPECT_EQ(s.logoBkColor, makeColorRef(255, 255, 255));
    EXPECT_EQ(s.imgLogoPos, 0);
    EXPECT_EQ(s.imgLogoSize, 100);
    EXPECT_EQ(s.logoImgFile, "");
    EXPECT_EQ(initialWindowPosition(s), QPoint(300, 200));
}

TEST(AppSettings, EncodingsOnTheWayInAndOut)
{
    testenv::TempDir dir;
    const QString path = tempIni(dir);
    writeAll(path,
             "[POS]\nWndPosLeft=-5\n"
             "[Param]\nTopWnd=5\nMouse=4294967295\nDEFAULT_FONTCOLOR=#12ab3f\n"
             "LogoText=%d frames %s\nLogoFontName=  spaced  \nCustomKey=keep me\n");
    AppSettings s;
    loadSettingsFromFile(s, path);
    EXPECT_EQ(s.wndPosLeft, -5);
    EXPECT_TRUE(s.topWnd);
    EXPECT_EQ(s.mouse, -1);  // not validated on reading
    EXPECT_EQ(s.defaultFontColor, makeColorRef(0x12, 0xAB, 0x3F));
    EXPECT_EQ(s.logoText, "%d frames %s");
    EXPECT_EQ(s.logoFontName, "spaced");  // blanks around a value are not part of it
    s.logoFontName = "  spaced  ";        // unless written by us (quoted)
    ASSERT_TRUE(saveSettingsToFile(s, path));

    IniFile ini;
    ASSERT_EQ(ini.load(path), IniFile::LoadResult::Ok);
    EXPECT_EQ(ini.getString("POS", "WndPosLeft"), "-5");       // "%d"
    EXPECT_EQ(ini.getString("Param", "Mouse"), "4294967295");  // "%u"
    EXPECT_EQ(ini.getString("Param", "TopWnd"), "1");          // booleans as 0/1
    EXPECT_EQ(ini.getString("Param", "WhiteBK"), "0");
    EXPECT_EQ(ini.getString("Param", "DEFAULT_FONTCOLOR"), "#12AB3F");
    EXPECT_EQ(ini.getString("Param", "LogoText"), "%d frames %s");
    EXPECT_EQ(ini.getString("Param", "CustomKey"), "keep me");
    EXPECT_EQ(ini.keys("POS").size(), 4);
    EXPECT_EQ(ini.keys("Param").size(), 33);  // 32 of ours and the foreign one

    AppSettings again;
    loadSettingsFromFile(again, path);
    EXPECT_EQ(again.mouse, -1);
    EXPECT_EQ(again.logoFontName, "  spaced  ");
}

TEST(AppSettings, EveryFieldRoundTrips)
{
    testenv::TempDir dir;
    const QString path = tempIni(dir);
    AppSettings s;
    s.wndPosLeft = 1000;
    s.wndPosTop = 700;
    s.wndPosEmptyWidth = 640;
    s.wndPosEmptyHeight = 480;
    s.rate1 = 5;
    s.rate2 = 3;
    s.file = false;
    s.notice = false;
    s.topWnd = false;
    s.whiteBk = true;
    s.mouse = 3;
    s.last10 = true;
    s.aero = false;
    s.expandFont = 3;
    s.defaultFontName = "宋体";
    s.defaultFontSize = 30;
    s.defaultFontBold = false;
    s.defaultFontItalic = true;
    s.defaultFontVertical = true;
    s.defaultFontColor = makeColorRef(1, 2, 3);
    s.defaultFontBkStyle = 0;
    s.defaultFontBkColor = makeColorRef(0xFE, 0xDC, 0xBA);
    s.txtEnableLogo = true;
    s.txtLogoPos = 3;
    s.logoText = "水印 %s";
    s.logoFontName = "Arial";
    s.logoFont = 9;
    s.logoFontBold = false;
    s.logoFontItalic = true;
    s.logoColor = makeColorRef(0x10, 0x20, 0x30);
    s.logoBk = true;
    s.logoBkColor = makeColorRef(0x40, 0x50, 0x60);
    s.imgEnableLogo = true;
    s.imgLogoPos = 2;
    s.imgLogoSize = 64;
    s.logoImgFile = "/home/u/图片/logo.png";
    s.playOnce = true;  // run-only: never written
    s.filterNumber = 7;
    s.outputScale = 0.5f;
    ASSERT_TRUE(saveSettingsToFile(s, path));
    IniFile ini;  // the 36 keys and nothing of the run-only values
    ASSERT_EQ(ini.load(path), IniFile::LoadResult::Ok);
    EXPECT_EQ(ini.sections(), QStringList({"POS", "Param"}));
    EXPECT_EQ(ini.keys("POS").size() + ini.keys("Param").size(), 36);

    AppSettings b;
    loadSettingsFromFile(b, path);
    EXPECT_EQ(b.wndPosLeft, 1000);
    EXPECT_EQ(b.wndPosTop, 700);
    EXPECT_EQ(b.wndPosEmptyWidth, 640);
    EXPECT_EQ(b.wndPosEmptyHeight, 480);
    EXPECT_EQ(b.rate1, 5);
    EXPECT_EQ(b.rate2, 3);
    EXPECT_EQ(b.file, false);
    EXPECT_EQ(b.notice, false);
    EXPECT_EQ(b.topWnd, false);
    EXPECT_EQ(b.whiteBk, true);
    EXPECT_EQ(b.mouse, 3);
    EXPECT_EQ(b.last10, true);
    EXPECT_EQ(b.aero, false);
    EXPECT_EQ(b.expandFont, 3);
    EXPECT_EQ(b.defaultFontName, s.defaultFontName);
    EXPECT_EQ(b.defaultFontSize, 30);
    EXPECT_EQ(b.defaultFontBold, false);
    EXPECT_EQ(b.defaultFontItalic, true);
    EXPECT_EQ(b.defaultFontVertical, true);
    EXPECT_EQ(b.defaultFontColor, s.defaultFontColor);
    EXPECT_EQ(b.defaultFontBkStyle, 0);
    EXPECT_EQ(b.defaultFontBkColor, s.defaultFontBkColor);
    EXPECT_EQ(b.txtEnableLogo, true);
    EXPECT_EQ(b.txtLogoPos, 3);
    EXPECT_EQ(b.logoText, s.logoText);
    EXPECT_EQ(b.logoFontName, "Arial");
    EXPECT_EQ(b.logoFont, 9);
    EXPECT_EQ(b.logoFontBold, false);
    EXPECT_EQ(b.logoFontItalic, true);
    EXPECT_EQ(b.logoColor, s.logoColor);
    EXPECT_EQ(b.logoBk, true);
    EXPECT_EQ(b.logoBkColor, s.logoBkColor);
    EXPECT_EQ(b.imgEnableLogo, true);
    EXPECT_EQ(b.imgLogoPos, 2);
    EXPECT_EQ(b.imgLogoSize, 64);
    EXPECT_EQ(b.logoImgFile, s.logoImgFile);
    EXPECT_EQ(b.playOnce, false);
    EXPECT_EQ(b.filterNumber, 0);
    EXPECT_EQ(b.outputScale, 1.0f);
    EXPECT_EQ(initialWindowPosition(b), QPoint(1000, 700));
}

TEST(AppSettings, OverlongStringsAreCutAndBadRatesReplaced)
{
    testenv::TempDir dir;
    const QString path = tempIni(dir);
    const QString longName = QString(40, QLatin1Char('n'));
    // 30 letters then a character outside the BMP: cutting at 31 would split it.
    const QString surrogate = QString(30, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail";
    const QString longPath = "/" + QString(300, QLatin1Char('p'));
    for (const auto& [stored, expected] : std::vector<std::pair<QByteArray, int>>{
             {"0", 20}, {"1001", 20}, {"-3", 20}, {"abc", 20}, {"1000", 1000}, {"1", 1}, {"25", 25}}) {
        writeAll(path, "[Param]\nRate1=" + stored + "\nDEFAULT_FONTNAME=" + longName.toUtf8() +
                           "\nLogoText=" + surrogate.toUtf8() + "\nLogoImgFile=" + longPath.toUtf8() + "\n");
        AppSettings s;
        loadSettingsFromFile(s, path);
        EXPECT_EQ(s.rate1, expected) << stored.constData();
        EXPECT_EQ(s.defaultFontName, longName.left(31));
        EXPECT_EQ(s.logoText, surrogate.left(30));
        EXPECT_EQ(s.logoImgFile, longPath.left(259));
    }
}

TEST(AppSettings, ColourText)
{
    struct Case {
        const char* text;
        ColorRef expected;
    };
    const Case cases[] = {
        {"#12AB3F", makeColorRef(0x12, 0xAB, 0x3F)},
        {"#12ab3f", makeColorRef(0x12, 0xAB, 0x3F)},
        {"#FFFF00", makeColorRef(0xFF, 0xFF, 0x00)},
        {"", 0},
        {"#", 0},
        {"#1G2345", makeColorRef(0x01, 0x23, 0x45)},    // a pair stops at the first non-hex character
        {"#12AB3F99", makeColorRef(0x12, 0xAB, 0x99)},  // blue from the last two characters
        {"X1234", makeColorRef(0x12, 0x34, 0x34)},
        {"#zz", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseColorText(QString::fromUtf8(c.text)), c.expected) << c.text;
    EXPECT_EQ(formatColorText(makeColorRef(0x12, 0xAB, 0x3F)), "#12AB3F");
    EXPECT_EQ(formatColorText(makeColorRef(0, 0, 0)), "#000000");
    EXPECT_EQ(formatColorText(parseColorText("#12ab3f")), "#12AB3F");
}

TEST(AppSettings, WindowPositionBounds)
{
    struct Case {
        int left, top;
        QPoint expected;
    };
    const Case cases[] = {
        {1001, 200, {100, 100}},  {-5, 200, {100, 100}}, {300, 701, {100, 100}}, {300, -1, {100, 100}},
        {1000, 700, {1000, 700}}, {0, 0, {0, 0}},        {300, 200, {300, 200}},
    };
    for (const Case& c : cases) {
        AppSettings s;
        s.wndPosLeft = c.left;
        s.wndPosTop = c.top;
        EXPECT_EQ(initialWindowPosition(s), c.expected) << c.left << "," << c.top;
    }
}

TEST(AppSettings, NoSettingsFolderKeepsBuiltInDefaultsAndWritesNothing)
{
    testenv::TempDir dir;
    EnvGuard env;
    env.unset("APPDATA");
    env.unset("XDG_CONFIG_HOME");
    env.unset("HOME");
    EXPECT_TRUE(appDataDir().isEmpty());
    EXPECT_TRUE(settingsFilePath().isEmpty());
    AppSettings s;
    LoadSettings(s);
    EXPECT_EQ(s.rate1, 15);
    EXPECT_EQ(s.rate2, 15);
    EXPECT_EQ(s.wndPosEmptyWidth, 310);
    EXPECT_FALSE(SaveSettings(s));

    // APPDATA too long: neither read nor written.
    const QByteArray longDir = QByteArray::fromStdString(dir.path()) + "/" + QByteArray(300, 'x');
    env.set("APPDATA", longDir);
    EXPECT_TRUE(settingsFilePath().isEmpty());
    LoadSettings(s);
    EXPECT_EQ(s.rate1, 15);
    EXPECT_FALSE(SaveSettings(s));
    EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(longDir)));

    // A usable APPDATA: the file lies directly in it.
    env.set("APPDATA", QByteArray::fromStdString(dir.path()));
    EXPECT_EQ(settingsFilePath(), tempIni(dir));
    LoadSettings(s);
    EXPECT_EQ(s.rate1, 20);
    EXPECT_TRUE(SaveSettings(s));
    EXPECT_TRUE(readAll(tempIni(dir)).contains("Rate1=20"));
}

TEST(AppSettings, UnreadableFileIsNotReplaced)
{
    testenv::TempDir dir;
    const QString path = tempIni(dir);
    writeAll(path, "[Param]\nRate1=5\n");
    // Larger than any settings file can be: refused as a whole (sparse, so cheap).
    {
        QFile f(path);
        ASSERT_TRUE(f.resize(IniFile::kMaxFileSize + 1));
    }
    AppSettings s;
    loadSettingsFromFile(s, path);
    EXPECT_EQ(s.rate1, 20);  // the defaults apply
    EXPECT_FALSE(saveSettingsToFile(s, path));
    EXPECT_EQ(QFileInfo(path).size(), IniFile::kMaxFileSize + 1);
    EXPECT_TRUE(readAll(path).startsWith("[Param]\nRate1=5\n"));
}

// Stored capture sizes that would make the capture frame unusable (a frame
// narrower or lower than it can be dragged to, or bars beyond the desktop) are
// brought back into range at start and written back that way.
TEST(AppSettings, CaptureSizeBroughtIntoRangeAtStartAndSavedSo)
{
    struct Case {
        QByteArray width, height;
        int expectedWidth, expectedHeight;
    };
    const QSize desktop(1920, 1080);
    const Case cases[] = {
        {"-5", "250", kMinCaptureWidth, 250},
        {"4294967291", "250", kMinCaptureWidth, 250},
        {"310", "99999", 310, 1080},
        {"99999", "0", 1910, kMinCaptureHeight},
        {"310", "250", 310, 250},
        {"50", "60", 50, 60},
        {"2147483647", "-2147483648", 1910, 60},
    };
    testenv::TempDir dir;
    const QString path = tempIni(dir);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width.toStdString() + " x " + c.height.toStdString());
        writeAll(path, "[POS]\nWndPosEmptyWidth=" + c.width + "\nWndPosEmptyHeight=" + c.height + "\n");
        AppSettings s;
        loadSettingsFromFile(s, path);
        const bool outOfRange =
            c.expectedWidth != s.wndPosEmptyWidth || c.expectedHeight != s.wndPosEmptyHeight;
        EXPECT_EQ(bringCaptureSizeIntoRange(s, desktop), outOfRange);
        EXPECT_EQ(s.wndPosEmptyWidth, c.expectedWidth);
        EXPECT_EQ(s.wndPosEmptyHeight, c.expectedHeight);
        ASSERT_TRUE(saveSettingsToFile(s, path));
        const QByteArray saved = readAll(path);
        EXPECT_TRUE(saved.contains("WndPosEmptyWidth=" + QByteArray::number(c.expectedWidth) + "\n"))
            << saved.constData();
        EXPECT_TRUE(saved.contains("WndPosEmptyHeight=" + QByteArray::number(c.expectedHeight) + "\n"));
    }
    // Without a desktop only the lower bounds apply.
    AppSettings s;
    s.wndPosEmptyWidth = 40000;
    s.wndPosEmptyHeight = 1;
    EXPECT_TRUE(bringCaptureSizeIntoRange(s, QSize()));
    EXPECT_EQ(s.wndPosEmptyWidth, 40000);
    EXPECT_EQ(s.wndPosEmptyHeight, kMinCaptureHeight);

    // The start-up sequence applies it.
    EnvGuard env;
    env.set("APPDATA", QByteArray::fromStdString(dir.path()));
    writeAll(path, "[POS]\nWndPosEmptyWidth=-5\nWndPosEmptyHeight=99999\n");
    AppSettings started;
    initialiseCaptureSettings(started);
    EXPECT_EQ(started.wndPosEmptyWidth, kMinCaptureWidth);
    EXPECT_GE(started.wndPosEmptyHeight, kMinCaptureHeight);
    EXPECT_LT(started.wndPosEmptyHeight, 99999);
}
