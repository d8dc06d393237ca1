// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CHyperlinkStatic: defaults, colours by state, underline while hovered, fit to
// text, opening through the platform and the failure message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/sys_colors.h"
#include "platform/ui_prompts.h"
#include "scripted_prompts.h"
#include "widgets/hyperlink_rules.h"
#include "widgets/hyperlink_static.h"

namespace {

QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

void sendMove(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

TEST(HyperlinkRules, ErrorTexts)
{
    EXPECT_EQ(hyperlink::failureMessage(31),
              QStringLiteral("Unable to open hyperlink:\n\nThere is no application associated\n"
                             "with the given filename extension."));
    EXPECT_EQ(hyperlink::errorText(0),
              QStringLiteral("The operating system is out\nof memory or resources."));
    EXPECT_EQ(hyperlink::errorText(2), QStringLiteral("The specified file was not found."));
    EXPECT_EQ(hyperlink::errorText(26), QStringLiteral("A sharing violation occurred. "));
    EXPECT_EQ(hyperlink::errorText(32), QStringLiteral("The specified dynamic-link library was not found."));
    EXPECT_EQ(hyperlink::errorText(4), QStringLiteral("Unknown Error (4) occurred."));
    EXPECT_EQ(hyperlink::errorText(-7), QStringLiteral("Unknown Error (-7) occurred."));
}

TEST(HyperlinkRules, Precheck)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFile = dir.filePath(QStringLiteral("absent.htm"));
    const QString missingFolder = dir.filePath(QStringLiteral("nowhere/absent.htm"));
    EXPECT_EQ(hyperlink::precheck(hyperlink::linkUrl(missingFile)), 2);
    EXPECT_EQ(hyperlink::precheck(hyperlink::linkUrl(missingFolder)), 3);
    EXPECT_EQ(hyperlink::precheck(hyperlink::linkUrl(QString())), 2);
    EXPECT_EQ(hyperlink::precheck(hyperlink::linkUrl(QStringLiteral("http://example.com/"))),
              hyperlink::kOpened);
    EXPECT_EQ(hyperlink::precheck(hyperlink::linkUrl(dir.path())), hyperlink::kOpened);
    EXPECT_EQ(hyperlink::linkUrl(QStringLiteral("www.example.com")).scheme(), QStringLiteral("http"));
    EXPECT_EQ(hyperlink::linkUrl(QStringLiteral("mailto:a@b.c")).scheme(), QStringLiteral("mailto"));
}

TEST(HyperlinkRules, FitKeepsTheAlignment)
{
    const QRect r(10, 20, 100, 30);
    const QSize text(40, 12);
    EXPECT_EQ(hyperlink::fitRectToText(r, text, Qt::AlignLeft | Qt::AlignTop), QRect(10, 20, 40, 12));
    EXPECT_EQ(hyperlink::fitRectToText(r, text, Qt::AlignRight | Qt::AlignTop), QRect(70, 20, 40, 12));
    EXPECT_EQ(hyperlink::fitRectToText(r, text, Qt::AlignHCenter | Qt::AlignTop), QRect(40, 20, 40, 12));
    EXPECT_EQ(hyperlink::fitRectToText(r, text, Qt::AlignLeft | Qt::AlignVCenter), QRect(10, 29, 40, 12));
}

TEST(HyperlinkStatic, DefaultsAndTextUrlExchange)
{
    CHyperlinkStatic link(QStringLiteral("http://example.com/a"));
    EXPECT_EQ(link.url(), QStringLiteral("http://example.com/a")) << "an empty URL takes the text";
    EXPECT_EQ(link.linkColor(), makeColorRef(0, 0, 238));
    EXPECT_EQ(link.visitedColor(), makeColorRef(85, 26, 139));
    EXPECT_EQ(link.hoverColor(), makeColorRef(255, 0, 0));
    EXPECT_EQ(link.underline(), CHyperlinkStatic::UnderlineHover);
    EXPECT_TRUE(link.fitToText());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

    CHyperlinkStatic empty;
    empty.setUrl(QStringLiteral("http://example.com/b"));
    EXPECT_EQ(empty.text(), QStringLiteral("http://example.com/b")) << "an empty text takes the URL";
    EXPECT_EQ(empty.toolTip(), QStringLiteral("http://example.com/b"));

    empty.setLink(QStringLiteral("主页"), QStringLiteral("http://example.com/c"), makeColorRef(0, 0, 255),
                  false);
    EXPECT_EQ(empty.text(), QStringLiteral("主页"));
    EXPECT_EQ(empty.url(), QStringLiteral("http://example.com/c"));
    EXPECT_TRUE(empty.toolTip().isEmpty());
    EXPECT_EQ(empty.hoverColor(), makeColorRef(0, 0, 255));

    empty.setColors(makeColorRef(1, 2, 3), makeColorRef(4, 5, 6), ColorRef(-1));
    EXPECT_EQ(empty.hoverColor(), sysColor(SysColor::Highlight));
}

TEST(HyperlinkStatic, HoverColourUnderlineAndTimer)
{
    QWidget window;
    window.resize(300, 100);
    auto* link = new CHyperlinkStatic(QStringLiteral("Vexlo"), &window);
    link->move(10, 10);
    window.show();
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->currentTextColor(), qColor(link->linkColor()));

    QCursor::setPos(link->mapToGlobal(QPoint(2, 2)));
    sendMove(link, QPoint(2, 2));
    EXPECT_TRUE(link->isOver());
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), qColor(link->hoverColor()));

    // The pointer goes away: the next 100 ms tick notices.
    QCursor::setPos(window.mapToGlobal(QPoint(250, 90)));
    for (int i = 0; i < 50 && link->isOver(); ++i)
        QTest::qWait(20);
    EXPECT_FALSE(link->isOver());
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), qColor(link->linkColor()));

    link->setUnderline(CHyperlinkStatic::UnderlineAlways);
    EXPECT_TRUE(link->font().underline());
    link->setUnderline(CHyperlinkStatic::UnderlineNever);
    sendMove(link, QPoint(2, 2));
    EXPECT_FALSE(link->font().underline());
}

TEST(HyperlinkStatic, FitToTextKeepsTheRightEdge)
{
    QWidget window;
    window.resize(400, 100);
    auto* link = new CHyperlinkStatic(&window);
    link->setAlignment(Qt::AlignRight | Qt::AlignTop);
    link->setGeometry(10, 10, 300, 40);
    link->setUrl(QStringLiteral("http://example.com/"));
    const QSize text = QFontMetrics(link->font()).size(0, link->text());
    EXPECT_EQ(link->geometry(), QRect(310 - text.width(), 10, text.width(), text.height()));
}

TEST(HyperlinkStatic, ClickOpensAndMarksVisited)
{
    QWidget window;
    auto* link = new CHyperlinkStatic(QStringLiteral("Vexlo"), &window);
    link->setUrl(QStringLiteral("http://example.com/x"));
    std::vector<QUrl> opened;
    link->setOpener([&opened](const QUrl& u) {
        opened.push_back(u);
        return true;
    });
    window.show();
    QSignalSpy clicks(link, &CHyperlinkStatic::clicked);
    ScriptedPrompts prompts;
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://example.com/x")));
    EXPECT_TRUE(link->visited());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(prompts.asked().empty());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), qColor(link->visitedColor()));
}

TEST(HyperlinkStatic, FailureBeepsAndShowsTheReason)
{
    CHyperlinkStatic link(QStringLiteral("Vexlo"));
    link.setUrl(QStringLiteral("http://example.com/"));
    link.setOpener([](const QUrl&) { return false; });
    ScriptedPrompts prompts;
    EXPECT_EQ(link.openLink(), 31);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].kind, ScriptedPrompts::Kind::MessageBox);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("Unable to open hyperlink:\n\nThere is no application "
                                                      "associated\nwith the given filename extension."));
    EXPECT_EQ(prompts.asked()[0].type & MB_ICONMASK, unsigned(MB_ICONWARNING));
    EXPECT_FALSE(link.visited());

    // A missing local file never reaches the platform.
    QTemporaryDir dir;
    bool asked = false;
    link.setOpener([&asked](const QUrl&) { return asked = true; });
    link.setUrl(dir.filePath(QStringLiteral("gone.htm")));
    EXPECT_EQ(link.openLink(), 2);
    EXPECT_FALSE(asked);
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[1].text,
              QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
}
