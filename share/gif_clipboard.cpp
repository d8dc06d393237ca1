// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/gif_clipboard.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include "imaging/raster_image.h"

std::unique_ptr<QMimeData> gifMimeData(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning("cannot read %s for the clipboard: %s", qPrintable(path), qPrintable(f.errorString()));
        return nullptr;
    }
    const QByteArray bytes = f.readAll();
    RasterImage first;
    if (!first.decodeMemory(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                            ImageTypeGif)) {
        qWarning("%s does not decode for the clipboard: %s", qPrintable(path), first.lastError().c_str());
        return nullptr;
    }
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kGifMimeType), bytes);
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    data->setUrls({url});
    data->setData(QStringLiteral("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
    data->setImageData(first.toQImage());
    return data;
}
