// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the left and right bars of the capture frame share: a 5-pixel frameless
// window owned by the capture window, painted frame blue (gold at both ends
// while the recording blinks), dragged sideways to resize the frame.
#include <QWidget>

class CCaptureDlg;

class CSideBarDialog : public QWidget {
    Q_OBJECT
public:
    CSideBarDialog(CCaptureDlg* owner, bool leftBar, int templateId);
    bool isLeftBar() const { return leftBar_; }
    bool isDragging() const { return dragging_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CCaptureDlg* owner_;
    bool leftBar_;
    bool dragging_ = false;
};
