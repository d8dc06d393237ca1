// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_previews.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "effects/filter_lut.h"
#include "gif/ordered_parallel.h"
#include "imaging/raster_image.h"

namespace {

// The names the list shows (translated in the context "FilterPreviews").
const char* const kLabels[FilterPreviews::kEntryCount] = {
    QT_TRANSLATE_NOOP("FilterPreviews", "原图"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜1: 阿宝色"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜2: 哥特风"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜3: 复古lomo"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜4: 复古"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜5: 古铜"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜6: 粉红佳人"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜7: 淡雅"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜8: 暖化"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜9: 青阶"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜10: 艳丽"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜11: 金黄"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜12: 蓝调"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜13: 日系"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜14: 新日系"),
    QT_TRANSLATE_NOOP("FilterPreviews", "滤镜15: 经典影楼"),
};

QImage thumbnailOfImage(const QImage& full, const QSize& box)
{
    if (full.isNull())
        return QImage();
    const QSize target = box.isEmpty() ? full.size() : FilterPreviews::fitted(full.size(), box);
    if (target == full.size())
        return full.copy();
    return full.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage thumbnailOf(const RasterImage& picture, const QSize& box)
{
    if (picture.depth() != 24 || picture.hasAlpha() || picture.hasTransparentColor())
        return thumbnailOfImage(picture.toQImage(), box);
    // The rows as they are (blue, green, red), without a converted copy.
    const QImage view(picture.bits(), picture.width(), picture.height(), qsizetype(picture.stride()),
                      QImage::Format_BGR888);
    return thumbnailOfImage(view, box).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QString FilterPreviews::label(int number)
{
    if (number < 0 || number >= kEntryCount)
        return QString();
    return QCoreApplication::translate("FilterPreviews", kLabels[number]);
}

QSize FilterPreviews::fitted(const QSize& size, const QSize& box)
{
    if (size.isEmpty() || box.isEmpty())
        return size;
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage FilterPreviews::placeholder(const QSize& box)
{
    const QSize size = box.isEmpty() ? QSize(64, 48) : box;
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(224, 224, 224));
    QPainter p(&image);
    p.setPen(QPen(QColor(160, 160, 160), 2));
    p.drawLine(0, 0, size.width() - 1, size.height() - 1);
    p.drawLine(size.width() - 1, 0, 0, size.height() - 1);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

std::vector<FilterPreview> FilterPreviews::make(const RasterImage* frame, const QSize& box, int threads,
                                                const FilterLoader& loader)
{
    std::vector<FilterPreview> entries(kEntryCount);
    const bool haveFrame = frame && frame->isValid();
    runOrdered(
        kEntryCount, threads,
        [&](int n) {
            FilterPreview& e = entries[size_t(n)];
            e.number = n;
            e.label = label(n);
            if (n == 0) {
                e.available = true;
                if (haveFrame)
                    e.thumbnail = thumbnailOf(*frame, box);
                return;
            }
            std::unique_ptr<FilterLut> lut = loader ? loader(n) : FilterLut::load(n);
            if (!lut) {
                e.thumbnail = placeholder(box.isEmpty() ? QSize() : box);
                return;
            }
            e.available = true;
            if (!haveFrame)
                return;
            RasterImage copy(*frame);
            lut->apply(copy);
            lut.reset();  // the lookup picture is not kept
            e.thumbnail = thumbnailOf(copy, box);
        },
        [](int) { return true; });
    return entries;
}
