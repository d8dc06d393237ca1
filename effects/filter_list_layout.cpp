// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_list_layout.h"

#include <algorithm>

FilterListLayout::FilterListLayout(int viewWidth, int viewHeight, int itemCount)
    : a_(std::max(viewWidth, 2 * kMargin + 1)),
      viewHeight_(std::max(viewHeight, 0)),
      count_(std::max(itemCount, 0))
{
}

QRect FilterListLayout::itemRect(int i) const
{
    return QRect(0, i * itemHeight(), a_, itemHeight());
}

QRect FilterListLayout::boxRect(int i) const
{
    const int side = a_ - 2 * kMargin;
    return QRect(kMargin, i * itemHeight() + kMargin, side, side);
}

QRect FilterListLayout::labelRect(int i) const
{
    const QRect box = boxRect(i);
    return QRect(box.left(), box.top() + box.height() + kLabelGap, box.width(), kLabelHeight);
}

QRect FilterListLayout::applyRect(int i) const
{
    const QRect box = boxRect(i);
    return QRect(box.left() + box.width() - kApplyWidth, box.top() + box.height() - kApplyHeight, kApplyWidth,
                 kApplyHeight);
}

int FilterListLayout::itemAt(const QPoint& p, int scroll) const
{
    if (p.x() < 0 || p.x() >= a_)
        return -1;
    const int y = p.y() + scroll;
    if (y < 0)
        return -1;
    const int i = y / itemHeight();
    return i < count_ ? i : -1;
}

bool FilterListLayout::inApplyArea(const QPoint& p, int scroll, int item) const
{
    if (item < 0 || item >= count_)
        return false;
    return applyRect(item).contains(QPoint(p.x(), p.y() + scroll));
}

bool FilterListLayout::fits() const
{
    return count_ * itemHeight() <= viewHeight_;
}

int FilterListLayout::contentHeight() const
{
    if (fits())
        return kNoScrollRange;
    return count_ * itemHeight() + viewHeight_ % itemHeight();
}

int FilterListLayout::maxScroll() const
{
    if (fits())
        return 0;
    return std::max(0, contentHeight() - viewHeight_);
}

int FilterListLayout::pageStep() const
{
    return std::max(1, viewHeight_ / itemHeight()) * itemHeight();
}

int FilterListLayout::clampScroll(int position) const
{
    return std::clamp(position, 0, maxScroll());
}

int FilterListLayout::snapped(int position) const
{
    const int h = itemHeight();
    position = clampScroll(position);
    const int rest = position % h;
    int s = position - rest;
    if (rest > h / 2)
        s += h;
    // The end may not be a boundary; the last boundary before it is.
    if (s > maxScroll())
        s -= h;
    return clampScroll(s);
}

int FilterListLayout::wheeled(int position, int angleDelta) const
{
    if (fits())
        return position;
    const int notches = angleDelta / 120;
    if (notches == 0)
        return position;
    return clampScroll(position - notches * itemHeight());
}

int FilterListLayout::revealed(int position, int i) const
{
    if (i < 0 || i >= count_)
        return position;
    const QRect r = itemRect(i);
    if (r.top() >= position && r.top() + r.height() <= position + viewHeight_)
        return position;
    return clampScroll(r.top());
}

int FilterListLayout::nextItem(int selected) const
{
    if (count_ == 0)
        return -1;
    return std::min(selected + 1, count_ - 1);
}

int FilterListLayout::previousItem(int selected) const
{
    if (count_ == 0)
        return -1;
    return std::max(selected - 1, 0);
}
