// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture frame's bottom bar (dialog 129): the status labels (position and
// size, frames and seconds, "Creating: %d%%") and the drag zones that resize
// the frame from below.
#include <QWidget>

#include "capture/capture_geometry.h"

class CCaptureDlg;

class CBottomDialog : public QWidget {
    Q_OBJECT
public:
    explicit CBottomDialog(CCaptureDlg* owner);

    // The last generation percentage, shown while Generating.
    int percentage() const { return percentage_; }
    void setPercentage(int percent);
    // The zone being dragged (None when no drag runs).
    capturegeo::DragZone dragZone() const { return dragZone_; }

    // The texts the bar shows now, top line first (for tests and accessibility).
    QStringList shownTexts() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CCaptureDlg* owner_;
    int percentage_ = 0;
    capturegeo::DragZone dragZone_ = capturegeo::DragZone::None;
};
