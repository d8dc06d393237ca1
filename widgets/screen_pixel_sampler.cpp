// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/screen_pixel_sampler.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

std::optional<ColorRef> sampleScreenPixel(const QPoint& global)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    QScreen* screen = QGuiApplication::screenAt(global);
    if (!screen)
        return std::nullopt;
    const QPoint local = global - screen->geometry().topLeft();
    const QPixmap grab = screen->grabWindow(0, local.x(), local.y(), 1, 1);
    if (grab.isNull())
        return std::nullopt;
    const QImage image = grab.toImage();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return std::nullopt;
    const QRgb p = image.pixel(0, 0);
    return makeColorRef(qRed(p), qGreen(p), qBlue(p));
}
