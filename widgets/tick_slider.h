// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A horizontal slider whose tick marks are drawn plainly, as short lines in the
// button-text colour at every tick interval (the style's own marks are faint
// or missing), below and/or above the groove as its tick position says.
#include <QSlider>

class CTickSlider : public QSlider {
    Q_OBJECT
public:
    explicit CTickSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Centre x of the tick for `value` in widget pixels.
    int tickX(int value) const;

    // Room for the marks beside the handle.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
