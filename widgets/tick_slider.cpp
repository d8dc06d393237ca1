// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/tick_slider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/sys_colors.h"

namespace {
constexpr int kTickLength = 4;
}

CTickSlider::CTickSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

int CTickSlider::tickX(int value) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const int handle = style()->pixelMetric(QStyle::PM_SliderLength, &opt, this);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const int span = std::max(groove.width() - handle, 1);
    return groove.left() + handle / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, opt.upsideDown);
}

namespace {
int tickRoom(const QSlider& slider)
{
    if (slider.orientation() != Qt::Horizontal)
        return 0;
    const int sides = ((slider.tickPosition() & QSlider::TicksBelow) ? 1 : 0) +
                      ((slider.tickPosition() & QSlider::TicksAbove) ? 1 : 0);
    return sides * (kTickLength + 2);
}
}  // namespace

QSize CTickSlider::sizeHint() const
{
    return QSlider::sizeHint() + QSize(0, tickRoom(*this));
}

QSize CTickSlider::minimumSizeHint() const
{
    return QSlider::minimumSizeHint() + QSize(0, tickRoom(*this));
}

void CTickSlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    if (orientation() != Qt::Horizontal || tickPosition() == NoTicks)
        return;
    const int interval = tickInterval() > 0 ? tickInterval() : std::max(pageStep(), 1);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    QPainter p(this);
    p.setPen(sysQColor(SysColor::ButtonText));
    for (int v = minimum(); v <= maximum(); v += interval) {
        const int x = tickX(v);
        if (tickPosition() & TicksBelow)
            p.drawLine(x, handle.bottom() + 2, x, std::min(handle.bottom() + 1 + kTickLength, height() - 1));
        if (tickPosition() & TicksAbove)
            p.drawLine(x, std::max(handle.top() - 1 - kTickLength, 0), x, handle.top() - 2);
        if (v > maximum() - interval)
            break;  // no overflow past the maximum
    }
}
