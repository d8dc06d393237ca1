// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A push button that shows a colour and lets the user choose another one from
// a palette pop-up, from any pixel on the screen, or from the colour dialog.
// The parent learns about a new colour from clicked() (posted, like a button
// notification) and reads it with color().
#include <QPointer>
#include <QPushButton>

#include "imaging/raster_image.h"
#include "widgets/screen_pixel_sampler.h"

class CColorPalettePopup;

class CColorPickerButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorPickerButton(QWidget* parent = nullptr);
    ~CColorPickerButton() override;

    // Stores the colour and repaints; with notify, clicked() is posted to run
    // the parent's handler once the current event is done.
    void setColor(ColorRef colour, bool notify = false);
    ColorRef color() const { return color_; }

    // Opens the palette pop-up under the button (what a left press does).
    void openPopup();
    bool isPopupOpen() const { return popupOpen_; }
    CColorPalettePopup* popup() const { return popup_; }

    // Where the eyedropper reads the screen (the screen itself by default).
    void setScreenSampler(ScreenSampler sampler);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void popupChose(ColorRef colour);
    void popupWantsDialog();
    void popupClosed();
    void openColorDialog();
    void notifyParent();

    ColorRef color_;
    ScreenSampler sampler_;
    QPointer<CColorPalettePopup> popup_;
    bool popupOpen_ = false;
};
