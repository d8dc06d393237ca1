// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/cinemagraph_mask.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>

CinemagraphMask::CinemagraphMask(const QSize& size)
{
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxImageSide ||
        size.height() > kMaxImageSide)
        return;
    image_ = QImage(size, QImage::Format_RGB32);
    if (!image_.isNull())
        image_.fill(Qt::white);
}

void CinemagraphMask::stroke(const QPoint& from, const QPoint& to, int brushValue)
{
    if (image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = brushValue > 0 ? QColor::fromRgb(kBrushColor) : QColor(Qt::white);
    // The slider gives 10 to 50; anything else is kept to a size a stroke
    // can still be drawn with.
    const int width = std::abs(std::clamp(brushValue, -kMaxPenWidth, kMaxPenWidth));
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
}

RasterImage CinemagraphMask::toRasterImage() const
{
    if (image_.isNull())
        return RasterImage();
    RasterImage out = RasterImage::fromQImage(image_);
    if (out.isValid() && out.hasAlpha())
        out.deleteAlpha();
    return out;
}
