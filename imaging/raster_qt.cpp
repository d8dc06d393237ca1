// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Hand-over between RasterImage and the screen: screen-grab rows, QImage, QPainter.
#include <QImage>
#include <QPainter>
#include <QRect>

#include "imaging/raster_image.h"

bool RasterImage::fromScreenBits(const uint8_t* bgrx, int width, int height, size_t strideBytes)
{
    if (!bgrx || width <= 0 || height <= 0 || strideBytes / 4 < size_t(width)) {
        destroy();
        return false;
    }
    if (!create(width, height, 24))
        return false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = bgrx + size_t(y) * strideBytes;
        uint8_t* d = row(y);
        for (int x = 0; x < width; ++x) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            d += 3;
            s += 4;
        }
    }
    return true;
}

QImage RasterImage::toQImage() const
{
    if (!isValid())
        return QImage();
    QImage img(width(), height(), QImage::Format_ARGB32);
    if (img.isNull())
        return QImage();
    const bool pal = isPalette();
    const RgbQuad* palette = this->palette();
    const int palSize = paletteSize();
    const int ti = pal ? transparentIndex() : -1;
    const bool tcol = !pal && hasTransparentColor();
    const RgbQuad tc = transparentColor();
    const int mult = alphaMultiplier();
    for (int y = 0; y < height(); ++y) {
        const uint8_t* s = row(y);
        const uint8_t* a = alphaRow(y);
        QRgb* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width(); ++x) {
            RgbQuad c;
            int alpha = 255;
            if (pal) {
                const int idx = s[x];
                if (idx < palSize)
                    c = palette[idx];
                if (idx == ti)
                    alpha = 0;
            } else {
                c.blue = s[x * 3];
                c.green = s[x * 3 + 1];
                c.red = s[x * 3 + 2];
                if (tcol && c.blue == tc.blue && c.green == tc.green && c.red == tc.red)
                    alpha = 0;
            }
            if (a && alpha)
                alpha = a[x] * mult / 255;
            out[x] = qRgba(c.red, c.green, c.blue, alpha);
        }
    }
    return img;
}

RasterImage RasterImage::fromQImage(const QImage& image)
{
    RasterImage out;
    if (image.isNull())
        return out;
    const bool alpha = image.hasAlphaChannel();
    const QImage src = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (src.isNull() || !out.create(src.width(), src.height(), 24))
        return out;
    if (alpha) {
        out.createAlpha();
        if (!out.hasAlpha()) {
            out.destroy();
            return out;
        }
    }
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uint8_t* d = out.row(y);
        uint8_t* a = out.alphaRow(y);
        for (int x = 0; x < src.width(); ++x) {
            d[x * 3] = uint8_t(qBlue(s[x]));
            d[x * 3 + 1] = uint8_t(qGreen(s[x]));
            d[x * 3 + 2] = uint8_t(qRed(s[x]));
            if (a)
                a[x] = uint8_t(qAlpha(s[x]));
        }
    }
    return out;
}

void RasterImage::draw(QPainter& painter, int x, int y, int w, int h, const QRect* clip, bool smooth) const
{
    if (!isValid())
        return;
    if (w < 0)
        w = width();
    if (h < 0)
        h = height();
    if (w == 0 || h == 0)
        return;
    const QImage img = toQImage();
    painter.save();
    if (clip)
        painter.setClipRect(*clip, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRect(x, y, w, h), img);
    painter.restore();
}

void RasterImage::stretch(QPainter& painter, int x, int y, int w, int h) const
{
    if (!isValid() || w == 0 || h == 0)
        return;
    const QImage img = toQImage().convertToFormat(QImage::Format_RGB32);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, w, h), img);
    painter.restore();
}
