// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A flat owner-drawn push button with an icon, six state colours, hover
// tracking, a tooltip and an optional check mode. Windows create it in place of
// the push button of their template and set the options the template's styles
// gave: setCheckMode(true) for a check box, setDefault(true) for the default
// push button.
#include <QIcon>
#include <QPushButton>
#include <QSize>

#include "imaging/raster_image.h"
#include "widgets/icon_button_colors.h"
#include "widgets/icon_button_look.h"

class CIconButton : public QPushButton {
    Q_OBJECT
public:
    // Result codes of the colour calls.
    enum Result : int { Ok = 0, InvalidIndex = 3, BadParam = 5 };

    explicit CIconButton(QWidget* parent = nullptr);
    explicit CIconButton(const QString& text, QWidget* parent = nullptr);

    // Check mode: a click toggles the checked state, and the button stays drawn
    // pressed while checked.
    void setCheckMode(bool on);
    bool checkMode() const { return checkMode_; }
    // Checked when value is 1 or 2, else unchecked; getCheck returns 0 or 1.
    void setCheck(int value);
    int getCheck() const;

    // The in icon is shown while hovered or pressed (in check mode: while
    // pressed), the out icon otherwise; without an out icon the in icon is
    // shown in every state. Icons are drawn at their own size.
    int setIcons(const QIcon& in, const QIcon& out = QIcon());
    QSize inIconSize() const { return inSize_; }
    QSize outIconSize() const { return outSize_; }

    int setColor(int index, ColorRef colour, bool repaint = true);
    ColorRef color(int index) const { return colors_.color(index); }
    int offsetColor(int index, int shade, bool repaint = true);
    // Every background the button-face colour, every text the button-text colour.
    void setDefaultColors(bool repaint = true);

    void setFlatLook(bool on, bool repaint = true);
    bool flatLook() const { return flat_; }
    void setDrawBorder(bool on, bool repaint = true);
    bool drawBorder() const { return drawBorder_; }
    // Whether hovering is tracked while the button's window is not active.
    void setAlwaysTrack(bool on) { alwaysTrack_ = on; }
    bool alwaysTrack() const { return alwaysTrack_; }

    // Creates the tooltip on first use (text wrapped at 400 pixels), sets its
    // text and activates it or not.
    void setTooltipText(const QString& text, bool activate = true);
    void activateTooltip(bool activate);
    QString tooltipText() const { return tooltip_; }

    bool isHovered() const { return hovered_; }
    // The state the next paint draws.
    IconButtonState drawState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateHover(bool overButton, bool leftHeld);
    void endHover();
    bool tracksNow() const;

    IconButtonColors colors_;
    QIcon inIcon_;
    QIcon outIcon_;
    QSize inSize_;
    QSize outSize_;
    QString tooltip_;
    bool tooltipActive_ = false;
    bool hovered_ = false;
    bool checkMode_ = false;
    bool flat_ = true;
    bool drawBorder_ = true;
    bool alwaysTrack_ = true;
};
