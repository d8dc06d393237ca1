// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Captions: vertical and horizontal text, the text and face limits, the
// active caption and selection by a press on the picture.
#include <gtest/gtest.h>

#include <climits>

#include "editor/caption_list.h"

namespace {

std::unique_ptr<CaptionItem> caption(int x, int y, int w, int h, int first, int last)
{
    auto c = std::make_unique<CaptionItem>();
    c->x = x;
    c->y = y;
    c->width = w;
    c->height = h;
    c->firstFrame = first;
    c->lastFrame = last;
    return c;
}

TEST(CaptionItem, VerticalTextHasABreakAfterEveryCharacterButTheLast)
{
    CaptionItem c;
    c.setText(QStringLiteral("XYZ"));
    c.setVertical(true);
    EXPECT_EQ(c.text(), QStringLiteral("X\nY\nZ"));
    EXPECT_EQ(c.displayText(), QStringLiteral("XYZ"));
    c.setVertical(true);  // already vertical: unchanged
    EXPECT_EQ(c.text(), QStringLiteral("X\nY\nZ"));
    c.setVertical(false);
    EXPECT_EQ(c.text(), QStringLiteral("XYZ"));

    EXPECT_EQ(CaptionItem::verticalText(QString()), QString());
    EXPECT_EQ(CaptionItem::verticalText(QStringLiteral("字")), QStringLiteral("字"));
    EXPECT_EQ(CaptionItem::horizontalText(QStringLiteral("a\nb\n\nc")), QStringLiteral("abc"));
    // A character outside the basic plane stays whole.
    const QString emoji = QString::fromUtf8(
        "a\xF0\x9F\x98\x80"
        "b");
    EXPECT_EQ(CaptionItem::verticalText(emoji), QString::fromUtf8("a\n\xF0\x9F\x98\x80\nb"));
}

TEST(CaptionItem, TypedTextIsRefusedWhenEmptyAndFitsTheRecord)
{
    CaptionItem c;
    c.setText(QStringLiteral("old"));
    EXPECT_FALSE(c.setTypedText(QString()));
    EXPECT_EQ(c.text(), QStringLiteral("old"));
    EXPECT_TRUE(c.setTypedText(QStringLiteral("new")));
    EXPECT_EQ(c.text(), QStringLiteral("new"));
    c.setVertical(true);
    EXPECT_TRUE(c.setTypedText(QStringLiteral("ab")));
    EXPECT_EQ(c.text(), QStringLiteral("a\nb"));

    // The record holds 4095 code units: 2048 characters once vertical.
    EXPECT_TRUE(c.setTypedText(QString(5000, QChar('w'))));
    EXPECT_EQ(c.text().size(), 4095);
    EXPECT_EQ(c.displayText().size(), 2048);
    c.setVertical(false);
    c.setText(QString(5000, QChar('h')));
    EXPECT_EQ(c.text().size(), CaptionItem::kMaxTextUnits);
    c.setVertical(true);
    EXPECT_EQ(c.text().size(), 4095);
    EXPECT_FALSE(c.text().endsWith(QChar(10)));

    // Cutting never leaves half of a surrogate pair.
    QString pairs;
    for (int i = 0; i < 3000; ++i)
        pairs += QString::fromUtf8("\xF0\x9F\x98\x80");
    c.setVertical(false);
    c.setText(pairs);
    EXPECT_EQ(c.text().size(), 4094);
    EXPECT_TRUE(c.text().back().isLowSurrogate());
}

TEST(CaptionFont, FaceLimitAndPointSizes)
{
    CaptionFont f;
    f.setFace(QString(40, QChar('F')));
    EXPECT_EQ(f.face().size(), 31);
    EXPECT_EQ(f.charSet, 1);
    EXPECT_EQ(f.underline, 0);

    EXPECT_EQ(CaptionFont::heightForPoints(14, 96), -19);  // 18.67 rounds to 19
    EXPECT_EQ(CaptionFont::heightForPoints(12, 96), -16);
    EXPECT_EQ(CaptionFont::heightForPoints(9, 120), -15);   // 15.0
    EXPECT_EQ(CaptionFont::heightForPoints(10, 108), -15);  // 15.0
    EXPECT_EQ(CaptionFont::heightForPoints(3, 12), -1);     // 0.5 rounds up
    // Sizes beyond the int range (or exactly INT_MIN, which has no negation)
    // give the failure value of MulDiv, -1, negated.
    EXPECT_EQ(CaptionFont::heightForPoints(INT_MIN, 72), 1);
    EXPECT_EQ(CaptionFont::heightForPoints(INT_MAX, 100), 1);
    EXPECT_EQ(CaptionFont::heightForPoints(INT_MAX, 72), -INT_MAX);
    for (int points : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72})
        for (int dpi : {72, 96, 120, 144})
            EXPECT_EQ(CaptionFont::pointsForHeight(CaptionFont::heightForPoints(points, dpi), dpi), points)
                << points << " pt at " << dpi;

    f.weight = CaptionFont::kWeightBold;
    f.italic = 1;
    f.height = -20;
    const StampFont s = f.toStampFont();
    EXPECT_EQ(s.face, std::string(31, 'F'));
    EXPECT_EQ(s.height, -20);
    EXPECT_EQ(s.weight, 700);
    EXPECT_TRUE(s.italic);
    EXPECT_FALSE(s.underline);
}

TEST(CaptionList, ActiveCaptionIsTheFirstSelectedOneOnTheFrame)
{
    CaptionList list;
    CaptionItem* a = list.append(caption(0, 100, 50, 20, 1, 5));
    CaptionItem* b = list.append(caption(0, 100, 50, 20, 3, 9));
    EXPECT_EQ(list.append(nullptr), nullptr);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.activeCaption(3), nullptr);

    b->selected = true;
    EXPECT_EQ(list.activeCaption(3), b);
    EXPECT_EQ(list.activeCaption(10), nullptr);  // outside its range
    a->selected = true;
    EXPECT_EQ(list.activeCaption(4), a);
    EXPECT_EQ(list.activeCaption(7), b);

    list.selectOnly(b);
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(b->selected);
    list.selectOnly(nullptr);
    EXPECT_FALSE(b->selected);
}

TEST(CaptionList, PressSelectsTheOldestCaptionUnderThePointOnTheFrame)
{
    CaptionList list;
    CaptionItem* older = list.append(caption(10, 100, 50, 20, 1, 10));  // box (10,80)-(60,100)
    CaptionItem* newer = list.append(caption(30, 110, 50, 20, 1, 10));  // box (30,90)-(80,110)
    CaptionItem* elsewhere = list.append(caption(30, 110, 50, 20, 20, 30));
    elsewhere->selected = true;

    EXPECT_EQ(list.selectAt(40, 95, 5), older);  // in the overlap
    EXPECT_TRUE(older->selected);
    EXPECT_FALSE(newer->selected);
    EXPECT_FALSE(elsewhere->selected);

    EXPECT_EQ(list.selectAt(70, 105, 5), newer);
    EXPECT_FALSE(older->selected);
    // Box edges: left and top inclusive, right and bottom exclusive.
    EXPECT_EQ(list.selectAt(10, 80, 5), older);
    EXPECT_EQ(list.selectAt(60, 85, 5), nullptr);
    EXPECT_EQ(list.selectAt(20, 100, 5), nullptr);
    // Not on the current frame: cannot be selected, and everything is deselected.
    EXPECT_EQ(list.selectAt(40, 95, 25), elsewhere);
    EXPECT_EQ(list.selectAt(15, 85, 25), nullptr);
    for (const auto& c : list)
        EXPECT_FALSE(c->selected);
    // Boxes at the ends of the int range.
    CaptionItem* farRight = list.append(caption(INT_MAX - 5, INT_MIN + 5, 50, 20, 1, 10));
    EXPECT_EQ(list.selectAt(INT_MAX - 1, INT_MIN + 4, 5), farRight);
    EXPECT_EQ(list.selectAt(INT_MAX - 1, INT_MIN + 5, 5), nullptr);
    list.remove(farRight);
    // A caption never drawn has no box.
    CaptionItem* unmeasured = list.append(caption(200, 200, 0, 0, 1, 10));
    EXPECT_EQ(list.selectAt(200, 199, 5), nullptr);
    EXPECT_FALSE(unmeasured->selected);
}

TEST(CaptionList, RemoveAndClearDestroyCaptions)
{
    CaptionList list;
    CaptionItem* a = list.append(caption(0, 0, 1, 1, 1, 1));
    CaptionItem* b = list.append(caption(0, 0, 1, 1, 1, 1));
    CaptionItem* c = list.append(caption(0, 0, 1, 1, 1, 1));
    EXPECT_EQ(list.indexOf(b), 1);
    EXPECT_TRUE(list.remove(b));
    EXPECT_FALSE(list.remove(b));
    EXPECT_FALSE(list.remove(nullptr));
    EXPECT_EQ(list.at(0), a);
    EXPECT_EQ(list.at(1), c);
    EXPECT_EQ(list.at(2), nullptr);
    list.clear();
    EXPECT_TRUE(list.empty());

    EXPECT_EQ(&captionList(), &captionList());
}

}  // namespace
