#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "test_env.h"

// The program without arguments (until the capture window is part of it): it
// loads the settings and saves them again on the way out.
namespace {
int runVexlo(const std::string& envAssignments)
{
    return testenv::runCommand("env " + envAssignments + " QT_QPA_PLATFORM=offscreen " + testenv::vexloBin() +
                               " 2>/dev/null");
}

QByteArray readAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(Startup, WritesDefaultsAndKeepsForeignKeys)
{
    testenv::TempDir dir;
    ASSERT_EQ(runVexlo("APPDATA=" + dir.path()), 0);
    const QByteArray first = readAll(dir.file("vexlo.ini"));
    EXPECT_TRUE(first.startsWith("[POS]\nWndPosLeft=300\nWndPosTop=200\n")) << first.constData();
    EXPECT_TRUE(first.contains("Rate1=20\n"));
    EXPECT_TRUE(first.contains("DEFAULT_FONTCOLOR=#FFFF00\n"));

    {
        QFile f(QString::fromStdString(dir.file("vexlo.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Param]\nRate1=5\nMine=%d\n[POS]\nWndPosLeft=1001\n");
    }
    ASSERT_EQ(runVexlo("APPDATA=" + dir.path()), 0);
    const QByteArray second = readAll(dir.file("vexlo.ini"));
    EXPECT_TRUE(second.startsWith("[Param]\nRate1=5\nMine=%d\n")) << second.constData();
    // The window would have gone to (100, 100), and that is where it closes.
    EXPECT_TRUE(second.contains("WndPosLeft=100\n"));
}

TEST(Startup, NoSettingsFolderWritesNothing)
{
    testenv::TempDir dir;
    ASSERT_EQ(runVexlo("-u APPDATA -u XDG_CONFIG_HOME -u HOME TMPDIR=" + dir.path()), 0);
    const std::string longDir = dir.path() + "/" + std::string(300, 'x');
    ASSERT_EQ(runVexlo("APPDATA=" + longDir), 0);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(longDir)));
}
