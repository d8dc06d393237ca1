// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The palette pop-up of the colour picker button: a 19 x 12 grid of colours,
// a sample strip with the candidate colour and its "#RRGGBB" text, and a small
// three-stripe button for the system colour dialog. While open it has the
// mouse: every move takes the screen pixel under the pointer as the candidate
// (a grid cell gives its own colour), and a click (press and release at the
// same point) chooses it.
#include <QCursor>
#include <QPoint>
#include <QWidget>

#include "imaging/raster_image.h"
#include "widgets/screen_pixel_sampler.h"

class CColorPalettePopup : public QWidget {
    Q_OBJECT
public:
    // owner: the button it belongs to (also its Qt parent).
    CColorPalettePopup(QWidget* owner, ColorRef initial, ScreenSampler sampler);
    ~CColorPalettePopup() override;

    ColorRef candidate() const { return candidate_; }
    int hoveredCell() const { return hoveredCell_; }  // -1 when none
    // Client coordinates (inside the one-pixel border) of a widget point.
    static QPoint toClient(QPoint widgetPos);

signals:
    void colorChosen(ColorRef colour);
    void dialogRequested();
    void cancelled();  // closed without a choice

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void track(QPoint widgetPos, QPoint globalPos);
    void finish();

    ScreenSampler sampler_;
    QCursor eyedropper_;
    bool eyedropperShown_ = false;
    ColorRef candidate_ = 0;
    int hoveredCell_ = -1;
    bool pressed_ = false;
    QPoint pressGlobal_;
    bool done_ = false;
};
