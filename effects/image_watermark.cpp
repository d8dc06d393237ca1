// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/image_watermark.h"

#include <QFile>
#include <QtGlobal>

#include "app/app_settings.h"

ImageWatermark ImageWatermark::fromSettings(const AppSettings& settings)
{
    ImageWatermark mark;
    mark.enabled = settings.imgEnableLogo;
    mark.corner = settings.imgLogoPos;
    mark.width = settings.imgLogoSize;
    mark.file = settings.logoImgFile;
    return mark;
}

std::unique_ptr<RasterImage> ImageWatermark::prepare() const
{
    if (!enabled)
        return nullptr;
    const std::string path = QFile::encodeName(file).toStdString();
    auto image = std::make_unique<RasterImage>();
    if (file.isEmpty() || !image->decodeFile(path, imageTypeFromPath(path))) {
        qWarning("watermark picture \"%s\" cannot be decoded (%s); no image watermark", qPrintable(file),
                 file.isEmpty() ? "no file chosen" : image->lastError().c_str());
        return nullptr;
    }
    if (!image->increaseTo24Bits()) {
        qWarning("watermark picture \"%s\" cannot be turned into 24 bits; no image watermark",
                 qPrintable(file));
        return nullptr;
    }
    const int w = image->width();
    const int h = image->height();
    const double scaled = double(h) / double(w) * double(width);
    // A width setting below 1, or a picture so flat that it scales to no row, or a
    // size past the image limits gives no watermark rather than a failed scale.
    if (width < 1 || width > kMaxImageSide || !(scaled >= 1.0) || scaled > double(kMaxImageSide)) {
        qWarning("watermark picture %dx%d cannot be scaled to width %d; no image watermark", w, h, width);
        return nullptr;
    }
    const int newHeight = int(scaled);
    if (!image->resampleNearest(width, newHeight)) {
        qWarning("watermark picture cannot be scaled to %dx%d; no image watermark", width, newHeight);
        return nullptr;
    }
    return image;
}

void ImageWatermark::placement(int corner, int frameWidth, int frameHeight, int w, int h, int& x, int& y)
{
    switch (corner) {
        case 0:
            x = 0;
            y = 0;
            break;
        case 1:
            x = 0;
            y = frameHeight - h;
            break;
        case 2:
            x = frameWidth - w;
            y = 0;
            break;
        default:
            x = frameWidth - w;
            y = frameHeight - h;
            break;
    }
}

void ImageWatermark::blend(RasterImage& frame, const RasterImage& mark, int corner)
{
    if (!frame.isValid() || !mark.isValid())
        return;
    int x = 0, y = 0;
    placement(corner, frame.width(), frame.height(), mark.width(), mark.height(), x, y);
    blendImage(frame, mark, x, y, BlendMode::AlphaBlend);
}
