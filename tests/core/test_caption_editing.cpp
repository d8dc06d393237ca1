// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// What the editor does to captions, without windows: a new caption's place and
// range, the list's cells and the rules for what is typed into them, vertical
// layout and the record's length limit, press and drag arithmetic, and control
// changes on the active caption.
#include <gtest/gtest.h>

#include <climits>

#include "editor/caption_editing.h"
#include "editor/caption_list.h"

using namespace caption_editing;

namespace {

CaptionStyle style()
{
    CaptionStyle s;
    s.face = QStringLiteral("DejaVu Sans");
    s.points = 14;
    s.bold = true;
    s.italic = true;
    s.vertical = false;
    s.textColor = makeColorRef(255, 255, 0);
    s.backgroundColor = makeColorRef(0, 0, 0);
    s.backgroundStyle = CaptionBackgroundThinOutline;
    return s;
}

CaptionItem measured(int x, int y, int w, int h, int first, int last)
{
    CaptionItem c;
    c.x = x;
    c.y = y;
    c.width = w;
    c.height = h;
    c.firstFrame = first;
    c.lastFrame = last;
    c.setText(QStringLiteral("abc"));
    return c;
}

}  // namespace

TEST(CaptionEditing, NewCaptionOnFramesOf240Pixels)
{
    // Every seed gives x in 0..4 and y in 216..220.
    bool sawX[5] = {};
    for (long long t = 1700000000; t < 1700000200; ++t) {
        unsigned r1 = 0, r2 = 0;
        newCaptionRandoms(t, r1, r2);
        auto c = newCaption(style(), QStringLiteral("双击字幕栏的文字来修改内容"), 3, 10, 240, 96, r1, r2);
        ASSERT_GE(c->x, 0);
        ASSERT_LE(c->x, 4);
        ASSERT_GE(c->y, 216);
        ASSERT_LE(c->y, 220);
        sawX[c->x] = true;
    }
    for (bool seen : sawX)
        EXPECT_TRUE(seen);
    // The same second gives the same place.
    unsigned a1, a2, b1, b2;
    newCaptionRandoms(42, a1, a2);
    newCaptionRandoms(42, b1, b2);
    EXPECT_EQ(a1, b1);
    EXPECT_EQ(a2, b2);

    auto c = newCaption(style(), QStringLiteral("abc"), 3, 10, 240, 96, 7, 13);
    EXPECT_EQ(c->x, 2);
    EXPECT_EQ(c->y, 240 - 3 - 20);
    EXPECT_EQ(c->firstFrame, 3);
    EXPECT_EQ(c->lastFrame, 10);
    EXPECT_FALSE(c->selected);
    EXPECT_EQ(c->width, 0);
    EXPECT_EQ(c->height, 0);
    EXPECT_EQ(c->font.face(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(c->font.height, -19);  // -MulDiv(14, 96, 72)
    EXPECT_EQ(c->font.weight, 700);
    EXPECT_EQ(c->font.italic, 1);
    EXPECT_EQ(c->font.underline, 0);
    EXPECT_EQ(c->font.charSet, 1);
    EXPECT_EQ(c->backgroundStyle, CaptionBackgroundThinOutline);
    EXPECT_EQ(c->textColor, makeColorRef(255, 255, 0));
    EXPECT_EQ(c->text(), QStringLiteral("abc"));

    CaptionStyle v = style();
    v.vertical = true;
    v.bold = false;
    auto vc = newCaption(v, QStringLiteral("XYZ"), 1, 1, 240, 120, 0, 0);
    EXPECT_TRUE(vc->isVertical());
    EXPECT_EQ(vc->text(), QStringLiteral("X\nY\nZ"));
    EXPECT_EQ(vc->font.weight, 400);
    EXPECT_EQ(vc->font.height, -23);  // 14 * 120 / 72 = 23.3
    EXPECT_EQ(cellText(*vc, CaptionColumnText), QStringLiteral("XYZ"));
}

TEST(CaptionEditing, ColumnsAndCells)
{
    const char* headings[] = {"开始于*帧", "结束于*帧", "字幕 (双击修改内容，回车保存修改)", "横座标",
                              "纵座标"};
    const int widths[] = {70, 70, 430, 80, 80};
    for (int k = 0; k < CaptionColumnCount; ++k) {
        EXPECT_EQ(columnHeading(k), QString::fromUtf8(headings[k]));
        EXPECT_EQ(columnWidth(k), widths[k]);
        EXPECT_EQ(cellTakesDigitsOnly(k), k != CaptionColumnText);
    }
    CaptionItem c = measured(-5, 77, 10, 10, 2, 9);
    EXPECT_EQ(cellText(c, 0), QStringLiteral("2"));
    EXPECT_EQ(cellText(c, 1), QStringLiteral("9"));
    EXPECT_EQ(cellText(c, 2), QStringLiteral("abc"));
    EXPECT_EQ(cellText(c, 3), QStringLiteral("-5"));
    EXPECT_EQ(cellText(c, 4), QStringLiteral("77"));
}

TEST(CaptionEditing, TypedValuesAreAcceptedOrRefusedByColumn)
{
    struct Case {
        int column;
        const char* typed;
        bool accepted;
        int first, last, x, y;
    };
    // The caption starts on frames 3..6 of 8, at (10, 20).
    const Case cases[] = {
        {0, "0", false, 3, 6, 10, 20},    {0, "", false, 3, 6, 10, 20},
        {0, "abc", false, 3, 6, 10, 20},  {0, "7", false, 3, 6, 10, 20},  // beyond the last frame
        {0, "6", true, 6, 6, 10, 20},     {0, "1", true, 1, 6, 10, 20},
        {0, "2x", true, 2, 6, 10, 20},    {1, "2", false, 3, 6, 10, 20},  // below the first frame
        {1, "9", false, 3, 6, 10, 20},    {1, "3", true, 3, 3, 10, 20},
        {1, "8", true, 3, 8, 10, 20},     {1, "99999999999", false, 3, 6, 10, 20},
        {3, "", true, 3, 6, 0, 20},       {3, "321", true, 3, 6, 321, 20},
        {4, "55abc", true, 3, 6, 10, 55}, {4, "99999999999", true, 3, 6, 10, INT_MAX},
    };
    for (const Case& k : cases) {
        CaptionItem c = measured(10, 20, 0, 0, 3, 6);
        EXPECT_EQ(applyCellText(c, k.column, QString::fromUtf8(k.typed), 8), k.accepted)
            << k.column << " " << k.typed;
        EXPECT_EQ(c.firstFrame, k.first) << k.typed;
        EXPECT_EQ(c.lastFrame, k.last) << k.typed;
        EXPECT_EQ(c.x, k.x) << k.typed;
        EXPECT_EQ(c.y, k.y) << k.typed;
    }

    CaptionItem c = measured(0, 0, 0, 0, 1, 1);
    EXPECT_FALSE(applyCellText(c, CaptionColumnText, QString(), 1));
    EXPECT_EQ(c.text(), QStringLiteral("abc"));
    EXPECT_TRUE(applyCellText(c, CaptionColumnText, QStringLiteral("新的"), 1));
    EXPECT_EQ(c.text(), QStringLiteral("新的"));
    ASSERT_TRUE(setVertical(c, true, 100));
    EXPECT_TRUE(applyCellText(c, CaptionColumnText, QStringLiteral("XYZ"), 1));
    EXPECT_EQ(c.text(), QStringLiteral("X\nY\nZ"));
    EXPECT_EQ(cellText(c, CaptionColumnText), QStringLiteral("XYZ"));
}

TEST(CaptionEditing, TextsThatCannotBeVerticalStayWhole)
{
    // 2048 characters take 4095 units once vertical; 2049 would take 4097.
    const QString fits(2048, QChar('w'));
    const QString tooLong(2049, QChar('w'));
    EXPECT_TRUE(fitsVertically(fits));
    EXPECT_FALSE(fitsVertically(tooLong));
    // A character outside the basic plane is two units but one character.
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_TRUE(fitsVertically(pair.repeated(1365)));   // 2730 + 1364
    EXPECT_FALSE(fitsVertically(pair.repeated(1366)));  // 2732 + 1365

    CaptionItem c = measured(-3, 500, 0, 0, 1, 1);
    c.setText(tooLong);
    EXPECT_FALSE(setVertical(c, true, 100));
    EXPECT_FALSE(c.isVertical());
    EXPECT_EQ(c.text(), tooLong);
    EXPECT_EQ(c.x, -3);

    c.setText(fits);
    EXPECT_TRUE(setVertical(c, true, 100));
    EXPECT_TRUE(c.isVertical());
    EXPECT_EQ(c.text().size(), 4095);
    EXPECT_EQ(c.x, 0);  // raised to 0 when made vertical

    // A vertical caption refuses a typed text that would not fit, whole.
    EXPECT_FALSE(applyCellText(c, CaptionColumnText, tooLong, 1));
    EXPECT_EQ(c.text().size(), 4095);
    EXPECT_EQ(cellEditorMaxLength(c, CaptionColumnText), 2048);
    EXPECT_TRUE(applyCellText(c, CaptionColumnText, fits, 1));

    // Back to horizontal: y lowered to the displayed height.
    EXPECT_TRUE(setVertical(c, false, 100));
    EXPECT_FALSE(c.isVertical());
    EXPECT_EQ(c.text(), fits);
    EXPECT_EQ(c.y, 100);
    EXPECT_EQ(cellEditorMaxLength(c, CaptionColumnText), 4095);
    EXPECT_EQ(cellEditorMaxLength(c, CaptionColumnX), 0);
    EXPECT_FALSE(applyCellText(c, CaptionColumnText, QString(4096, QChar('q')), 1));
    EXPECT_EQ(c.text(), fits);

    // Corrections only when the layout changes.
    CaptionItem h = measured(-3, 500, 0, 0, 1, 1);
    EXPECT_TRUE(setVertical(h, false, 100));
    EXPECT_EQ(h.y, 500);
    EXPECT_EQ(h.x, -3);
}

TEST(CaptionEditing, PressAndDragArithmetic)
{
    // Picture shown at scale 2 from client (100, 50).
    const QRect displayed(100, 50, 320, 240);
    EXPECT_EQ(toFramePoint(QPoint(100, 50), displayed, 2.0f), QPoint(0, 0));
    EXPECT_EQ(toFramePoint(QPoint(111, 61), displayed, 1.5f), QPoint(16, 16));
    EXPECT_EQ(toFramePoint(QPoint(99, 49), displayed, 1.5f), QPoint(-1, -1));

    CaptionItem c = measured(40, 100, 60, 20, 1, 5);
    const QPoint press(50, 90);  // inside (40, 80, 100, 100)
    ASSERT_TRUE(c.boxContains(press.x(), press.y()));
    const QPoint offset = dragOffset(c, press);
    EXPECT_EQ(offset, QPoint(10, 10));
    // No movement: no change.
    dragTo(c, press, offset);
    EXPECT_EQ(c.x, 40);
    EXPECT_EQ(c.y, 100);
    dragTo(c, QPoint(5, 7), offset);
    EXPECT_EQ(c.x, -5);
    EXPECT_EQ(c.y, 17);
    // Far beyond the frame is allowed but does not wrap.
    dragTo(c, QPoint(INT_MAX, INT_MAX), QPoint(-10, -10));
    EXPECT_EQ(c.x, INT_MAX);
    EXPECT_EQ(c.y, INT_MAX);
}

TEST(CaptionEditing, OverlapOutOfRangeAndTheActiveCaption)
{
    CaptionList list;
    CaptionItem* older = list.append(std::make_unique<CaptionItem>(measured(0, 50, 100, 30, 1, 5)));
    CaptionItem* newer = list.append(std::make_unique<CaptionItem>(measured(50, 60, 100, 30, 1, 5)));
    CaptionItem* later = list.append(std::make_unique<CaptionItem>(measured(0, 200, 100, 30, 4, 5)));
    // The overlap picks the older caption although the newer is drawn on top.
    EXPECT_EQ(list.selectAt(60, 40, 2), older);
    EXPECT_FALSE(newer->selected);
    // A caption whose range leaves out the current frame cannot be picked.
    EXPECT_EQ(list.selectAt(10, 190, 2), nullptr);
    EXPECT_FALSE(later->selected);
    EXPECT_EQ(list.selectAt(10, 190, 4), later);
    EXPECT_EQ(list.activeCaption(4), later);
    // Shown outside its range, the selected caption is no longer active.
    EXPECT_EQ(list.activeCaption(3), nullptr);
    EXPECT_TRUE(later->selected);
}

TEST(CaptionEditing, ControlsLoadAndApply)
{
    CaptionItem c = measured(0, 0, 0, 0, 1, 1);
    CaptionStyle s = style();
    s.points = 20;
    s.face = QStringLiteral("Noto Sans");
    s.bold = false;
    s.italic = false;
    s.textColor = makeColorRef(1, 2, 3);
    s.backgroundColor = makeColorRef(4, 5, 6);
    s.backgroundStyle = CaptionBackgroundBox;
    applyStyleChange(c, s, StyleChange::Face, 96);
    EXPECT_EQ(c.font.face(), QStringLiteral("Noto Sans"));
    EXPECT_EQ(c.font.height, 0);  // only the changed value is copied
    applyStyleChange(c, s, StyleChange::Size, 96);
    EXPECT_EQ(c.font.height, -27);  // -MulDiv(20, 96, 72) = -26.67 -> -27
    applyStyleChange(c, s, StyleChange::Bold, 96);
    EXPECT_EQ(c.font.weight, 400);
    s.bold = true;
    applyStyleChange(c, s, StyleChange::Bold, 96);
    EXPECT_EQ(c.font.weight, 700);
    s.italic = true;
    applyStyleChange(c, s, StyleChange::Italic, 96);
    EXPECT_EQ(c.font.italic, 1);
    applyStyleChange(c, s, StyleChange::TextColor, 96);
    applyStyleChange(c, s, StyleChange::BackgroundColor, 96);
    applyStyleChange(c, s, StyleChange::BackgroundStyle, 96);
    EXPECT_EQ(c.textColor, makeColorRef(1, 2, 3));
    EXPECT_EQ(c.backgroundColor, makeColorRef(4, 5, 6));
    EXPECT_EQ(c.backgroundStyle, CaptionBackgroundBox);

    // Loading the controls gives the point size back, rounded half up.
    EXPECT_EQ(styleOf(c, 96), s);
    c.font.height = -25;  // 18.75 points
    EXPECT_EQ(styleOf(c, 96).points, 19);
    c.font.weight = 600;
    EXPECT_FALSE(styleOf(c, 96).bold);
}
