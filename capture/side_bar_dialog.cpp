// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/side_bar_dialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "capture/capture_colors.h"
#include "platform/control_id.h"

using namespace capturegeo;

CSideBarDialog::CSideBarDialog(QWidget* parent, bool leftBar, int templateId)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), leftBar_(leftBar)
{
    setControlId(this, templateId);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void CSideBarDialog::setStatus(const CaptureBarStatus& status)
{
    status_ = status;
    update();
}

void CSideBarDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), captureColors::frameBlue());
    if (status_.blinkOn && status_.state == CaptureState::Recording) {
        p.fillRect(QRect(0, 0, width(), kSideMarkRows), captureColors::gold());
        p.fillRect(QRect(0, height() - kSideMarkRows, width(), kSideMarkRows), captureColors::gold());
    }
}

void CSideBarDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || status_.state == CaptureState::Recording)
        return;
    dragging_ = true;
    setCursor(Qt::SizeHorCursor);
}

void CSideBarDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !(event->buttons() & Qt::LeftButton) || status_.state == CaptureState::Recording)
        return;
    emit dragged(event->globalPosition().toPoint());
}

void CSideBarDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        unsetCursor();
    }
}
