// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/gif_file_info.h"

#include <QFile>
#include <QFileInfo>

#include "imaging/raster_image.h"

float gifFileSizeKb(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0.0f;
    return float(double(f.size()) / 1024.0);
}

std::optional<GifFileInfo> measureGifFile(const QString& path)
{
    RasterImage image;
    if (!image.decodeFile(QFile::encodeName(path).toStdString(), ImageTypeGif)) {
        qWarning("generated GIF %s does not decode: %s", qPrintable(path), image.lastError().c_str());
        return std::nullopt;
    }
    GifFileInfo info;
    info.frames = image.numFrames();
    info.width = image.width();
    info.height = image.height();
    info.sizeKb = gifFileSizeKb(path);
    return info;
}
