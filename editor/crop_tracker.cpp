// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/crop_tracker.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstdlib>

CCropTracker::CCropTracker(const CropRect& rect, const CropRect& bounds) : rect_(rect), bounds_(bounds) {}

CropRect CCropTracker::handleRect(Hit h) const
{
    const CropRect r = rect_.normalized();
    const int s = kHandleSize;
    const int cx = (r.left + r.right) / 2 - s / 2;
    const int cy = (r.top + r.bottom) / 2 - s / 2;
    switch (h) {
        case HitTopLeft:
            return CropRect(r.left - s, r.top - s, r.left, r.top);
        case HitTopRight:
            return CropRect(r.right, r.top - s, r.right + s, r.top);
        case HitBottomRight:
            return CropRect(r.right, r.bottom, r.right + s, r.bottom + s);
        case HitBottomLeft:
            return CropRect(r.left - s, r.bottom, r.left, r.bottom + s);
        case HitTop:
            return CropRect(cx, r.top - s, cx + s, r.top);
        case HitRight:
            return CropRect(r.right, cy, r.right + s, cy + s);
        case HitBottom:
            return CropRect(cx, r.bottom, cx + s, r.bottom + s);
        case HitLeft:
            return CropRect(r.left - s, cy, r.left, cy + s);
        default:
            return CropRect();
    }
}

CCropTracker::Hit CCropTracker::hitTest(const QPoint& p) const
{
    auto inside = [&](const CropRect& r) {
        return p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom;
    };
    for (int h = HitTopLeft; h <= HitLeft; ++h) {
        if (inside(handleRect(Hit(h))))
            return Hit(h);
    }
    return inside(rect_.normalized()) ? HitMiddle : HitNothing;
}

Qt::CursorShape CCropTracker::cursorFor(Hit h)
{
    switch (h) {
        case HitTopLeft:
        case HitBottomRight:
            return Qt::SizeFDiagCursor;
        case HitTopRight:
        case HitBottomLeft:
            return Qt::SizeBDiagCursor;
        case HitTop:
        case HitBottom:
            return Qt::SizeVerCursor;
        case HitLeft:
        case HitRight:
            return Qt::SizeHorCursor;
        case HitMiddle:
            return Qt::SizeAllCursor;
        default:
            return Qt::ArrowCursor;
    }
}

bool CCropTracker::begin(const QPoint& p)
{
    const Hit h = hitTest(p);
    if (h == HitNothing)
        return false;
    rect_ = rect_.normalized();
    hit_ = h;
    start_ = rect_;
    startPoint_ = p;
    return true;
}

CropRect CCropTracker::enforceMinimum(CropRect r) const
{
    // The edge being dragged is put the minimum away from the one across,
    // on the side it is on now, so an inverted rectangle stays inverted.
    const bool movesLeft = hit_ == HitTopLeft || hit_ == HitBottomLeft || hit_ == HitLeft;
    const bool movesRight = hit_ == HitTopRight || hit_ == HitBottomRight || hit_ == HitRight;
    const bool movesTop = hit_ == HitTopLeft || hit_ == HitTopRight || hit_ == HitTop;
    const bool movesBottom = hit_ == HitBottomLeft || hit_ == HitBottomRight || hit_ == HitBottom;
    const int w = r.width();
    if (std::abs(w) < kMinWidth && (movesLeft || movesRight)) {
        const int sign = w < 0 ? -1 : 1;
        if (movesLeft)
            r.left = r.right - sign * kMinWidth;
        else
            r.right = r.left + sign * kMinWidth;
    }
    const int h = r.height();
    if (std::abs(h) < kMinHeight && (movesTop || movesBottom)) {
        const int sign = h < 0 ? -1 : 1;
        if (movesTop)
            r.top = r.bottom - sign * kMinHeight;
        else
            r.bottom = r.top + sign * kMinHeight;
    }
    return r;
}

void CCropTracker::moveTo(const QPoint& p)
{
    if (hit_ == HitNothing)
        return;
    const int dx = p.x() - startPoint_.x();
    const int dy = p.y() - startPoint_.y();
    CropRect r = start_;
    switch (hit_) {
        case HitMiddle:
            r = CropRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
            break;
        case HitTopLeft:
            r.left += dx;
            r.top += dy;
            break;
        case HitTopRight:
            r.right += dx;
            r.top += dy;
            break;
        case HitBottomRight:
            r.right += dx;
            r.bottom += dy;
            break;
        case HitBottomLeft:
            r.left += dx;
            r.bottom += dy;
            break;
        case HitTop:
            r.top += dy;
            break;
        case HitRight:
            r.right += dx;
            break;
        case HitBottom:
            r.bottom += dy;
            break;
        case HitLeft:
            r.left += dx;
            break;
        default:
            break;
    }
    if (hit_ != HitMiddle)
        r = enforceMinimum(r);
    const CropRect before = rect_.normalized();
    rect_ = corrected(r, bounds_, before.width(), before.height());
}

void CCropTracker::end()
{
    rect_ = rect_.normalized();
    hit_ = HitNothing;
}

void CCropTracker::cancel()
{
    if (hit_ != HitNothing)
        rect_ = start_;
    hit_ = HitNothing;
}

CropRect CCropTracker::corrected(const CropRect& changed, const CropRect& b, int w0, int h0)
{
    CropRect r = changed.normalized();
    if (r.isEmpty() || b.isEmpty())
        return r;
    if (r.left < b.left) {
        r.left = b.left;
        r.right = b.left + w0;
    }
    if (r.top < b.top) {
        r.top = b.top;
        r.bottom = b.top + h0;
    }
    if (r.right > b.right) {
        r.right = b.right;
        r.left = b.right - w0;
    }
    if (r.bottom > b.bottom) {
        r.bottom = b.bottom;
        r.top = b.bottom - h0;
    }
    // A size that does not fit at all (a picture shown smaller than the
    // minimum) would leave the rectangle sticking out on the far side.
    r.left = std::max(r.left, b.left);
    r.top = std::max(r.top, b.top);
    r.right = std::min(r.right, b.right);
    r.bottom = std::min(r.bottom, b.bottom);
    return r;
}

QString CCropTracker::labelText(const CropRect& rect, float displayScale)
{
    const CropRect r = rect.normalized();
    int w = r.width();
    int h = r.height();
    if (displayScale > 1.0f) {
        w = int(std::trunc(float(w) * displayScale));
        h = int(std::trunc(float(h) * displayScale));
    }
    return QStringLiteral("%1*%2").arg(w).arg(h);
}

void CCropTracker::paint(QPainter& painter, float displayScale) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = rect_.toQRect();
    // Black dots on white, so the outline shows on dark and light pictures.
    const QRect outline = r.adjusted(0, 0, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(outline);
    for (int h = HitTopLeft; h <= HitLeft; ++h)
        painter.fillRect(handleRect(Hit(h)).toQRect(), Qt::black);

    const QString text = labelText(rect_, displayScale);
    const QFontMetrics fm(painter.font());
    const QRect box(r.left(), r.top(), fm.horizontalAdvance(text), fm.height());
    painter.fillRect(box, Qt::black);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.restore();
}
