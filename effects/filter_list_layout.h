// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Geometry of the filter list: items stacked from the top, each a square
// thumbnail box with its label below it. For a view a pixels wide the box is
// (5, 5) to (a - 5, a - 5) inside the item, the label lies 3 to 23 pixels below
// the box, the "应用 >>" area is the box's bottom-right 60 x 20 corner, and an
// item is a + 22 pixels high. Positions are in content pixels (the view's own
// pixels plus the scroll position).
#include <QPoint>
#include <QRect>

class FilterListLayout {
public:
    static constexpr int kMargin = 5;
    static constexpr int kLabelGap = 3;
    static constexpr int kLabelHeight = 20;
    static constexpr int kApplyWidth = 60;
    static constexpr int kApplyHeight = 20;
    static constexpr int kNoScrollRange = 2000;

    FilterListLayout(int viewWidth, int viewHeight, int itemCount);

    int viewWidth() const { return a_; }
    int viewHeight() const { return viewHeight_; }
    int itemCount() const { return count_; }
    int itemHeight() const { return a_ + 22; }

    QRect itemRect(int i) const;   // the whole item
    QRect boxRect(int i) const;    // the thumbnail box
    QRect labelRect(int i) const;  // where the label is written
    QRect applyRect(int i) const;  // the "应用 >>" area

    // The item under a point of the view (scrolled by `scroll`), -1 for none.
    int itemAt(const QPoint& viewPoint, int scroll) const;
    bool inApplyArea(const QPoint& viewPoint, int scroll, int item) const;

    // Scrolling. Everything fits: range kNoScrollRange and the bar disabled.
    // Otherwise the content is count x item height plus the remainder of the
    // view height divided by the item height, and the largest position shows
    // its end.
    bool fits() const;
    int contentHeight() const;
    int maxScroll() const;
    int lineStep() const { return itemHeight(); }
    int pageStep() const;  // the whole items that fit, at least one
    // The position a scroll ends at: an item boundary, the next one when more
    // than half of the top item is scrolled away.
    int snapped(int position) const;
    // One item per wheel notch (up for a positive delta); nothing when
    // everything fits.
    int wheeled(int position, int angleDelta) const;
    // The position that shows item `i`: unchanged when it is visible,
    // otherwise its top at the view's top.
    int revealed(int position, int i) const;
    // The keys: the next or the previous item, staying at either end.
    int nextItem(int selected) const;
    int previousItem(int selected) const;

private:
    int clampScroll(int position) const;

    int a_;
    int viewHeight_;
    int count_;
};
