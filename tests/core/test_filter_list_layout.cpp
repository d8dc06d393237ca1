// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Filter list geometry: square boxes, labels, the "应用 >>" corner, item
// height a + 22, hit tests with scrolling, the scroll range (2000 when
// everything fits), snapping to items, the wheel and the keys.
#include <gtest/gtest.h>

#include "effects/filter_list_layout.h"
#include "effects/filter_previews.h"

TEST(FilterListLayout, ItemsAreSquareBoxesWithALabelBelow)
{
    const FilterListLayout l(133, 600, 16);
    EXPECT_EQ(l.itemHeight(), 155);
    EXPECT_EQ(l.boxRect(0), QRect(QPoint(5, 5), QPoint(127, 127)));  // (5, 5) to (a - 5, a - 5)
    EXPECT_EQ(l.boxRect(2), QRect(5, 2 * 155 + 5, 123, 123));
    EXPECT_EQ(l.labelRect(0), QRect(5, 131, 123, 20));  // 3 to 23 below the box
    EXPECT_EQ(l.applyRect(0), QRect(68, 108, 60, 20));  // the box's bottom-right corner
    EXPECT_EQ(l.itemAt(QPoint(10, 10), 0), 0);
    EXPECT_EQ(l.itemAt(QPoint(10, 155), 0), 1);
    EXPECT_EQ(l.itemAt(QPoint(10, 10), 310), 2);
    EXPECT_EQ(l.itemAt(QPoint(10, 200), 155 * 14), 15);
    EXPECT_EQ(l.itemAt(QPoint(10, 599), 155 * 14), -1);  // below the last item
    EXPECT_EQ(l.itemAt(QPoint(10, 155 * 16), 0), -1);
    EXPECT_EQ(l.itemAt(QPoint(-1, 10), 0), -1);
    EXPECT_TRUE(l.inApplyArea(QPoint(70, 110), 0, 0));
    EXPECT_FALSE(l.inApplyArea(QPoint(60, 110), 0, 0));
    EXPECT_TRUE(l.inApplyArea(QPoint(70, 110), 155, 1));
    EXPECT_FALSE(l.inApplyArea(QPoint(70, 110), 0, 1));
}

TEST(FilterListLayout, ScrollRangeAndSnapping)
{
    const FilterListLayout l(133, 600, 16);
    ASSERT_FALSE(l.fits());
    EXPECT_EQ(l.contentHeight(), 16 * 155 + 600 % 155);
    EXPECT_EQ(l.maxScroll(), 16 * 155 + 135 - 600);  // the last three items end the view
    EXPECT_EQ(l.maxScroll() % 155, 0);
    EXPECT_EQ(l.lineStep(), 155);
    EXPECT_EQ(l.pageStep(), 3 * 155);
    EXPECT_EQ(l.snapped(0), 0);
    EXPECT_EQ(l.snapped(77), 0);    // less than half scrolled away: back
    EXPECT_EQ(l.snapped(78), 155);  // more than half: on to the next
    EXPECT_EQ(l.snapped(155 * 3 + 100), 155 * 4);
    EXPECT_EQ(l.snapped(100000), l.maxScroll());
    EXPECT_EQ(l.snapped(-20), 0);
    EXPECT_EQ(l.wheeled(0, -120), 155);  // down one item per notch
    EXPECT_EQ(l.wheeled(310, 240), 0);   // up for a positive delta
    EXPECT_EQ(l.wheeled(0, 120), 0);
    EXPECT_EQ(l.wheeled(l.maxScroll(), -120), l.maxScroll());

    const FilterListLayout few(133, 600, 3);  // 465 pixels fit in 600
    EXPECT_TRUE(few.fits());
    EXPECT_EQ(few.contentHeight(), FilterListLayout::kNoScrollRange);
    EXPECT_EQ(few.maxScroll(), 0);
    EXPECT_EQ(few.wheeled(0, -120), 0);
}

TEST(FilterListLayout, KeysMoveTheSelectionAndReveal)
{
    const FilterListLayout l(133, 600, 16);
    EXPECT_EQ(l.nextItem(-1), 0);
    EXPECT_EQ(l.nextItem(3), 4);
    EXPECT_EQ(l.nextItem(15), 15);
    EXPECT_EQ(l.previousItem(0), 0);
    EXPECT_EQ(l.previousItem(5), 4);
    EXPECT_EQ(l.revealed(0, 2), 0);        // visible: unchanged
    EXPECT_EQ(l.revealed(0, 3), 3 * 155);  // below: its top at the view's top
    EXPECT_EQ(l.revealed(5 * 155, 4), 4 * 155);
    EXPECT_EQ(l.revealed(0, 15), l.maxScroll());
}

TEST(FilterPreviews, LabelsAndFitting)
{
    EXPECT_EQ(FilterPreviews::label(0), QStringLiteral("原图"));
    EXPECT_EQ(FilterPreviews::label(1), QStringLiteral("滤镜1: 阿宝色"));
    EXPECT_EQ(FilterPreviews::label(3), QStringLiteral("滤镜3: 复古lomo"));
    EXPECT_EQ(FilterPreviews::label(15), QStringLiteral("滤镜15: 经典影楼"));
    EXPECT_TRUE(FilterPreviews::label(16).isEmpty());
    EXPECT_EQ(FilterPreviews::fitted(QSize(1920, 1080), QSize(129, 129)), QSize(129, 72));
    EXPECT_EQ(FilterPreviews::fitted(QSize(100, 60), QSize(129, 129)), QSize(100, 60));
    EXPECT_EQ(FilterPreviews::fitted(QSize(10, 4000), QSize(129, 129)), QSize(1, 129));
}
