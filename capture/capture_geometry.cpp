// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/capture_geometry.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "res/resource.h"

namespace capturegeo {

int topBarHeight(float s)
{
    return int(60 * s);
}

int bottomBarHeight(float s)
{
    return int(40 * s);
}

int titleBandHeight(float s)
{
    return int(25 * s);
}

int commandRowY(float s)
{
    return int(28 * s);
}

CaptureRect initialCaptureRect(int captureWidth, int captureHeight)
{
    // Stored sizes are taken as they are, except that no window side may pass
    // the largest an X window can have (and the sum cannot overflow).
    const int width = int(std::min<long long>(static_cast<long long>(captureWidth) + 10, kMaxWindowSide));
    return CaptureRect{0, 0, width, std::min(captureHeight, kMaxWindowSide)};
}

QRect initialTopBar(const QPoint& pos, const CaptureRect& initial, float uiScale)
{
    return QRect(pos.x(), pos.y(), initial.width(), topBarHeight(uiScale));
}

BarLayout layoutBars(const QRect& topBar, CaptureRect& capture, int newHeight, float uiScale)
{
    if (newHeight > 0)
        capture.bottom = capture.top + newHeight;
    const int h = capture.height();
    const int tl = topBar.x();
    const int tr = topBar.x() + topBar.width();
    const int tb = topBar.y() + topBar.height();
    BarLayout out;
    out.left = QRect(tl, tb, kSideBarWidth, h);
    out.right = QRect(tr - kSideBarWidth, tb, kSideBarWidth, h);
    out.bottom = QRect(tl, tb + h, topBar.width(), bottomBarHeight(uiScale));
    capture = CaptureRect{tl + kSideBarWidth, tb, tr - kSideBarWidth, tb + h};
    return out;
}

namespace {
bool inSquare(const QPoint& p, int x, int y, int side)
{
    return p.x() >= x && p.x() < x + side && p.y() >= y && p.y() < y + side;
}
}  // namespace

DragZone topBarZone(const QPoint& c, const QSize& size)
{
    const int w = size.width();
    if (inSquare(c, 0, 0, 3))
        return DragZone::TopLeft;
    if (inSquare(c, w - 3, 0, 3))
        return DragZone::TopRight;
    if (c.x() >= 0 && c.x() < 3)
        return DragZone::Left;
    if (c.x() >= w - 3 && c.x() < w)
        return DragZone::Right;
    if (c.y() >= 0 && c.y() < 3)
        return DragZone::Top;
    return DragZone::None;
}

DragZone bottomBarZone(const QPoint& c, const QSize& size)
{
    const int w = size.width();
    const int h = size.height();
    if (inSquare(c, 0, h - 3, 3))
        return DragZone::BottomLeft;
    if (inSquare(c, w - 15, h - 15, 15))
        return DragZone::BottomRight;
    if (c.x() >= 0 && c.x() < 3)
        return DragZone::Left;
    if (c.x() >= w - 3 && c.x() < w)
        return DragZone::Right;
    if (c.y() >= h - 3 && c.y() < h)
        return DragZone::Bottom;
    return DragZone::None;
}

Qt::CursorShape zoneCursor(DragZone zone)
{
    switch (zone) {
        case DragZone::TopLeft:
        case DragZone::BottomRight:
            return Qt::SizeFDiagCursor;  // north-west / south-east
        case DragZone::TopRight:
        case DragZone::BottomLeft:
            return Qt::SizeBDiagCursor;  // north-east / south-west
        case DragZone::Left:
        case DragZone::Right:
            return Qt::SizeHorCursor;
        case DragZone::Top:
        case DragZone::Bottom:
            return Qt::SizeVerCursor;
        case DragZone::None:
            break;
    }
    return Qt::ArrowCursor;
}

DragStep topBarDrag(DragZone zone, const QPoint& p, const QRect& T, const CaptureRect& capture,
                    const QPoint& pressPoint)
{
    DragStep s;
    const int right = T.x() + T.width();
    const int H = T.height();
    const bool widthFromLeft = right - p.x() >= kMinFrameSide;
    const bool widthFromRight = p.x() - T.x() >= kMinFrameSide;
    const bool heightFromTop = capture.bottom - (p.y() + H) >= kMinFrameSide;
    switch (zone) {
        case DragZone::TopLeft:
            if (!widthFromLeft || !heightFromTop)
                return s;
            s.topBar = QRect(p.x(), p.y(), right - p.x(), H);
            s.setCaptureTop = true;
            s.captureTop = p.y() + H;
            s.repaintBottom = true;
            break;
        case DragZone::TopRight:
            if (!widthFromRight || !heightFromTop)
                return s;
            s.topBar = QRect(T.x(), p.y(), p.x() - T.x(), H);
            s.setCaptureTop = true;
            s.captureTop = p.y() + H;
            s.repaintBottom = true;
            break;
        case DragZone::Left:
            if (!widthFromLeft)
                return s;
            s.topBar = QRect(p.x(), T.y(), right - p.x(), H);
            break;
        case DragZone::Right:
            if (!widthFromRight)
                return s;
            s.topBar = QRect(T.x(), T.y(), p.x() - T.x(), H);
            break;
        case DragZone::Top:
            if (!heightFromTop)
                return s;
            s.topBar = QRect(T.x(), p.y(), T.width(), H);
            s.setCaptureTop = true;
            s.captureTop = p.y() + H;
            s.repaintBottom = true;
            break;
        case DragZone::None:
            s.topBar = QRect(p.x() - pressPoint.x(), p.y() - pressPoint.y(), T.width(), H);
            break;
        default:
            return s;
    }
    s.accepted = true;
    return s;
}

DragStep bottomBarDrag(DragZone zone, const QPoint& p, const QRect& T, int b)
{
    DragStep s;
    const int right = T.x() + T.width();
    const int h = p.y() - (T.y() + T.height()) - b;
    const bool widthFromLeft = right - p.x() >= kMinFrameSide;
    const bool widthFromRight = p.x() - T.x() >= kMinFrameSide;
    const bool heightOk = h >= kMinFrameSide;
    switch (zone) {
        case DragZone::BottomLeft:
            if (!widthFromLeft || !heightOk)
                return s;
            s.topBar = QRect(p.x(), T.y(), right - p.x(), T.height());
            s.layoutHeight = h;
            break;
        case DragZone::BottomRight:
            if (!widthFromRight || !heightOk)
                return s;
            s.topBar = QRect(T.x(), T.y(), p.x() - T.x(), T.height());
            s.layoutHeight = h;
            break;
        case DragZone::Left:
            if (!widthFromLeft)
                return s;
            s.topBar = QRect(p.x(), T.y(), right - p.x(), T.height());
            break;
        case DragZone::Right:
            if (!widthFromRight)
                return s;
            s.topBar = QRect(T.x(), T.y(), p.x() - T.x(), T.height());
            break;
        case DragZone::Bottom:
            if (!heightOk)
                return s;
            s.topBar = T;
            s.layoutHeight = h;
            break;
        default:
            return s;
    }
    s.accepted = true;
    return s;
}

DragStep sideBarDrag(bool leftBar, const QPoint& p, const QRect& T)
{
    DragStep s;
    const int right = T.x() + T.width();
    if (leftBar) {
        if (right - p.x() < kMinFrameSide)
            return s;
        s.topBar = QRect(p.x(), T.y(), right - p.x(), T.height());
    } else {
        if (p.x() - T.x() < kMinFrameSide)
            return s;
        s.topBar = QRect(T.x(), T.y(), p.x() - T.x(), T.height());
    }
    s.accepted = true;
    return s;
}

QPoint buttonPosition(int id, int W, float s, const ButtonWidths& w)
{
    const int row = commandRowY(s);
    switch (id) {
        case IDC_CAPTURE_CLOSE:
            return QPoint(W - w.close - 3, 0);
        case IDC_CAPTURE_SQUARE:
            return QPoint(W - w.close - w.square - 4, 0);
        case IDC_CAPTURE_MINIMIZE:
            return QPoint(W - w.close - w.square - w.minimise - 5, 0);
        case IDC_CAPTURE_OPEN:
            return QPoint(W - w.close - w.square - w.minimise - w.open - 6, 0);
        case IDC_CAPTURE_START_STOP:
            return QPoint(5, row);
        case IDC_CAPTURE_EDIT:
            return QPoint(5 + w.startStop + 1, row);
        case IDC_CAPTURE_GIF:
            return QPoint(5 + w.startStop + 1 + w.edit + 1, row);
        case IDC_CAPTURE_MORE:
            return QPoint(5 + w.startStop + 1 + w.edit + 1 + w.gif + 1, row);
        default:
            return QPoint(-1, -1);
    }
}

bool usesDevicePixels(bool conversionFlag, float ratio)
{
    return conversionFlag && std::fabs(double(ratio) - 1.0) > 0.00001;
}

CaptureRect deviceRect(const CaptureRect& r, float ratio)
{
    const double k = double(ratio);
    return CaptureRect{int(r.left * k + 1), int(r.top * k + 1), int(r.right * k - 1), int(r.bottom * k - 1)};
}

CaptureRect grabRect(const CaptureRect& rect, bool conversionFlag, float ratio)
{
    return usesDevicePixels(conversionFlag, ratio) ? deviceRect(rect, ratio) : rect;
}

QString topLeftLabel(const CaptureRect& rect, bool conversionFlag, float ratio)
{
    const CaptureRect r = grabRect(rect, conversionFlag, ratio);
    return QString::asprintf(
        qUtf8Printable(QCoreApplication::translate("CaptureGeometry", "Top Left: %d, %d")), r.top, r.left);
}

QString sizeLabel(const CaptureRect& rect, bool conversionFlag, float ratio)
{
    const CaptureRect r = grabRect(rect, conversionFlag, ratio);
    return QString::asprintf(qUtf8Printable(QCoreApplication::translate("CaptureGeometry", "Size: %d*%d")),
                             r.width(), r.height());
}

QString framesLabel(int frames)
{
    return QString::asprintf(qUtf8Printable(QCoreApplication::translate("CaptureGeometry", "%d Frames")),
                             frames);
}

QString secondsLabel(int frames, int rate)
{
    return QString::asprintf(qUtf8Printable(QCoreApplication::translate("CaptureGeometry", "%.1f Secs ")),
                             double(frames) / double(std::max(rate, 1)));
}

QString creatingLabel(int percent)
{
    return QString::asprintf(qUtf8Printable(QCoreApplication::translate("CaptureGeometry", "Creating: %d%%")),
                             percent);
}

bool showsRecordingLabels(CaptureState state, int bottomBarWidth)
{
    return state == CaptureState::Recording || (state == CaptureState::Stopped && bottomBarWidth > 200);
}

bool showsPositionLabels(CaptureState state)
{
    return state == CaptureState::Idle || state == CaptureState::Stopped;
}

bool blinkOn(int frames, int rate)
{
    const int64_t t = int64_t(frames) * 1000 / std::max(rate, 1);
    return t % 600 < 300;
}

int msPerFrame(int rate)
{
    return 1000 / std::max(rate, 1);
}

}  // namespace capturegeo
