// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/bottom_dialog.h"

#include <QFont>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "capture/capture_colors.h"
#include "platform/control_id.h"
#include "res/resource.h"

using namespace capturegeo;

namespace {
QFont verdana(int pixelHeight, QFont::Weight weight)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(std::max(1, pixelHeight));
    f.setWeight(weight);
    return f;
}
}  // namespace

CBottomDialog::CBottomDialog(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setControlId(this, IDD_BOTTOM_DIALOG);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void CBottomDialog::setStatus(const CaptureBarStatus& status)
{
    status_ = status;
    update();
}

QStringList CBottomDialog::shownTexts() const
{
    const CaptureBarStatus& s = status_;
    const CaptureState state = s.state;
    QStringList out;
    if (state == CaptureState::Generating) {
        out << creatingLabel(s.percentage);
        return out;
    }
    if (showsPositionLabels(state))
        out << topLeftLabel(s.captureRect, s.windows10, s.dpiRatio)
            << sizeLabel(s.captureRect, s.windows10, s.dpiRatio);
    if (showsRecordingLabels(state, width()))
        out << framesLabel(s.frameCount) << secondsLabel(s.frameCount, s.rate);
    return out;
}

void CBottomDialog::paintEvent(QPaintEvent*)
{
    const CaptureBarStatus& s = status_;
    const float scale = s.uiScale;
    const QRect b = rect();
    QPainter p(this);
    QLinearGradient g(0, b.top(), 0, b.bottom() + 1);
    g.setColorAt(0, captureColors::lightGrey());
    g.setColorAt(1, captureColors::white());
    p.fillRect(b, g);
    p.fillRect(QRect(b.left(), b.top(), kSideBarWidth, b.height()), captureColors::frameBlue());
    p.fillRect(QRect(b.right() + 1 - kSideBarWidth, b.top(), kSideBarWidth, b.height()),
               captureColors::frameBlue());
    p.fillRect(QRect(b.left(), b.bottom() + 1 - kSideBarWidth, b.width(), kSideBarWidth),
               captureColors::frameBlue());

    const CaptureState state = s.state;
    if (s.blinkOn && state == CaptureState::Recording) {
        p.fillRect(QRect(b.left(), b.top(), kMarkWidth, kMarkHeight), captureColors::gold());
        p.fillRect(QRect(b.right() + 1 - kMarkWidth, b.top(), kMarkWidth, kMarkHeight),
                   captureColors::gold());
    }

    const int half = b.height() / 2;
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (state == CaptureState::Generating) {
        p.setFont(verdana(int(13 * scale), QFont::Bold));
        p.setPen(Qt::black);
        p.drawText(b.translated(7, 0), flags, creatingLabel(s.percentage));
        return;
    }
    p.setFont(verdana(int(12 * scale), QFont::Normal));
    if (showsPositionLabels(state)) {
        p.setPen(Qt::black);
        const int x = b.right() + 1 - int(120 * scale);
        const QRect pr(x, b.top(), b.right() + 1 - x, half);
        p.drawText(pr, flags, topLeftLabel(s.captureRect, s.windows10, s.dpiRatio));
        p.drawText(pr.translated(0, half), flags, sizeLabel(s.captureRect, s.windows10, s.dpiRatio));
    }
    if (showsRecordingLabels(state, b.width())) {
        p.setPen(state == CaptureState::Recording ? captureColors::labelBlue() : QColor(Qt::black));
        const QRect q(b.left() + 8, b.top(), b.right() + 1 - (b.left() + 8), half);
        p.drawText(q, flags, framesLabel(s.frameCount));
        p.drawText(q.translated(0, half), flags, secondsLabel(s.frameCount, s.rate));
    }
}

void CBottomDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || status_.state == CaptureState::Recording)
        return;
    dragZone_ = bottomBarZone(event->position().toPoint(), size());
    if (dragZone_ != DragZone::None)
        setCursor(zoneCursor(dragZone_));
}

void CBottomDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (status_.state == CaptureState::Recording)
        return;
    if (event->buttons() & Qt::LeftButton) {
        if (dragZone_ != DragZone::None)
            emit dragged(dragZone_, event->globalPosition().toPoint());
        return;
    }
    const DragZone hover = bottomBarZone(event->position().toPoint(), size());
    if (hover != DragZone::None)
        setCursor(zoneCursor(hover));
    else
        unsetCursor();
}

void CBottomDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragZone_ = DragZone::None;
        unsetCursor();
    }
}
