// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <climits>

#include "platform/ini_file.h"
#include "test_env.h"

namespace {
QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}
}  // namespace

TEST(IniFile, AbsentKeyGivesDefaultAndNamesIgnoreCase)
{
    IniFile ini;
    ini.loadFromData("[Param]\nRate1=25\nEmpty=\nFont=Verdana\n[POS]\nWndPosLeft=-5\n");
    EXPECT_EQ(ini.getInt("param", "RATE1", 7), 25);
    EXPECT_EQ(ini.getInt("Param", "Missing", 7), 7);
    EXPECT_EQ(ini.getInt("Nowhere", "Rate1", 7), 7);
    EXPECT_EQ(ini.getInt("Param", "Empty", 7), 7);        // present but empty: the default
    EXPECT_EQ(ini.getString("Param", "Empty", "x"), "");  // but the empty text for strings
    EXPECT_EQ(ini.getString("PARAM", "font", "x"), "Verdana");
    EXPECT_EQ(ini.getInt("pos", "wndposleft", 0), -5);
    // A key of another section does not leak into this one.
    EXPECT_EQ(ini.getInt("Param", "WndPosLeft", 42), 42);
}

TEST(IniFile, IntegerParsing)
{
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"20", 20},
        {" 20 ", 20},
        {"+7", 7},
        {"-5", -5},
        {"12px", 12},
        {"abc", 0},
        {"0x1F", 0},
        {"", 99},
        {"   ", 99},
        {"2147483647", INT_MAX},
        {"4294967295", -1},  // "%u" of -1 reads back as -1
        {"2147483648", INT_MIN},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::parseInt(QString::fromUtf8(c.text), 99), c.expected) << c.text;
}

TEST(IniFile, ForeignContentKeptByteForByte)
{
    testenv::TempDir dir;
    const QString path = QString::fromStdString(dir.file("a.ini"));
    // CRLF line breaks, a byte-order mark, comments, a stray line, duplicate keys,
    // bytes that are not UTF-8 and no final line break.
    const QByteArray original =
        "\xEF\xBB\xBF; made by hand\r\n"
        "[Other]\r\n"
        "Keep = spaced value \r\n"
        "Raw=\xFF\xFE\r\n"
        "\r\n"
        "[Param]\r\n"
        "rate1=5\r\n"
        "Rate1=6\r\n"
        "stray line\r\n"
        "\r\n"
        "[Tail]\r\n"
        "Last=1";
    writeAll(path, original);

    IniFile ini;
    ASSERT_EQ(ini.load(path), IniFile::LoadResult::Ok);
    EXPECT_EQ(ini.getInt("Param", "Rate1", 0), 5);  // the first match wins
    ini.setInt("Param", "RATE1", 25);               // replaced in place, spelling kept
    ini.setString("Param", "New", "x");             // after the section's last line
    ini.setString("Added", "K", "v");               // a new section at the end
    ASSERT_TRUE(ini.save(path));

    const QByteArray expected =
        "\xEF\xBB\xBF; made by hand\r\n"
        "[Other]\r\n"
        "Keep = spaced value \r\n"
        "Raw=\xFF\xFE\r\n"
        "\r\n"
        "[Param]\r\n"
        "rate1=25\r\n"
        "Rate1=6\r\n"
        "stray line\r\n"
        "New=x\r\n"
        "\r\n"
        "[Tail]\r\n"
        "Last=1\r\n"
        "\r\n"
        "[Added]\r\n"
        "K=v\r\n";
    EXPECT_EQ(readAll(path), expected);
}

TEST(IniFile, ValuesReadBackExactly)
{
    const QString values[] = {
        "%d %s %%", "  leading and trailing  ", "\"quoted\"",      "'single'", "a=b=c", "中文 字体", "",
        "\"",       "; not a comment",          "[not a section]",
    };
    IniFile ini;
    for (int i = 0; i < int(std::size(values)); ++i)
        ini.setString("S", QStringLiteral("K%1").arg(i), values[i]);
    IniFile back;
    back.loadFromData(ini.toData());
    for (int i = 0; i < int(std::size(values)); ++i)
        EXPECT_EQ(back.getString("S", QStringLiteral("K%1").arg(i), "absent"), values[i]) << i;
    EXPECT_EQ(back.keys("S").size(), int(std::size(values)));

    // A line break cannot be stored: it must not create a key of its own.
    IniFile injected;
    injected.setString("S", "Text", "a\nEvil=1\r\nb");
    IniFile reread;
    reread.loadFromData(injected.toData());
    EXPECT_FALSE(reread.hasKey("S", "Evil"));
    EXPECT_EQ(reread.getString("S", "Text"), "a Evil=1  b");
}

TEST(IniFile, LoadFailuresAndAtomicSave)
{
    testenv::TempDir dir;
    IniFile ini;
    EXPECT_EQ(ini.load(QString::fromStdString(dir.file("none.ini"))), IniFile::LoadResult::Missing);
    EXPECT_EQ(ini.load(QString::fromStdString(dir.path())), IniFile::LoadResult::Unreadable);

    // The folder is created on save.
    const QString nested = QString::fromStdString(dir.file("sub/deeper/x.ini"));
    ini.setString("A", "B", "C");
    ASSERT_TRUE(ini.save(nested));
    EXPECT_EQ(readAll(nested), "[A]\nB=C\n");

    // A save that cannot happen leaves the old file as it was.
    const QString blocker = QString::fromStdString(dir.file("file"));
    writeAll(blocker, "not a folder");
    EXPECT_FALSE(ini.save(blocker + "/x.ini"));
    EXPECT_EQ(readAll(blocker), "not a folder");
}

// A save killed between writing its temporary file and the rename leaves it
// behind; a later save removes it once it is old, but not a young one (another
// instance's save in progress) nor files that only look alike.
TEST(IniFile, SaveRemovesStaleTemporaries)
{
    testenv::TempDir dir;
    const QString path = QString::fromStdString(dir.file("vexlo.ini"));
    const QDateTime anHourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    struct Case {
        const char* name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".vexlo.ini.a1B2c3", true, true},  {".vexlo.ini.Zz9Yy8", false, false},
        {".vexlo.ini.a1B2c", true, false},  {".vexlo.ini.a1B2c3d", true, false},
        {".other.ini.a1B2c3", true, false}, {"vexlo.ini.a1B2c3", true, false},
    };
    for (const Case& c : cases) {
        const QString file = QString::fromStdString(dir.file(c.name));
        writeAll(file, "[POS]\n");
        if (c.old) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(anHourAgo, QFileDevice::FileModificationTime));
        }
    }
    IniFile ini;
    ini.setString("Param", "Rate1", "5");
    ASSERT_TRUE(ini.save(path));
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(QString::fromStdString(dir.file(c.name))), !c.removed) << c.name;
    EXPECT_EQ(readAll(path), "[Param]\nRate1=5\n");
}

// A file just under the size limit that a save would push over it: the save
// keeps the settings this run read or set (and drops the rest), so the next
// start reads the file again; the folder holds no temporary file afterwards.
TEST(IniFile, SaveNeverWritesAFileTheNextLoadRefuses)
{
    testenv::TempDir dir;
    const QString path = QString::fromStdString(dir.file("vexlo.ini"));
    QByteArray data = "; my notes\n[POS]\nWndPosLeft=12\n[Param]\nRate1=25\n[Junk]\n";
    const QByteArray filler = "k=1234567890\n";
    while (data.size() + filler.size() <= IniFile::kMaxFileSize)
        data += filler;
    writeAll(path, data);

    IniFile ini;
    ASSERT_EQ(ini.load(path), IniFile::LoadResult::Ok);
    EXPECT_EQ(ini.getInt("Param", "Rate1", 0), 25);
    EXPECT_EQ(ini.getInt("POS", "WndPosLeft", 0), 12);
    ini.setInt("POS", "WndPosTop", 34);
    ini.setString("Param", "LogoText", QString(200, QLatin1Char('x')));
    ini.setInt("New", "Key", 5);
    ASSERT_GT(ini.toData().size(), IniFile::kMaxFileSize);
    ASSERT_TRUE(ini.save(path));

    IniFile again;
    ASSERT_EQ(again.load(path), IniFile::LoadResult::Ok);
    EXPECT_EQ(again.getInt("Param", "Rate1", 0), 25);
    EXPECT_EQ(again.getInt("POS", "WndPosLeft", 0), 12);
    EXPECT_EQ(again.getInt("POS", "WndPosTop", 0), 34);
    EXPECT_EQ(again.getString("Param", "LogoText"), QString(200, QLatin1Char('x')));
    EXPECT_EQ(again.getInt("New", "Key", 0), 5);
    EXPECT_FALSE(again.hasSection("Junk"));
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files | QDir::Hidden),
              QStringList{"vexlo.ini"});

    // Within the limit every line stays, comments and unknown keys included.
    IniFile small;
    small.loadFromData("; note\n[Param]\nRate1=25\nOther=1\n");
    small.setInt("Param", "Rate2", 3);
    ASSERT_TRUE(small.save(path));
    EXPECT_EQ(readAll(path), "; note\n[Param]\nRate1=25\nOther=1\nRate2=3\n");
}

// Lookups and changes in a file of many sections and keys go by index: the
// first section and key of a name win, and a key added to an early section
// does not disturb the keys after it.
TEST(IniFile, IndexedLookupsKeepTheFirstMatch)
{
    IniFile ini;
    QByteArray data = "[A]\nx=1\nX=2\n\n[b]\ny=3\n[B]\ny=4\n";
    for (int i = 0; i < 2000; ++i)
        data += "[S" + QByteArray::number(i) + "]\nk=" + QByteArray::number(i) + "\n";
    ini.loadFromData(data);
    EXPECT_EQ(ini.getInt("a", "X", 0), 1);
    EXPECT_EQ(ini.getInt("B", "Y", 0), 3);
    EXPECT_EQ(ini.getInt("S1999", "k", 0), 1999);
    ini.setInt("A", "z", 9);
    ini.setInt("A", "x", 7);
    EXPECT_EQ(ini.getInt("A", "z", 0), 9);
    EXPECT_EQ(ini.getInt("A", "x", 0), 7);
    EXPECT_TRUE(ini.toData().startsWith("[A]\nx=7\nX=2\nz=9\n\n[b]\ny=3\n[B]\ny=4\n[S0]\nk=0\n"));
    EXPECT_TRUE(ini.removeKey("A", "x"));
    EXPECT_EQ(ini.getInt("A", "x", 0), 2);  // the second spelling is found now
    EXPECT_EQ(ini.getInt("A", "z", 0), 9);
    EXPECT_EQ(ini.keys("S5"), QStringList{"k"});
    EXPECT_EQ(ini.sections().size(), 2003);
}
