// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/side_bar_dialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "capture/capture_colors.h"
#include "capture/capture_dlg.h"
#include "platform/control_id.h"

using namespace capturegeo;

CSideBarDialog::CSideBarDialog(CCaptureDlg* owner, bool leftBar, int templateId)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      owner_(owner),
      leftBar_(leftBar)
{
    setControlId(this, templateId);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void CSideBarDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), captureColors::frameBlue());
    if (owner_->blinkOn() && owner_->state() == CaptureState::Recording) {
        p.fillRect(QRect(0, 0, width(), kSideMarkRows), captureColors::gold());
        p.fillRect(QRect(0, height() - kSideMarkRows, width(), kSideMarkRows), captureColors::gold());
    }
}

void CSideBarDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || owner_->state() == CaptureState::Recording)
        return;
    dragging_ = true;
    setCursor(Qt::SizeHorCursor);
}

void CSideBarDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !(event->buttons() & Qt::LeftButton) || owner_->state() == CaptureState::Recording)
        return;
    owner_->applyDragStep(sideBarDrag(leftBar_, event->globalPosition().toPoint(), owner_->geometry()));
}

void CSideBarDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        unsetCursor();
    }
}
