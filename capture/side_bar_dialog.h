// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the left and right bars of the capture frame share: a 5-pixel frameless
// window owned by the capture window, painted frame blue (gold at both ends
// while the recording blinks), dragged sideways to resize the frame. It shows
// the CaptureBarStatus it is given and reports drags by dragged().
#include <QWidget>

#include "capture/capture_bar_status.h"

class CSideBarDialog : public QWidget {
    Q_OBJECT
public:
    CSideBarDialog(QWidget* parent, bool leftBar, int templateId);
    bool isLeftBar() const { return leftBar_; }
    bool isDragging() const { return dragging_; }

    // What the bar shows; repaints.
    void setStatus(const CaptureBarStatus& status);
    const CaptureBarStatus& status() const { return status_; }

signals:
    // The pointer is at `globalPos` (screen pixels) while the bar is dragged.
    void dragged(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CaptureBarStatus status_;
    bool leftBar_;
    bool dragging_ = false;
};
