// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A rectangle as the crop tools keep it: four edges, right and bottom
// exclusive, possibly inverted (right < left) while the user drags a handle
// past the opposite edge.
#include <QRect>
#include <algorithm>

struct CropRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CropRect() = default;
    constexpr CropRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static CropRect fromQRect(const QRect& r)
    {
        return CropRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Empty when either side is 0 or negative (as an inverted rectangle is).
    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    CropRect normalized() const
    {
        return CropRect(std::min(left, right), std::min(top, bottom), std::max(left, right),
                        std::max(top, bottom));
    }
    QRect toQRect() const
    {
        const CropRect n = normalized();
        return QRect(n.left, n.top, n.width(), n.height());
    }
    bool operator==(const CropRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const CropRect& o) const { return !(*this == o); }
};
