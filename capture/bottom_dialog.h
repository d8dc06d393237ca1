// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture frame's bottom bar (dialog 129): the status labels (position and
// size, frames and seconds, "Creating: %d%%") and the drag zones that resize
// the frame from below. It shows the CaptureBarStatus it is given and reports
// drags by dragged(); the capture window carries them out.
#include <QWidget>

#include "capture/capture_bar_status.h"
#include "capture/capture_geometry.h"

class CBottomDialog : public QWidget {
    Q_OBJECT
public:
    explicit CBottomDialog(QWidget* parent = nullptr);

    // What the bar shows; repaints.
    void setStatus(const CaptureBarStatus& status);
    const CaptureBarStatus& status() const { return status_; }
    // The last generation percentage, shown while Generating.
    int percentage() const { return status_.percentage; }
    // The zone being dragged (None when no drag runs).
    capturegeo::DragZone dragZone() const { return dragZone_; }

    // The texts the bar shows now, top line first (for tests and accessibility).
    QStringList shownTexts() const;

signals:
    // The pointer is at `globalPos` (screen pixels) while `zone` is dragged.
    void dragged(capturegeo::DragZone zone, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CaptureBarStatus status_;
    capturegeo::DragZone dragZone_ = capturegeo::DragZone::None;
};
