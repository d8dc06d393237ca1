// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/color_picker_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/sys_colors.h"
#include "platform/ui_prompts.h"
#include "widgets/color_palette_layout.h"
#include "widgets/color_palette_popup.h"

namespace {
QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}
}  // namespace

CColorPickerButton::CColorPickerButton(QWidget* parent)
    : QPushButton(parent), color_(sysColor(SysColor::ButtonFace)), sampler_(&sampleScreenPixel)
{
}

CColorPickerButton::~CColorPickerButton()
{
    if (popup_) {
        popup_->disconnect(this);
        delete popup_.data();
    }
}

void CColorPickerButton::setColor(ColorRef colour, bool notify)
{
    color_ = colour & 0xFFFFFFu;
    update();
    if (notify)
        notifyParent();
}

void CColorPickerButton::setScreenSampler(ScreenSampler sampler)
{
    sampler_ = std::move(sampler);
}

void CColorPickerButton::notifyParent()
{
    QMetaObject::invokeMethod(
        this, [this] { emit clicked(false); }, Qt::QueuedConnection);
}

QSize CColorPickerButton::sizeHint() const
{
    return QSize(40, 22);
}

void CColorPickerButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, sysQColor(SysColor::ButtonFace));
    if (!popupOpen_ && r.width() > 1 && r.height() > 1) {
        const QColor white(255, 255, 255);
        const QColor dark = sysQColor(SysColor::DarkShadow);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), white);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), white);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
    }
    // The swatch, leaving the bottom-right corner to the triangle.
    constexpr int kMargin = 4;
    constexpr int kTriangle = 7;
    const QRect swatch(kMargin, kMargin, r.width() - 2 * kMargin - kTriangle - 2, r.height() - 2 * kMargin);
    if (swatch.width() > 0 && swatch.height() > 0) {
        p.fillRect(swatch, qColor(color_));
        p.setPen(sysQColor(SysColor::ButtonShadow));
        p.setBrush(Qt::NoBrush);
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
    }
    // The downward triangle, black when enabled and grey when disabled.
    const QColor mark = isEnabled() ? QColor(Qt::black) : sysQColor(SysColor::GrayText);
    const int right = r.width() - kMargin - 1;
    const int bottom = r.height() - kMargin - 1;
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRect(right - kTriangle + 1 + i, bottom - 3 + i, kTriangle - 2 * i, 1), mark);
}

void CColorPickerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        setFocus(Qt::MouseFocusReason);
        openPopup();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CColorPickerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();  // the press opened the pop-up; no click here
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

void CColorPickerButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CColorPickerButton::openPopup()
{
    if (popupOpen_ || !isEnabled())
        return;
    auto* popup = new CColorPalettePopup(this, color_, sampler_);
    connect(popup, &CColorPalettePopup::colorChosen, this, &CColorPickerButton::popupChose);
    connect(popup, &CColorPalettePopup::dialogRequested, this, &CColorPickerButton::popupWantsDialog);
    connect(popup, &CColorPalettePopup::cancelled, this, &CColorPickerButton::popupClosed);
    const QRect button(mapToGlobal(QPoint(0, 0)), size());
    QScreen* s = screen();
    const QRect screenRect = s ? s->geometry() : QRect(0, 0, 1024, 768);
    popup->move(ColorPaletteLayout::popupPosition(button, screenRect));
    popup_ = popup;
    popupOpen_ = true;
    update();
    popup->show();
}

void CColorPickerButton::popupChose(ColorRef colour)
{
    popupOpen_ = false;
    const ColorRef previous = color_;
    setColor(colour, colour != previous);
}

void CColorPickerButton::popupWantsDialog()
{
    popupOpen_ = false;
    update();
    // After the pop-up has gone.
    QTimer::singleShot(0, this, &CColorPickerButton::openColorDialog);
}

void CColorPickerButton::popupClosed()
{
    popupOpen_ = false;
    update();
}

void CColorPickerButton::openColorDialog()
{
    if (const std::optional<ColorRef> chosen = promptColor(this, color_))
        setColor(*chosen, true);
}
