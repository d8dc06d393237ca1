// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The small in-place edit with which the user types a frame's delay in
// hundredths of a second. It takes digits and Backspace only, commits on
// Enter, Esc or loss of focus (clamped to 1..999, empty gives 1), exactly once,
// and then closes and frees itself. The owner connects committed() and keeps
// no pointer to the edit.
#include <QLineEdit>

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(QWidget* parent = nullptr);

    void setFrameNumber(int frame) { frame_ = frame; }  // 1-based
    int frameNumber() const { return frame_; }
    bool isCommitted() const { return committed_; }

    // Commits the value now (as Enter does); later calls do nothing.
    void commit();

signals:
    void committed(int frameNumber, int value);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int frame_ = 1;
    bool committed_ = false;
};
