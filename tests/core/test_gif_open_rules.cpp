// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// What a paste or a drop on the capture window opens: only local files, the
// first on the clipboard and the only one of a drop, names bounded at 260 and
// 400 characters, nothing while the window is busy.
#include <gtest/gtest.h>

#include "capture/gif_open_rules.h"

using namespace GifOpenRules;

namespace {
// A local file name of exactly `chars` characters.
QString nameOf(int chars)
{
    return QStringLiteral("/") + QString(chars - 5, QLatin1Char('a')) + QStringLiteral(".gif");
}
QUrl file(const QString& path)
{
    return QUrl::fromLocalFile(path);
}
}  // namespace

TEST(GifOpenRules, PasteOpensTheFirstUrlWhenItIsAShortLocalFile)
{
    const QUrl web(QStringLiteral("https://example.org/a.gif"));
    struct Case {
        const char* what;
        QList<QUrl> urls;
        bool busy;
        PasteAction action;
        QString path;
    };
    const Case cases[] = {
        {"one local file",
         {file(QStringLiteral("/tmp/a.gif"))},
         false,
         PasteAction::Open,
         QStringLiteral("/tmp/a.gif")},
        {"the first of several",
         {file(QStringLiteral("/tmp/a.gif")), file(QStringLiteral("/tmp/b.gif"))},
         false,
         PasteAction::Open,
         QStringLiteral("/tmp/a.gif")},
        {"first not local", {web, file(QStringLiteral("/tmp/b.gif"))}, false, PasteAction::Refuse, QString()},
        {"nothing on the clipboard", {}, false, PasteAction::Refuse, QString()},
        {"260 characters", {file(nameOf(260))}, false, PasteAction::Open, nameOf(260)},
        {"261 characters", {file(nameOf(261))}, false, PasteAction::Refuse, QString()},
        {"busy", {file(QStringLiteral("/tmp/a.gif"))}, true, PasteAction::Ignore, QString()},
        {"busy, nothing suitable", {web}, true, PasteAction::Ignore, QString()},
    };
    for (const Case& c : cases) {
        const PasteChoice got = choosePastedFile(c.urls, c.busy);
        EXPECT_EQ(got.action, c.action) << c.what;
        EXPECT_EQ(got.path, c.path) << c.what;
    }
}

TEST(GifOpenRules, DropOpensItsOnlyLocalFile)
{
    const QUrl web(QStringLiteral("https://example.org/a.gif"));
    EXPECT_EQ(localFiles({web, file(QStringLiteral("/tmp/a.gif")), file(QStringLiteral("/tmp/b.gif"))}),
              (QStringList{QStringLiteral("/tmp/a.gif"), QStringLiteral("/tmp/b.gif")}));
    EXPECT_TRUE(localFiles({web}).isEmpty());

    struct Case {
        const char* what;
        QStringList paths;
        bool busy;
        std::optional<QString> opened;
    };
    const QString a = QStringLiteral("/tmp/a.gif");
    const Case cases[] = {
        {"one file", {a}, false, a},
        {"two files", {a, QStringLiteral("/tmp/b.gif")}, false, std::nullopt},
        {"no file", {}, false, std::nullopt},
        {"400 characters", {nameOf(400)}, false, nameOf(400)},
        {"401 characters", {nameOf(401)}, false, std::nullopt},
        {"busy", {a}, true, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseDroppedFile(c.paths, c.busy), c.opened) << c.what;
}
