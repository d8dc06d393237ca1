// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_preview_renderer.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "editor/caption_renderer.h"
#include "imaging/raster_image.h"

namespace {

// No mnemonic processing: an ampersand is drawn as it is.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop;

QColor qColorOf(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

int clampToInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

void drawPass(QPainter& painter, const QRect& block, int dx, int dy, const QString& text)
{
    const QRect r = block.translated(dx, dy);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(r, kTextFlags, text);
    painter.restore();
}

}  // namespace

QSize CaptionPreviewRenderer::measure(const CaptionItem& caption)
{
    const QFont font = CaptionRenderer::captionFont(caption.font);
    // The size of the box (0, 0, 1000, 1000) after measuring: it grows with the
    // text, which is only broken at line feeds.
    const QSize s = QFontMetrics(font).size(0, caption.text());
    return QSize(std::max(0, s.width()), std::max(0, s.height()));
}

QRect CaptionPreviewRenderer::textRect(const CaptionItem& caption)
{
    // Bottom row y, like the mask of the GIF's renderer.
    const int top = clampToInt(int64_t(caption.y) - caption.height + 1);
    return QRect(caption.x, top, caption.width, caption.height);
}

void CaptionPreviewRenderer::draw(QPainter& painter, CaptionItem& caption, ColorRef highlight)
{
    const QFont font = CaptionRenderer::captionFont(caption.font);
    const QSize size = measure(caption);
    caption.width = size.width();
    caption.height = size.height();

    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QRect block = textRect(caption);
    const QString& text = caption.text();

    switch (caption.backgroundStyle) {
        case CaptionBackgroundBox:
            painter.fillRect(block, qColorOf(caption.backgroundColor));
            break;
        case CaptionBackgroundThinOutline:
        case CaptionBackgroundThickOutline: {
            const int reach = caption.backgroundStyle == CaptionBackgroundThinOutline ? 1 : 3;
            painter.setPen(qColorOf(caption.backgroundColor));
            for (int dx = -reach; dx <= reach; ++dx)
                for (int dy = -reach; dy <= reach; ++dy)
                    drawPass(painter, block, dx, dy, text);
            break;
        }
        default:
            break;
    }
    painter.setPen(qColorOf(caption.textColor));
    drawPass(painter, block, 0, 0, text);

    if (caption.selected) {
        const int64_t x = caption.x;
        const int64_t y = caption.y;
        const int64_t w = caption.width;
        const int64_t h = caption.height;
        const QPoint points[] = {QPoint(clampToInt(x - 2), clampToInt(y - h - 2)),
                                 QPoint(clampToInt(x - 2), clampToInt(y + 2)),
                                 QPoint(clampToInt(x + w + 2), clampToInt(y + 2)),
                                 QPoint(clampToInt(x + w + 2), clampToInt(y - h - 2)),
                                 QPoint(clampToInt(x - 2), clampToInt(y - h - 2))};
        QPen pen(qColorOf(highlight));
        pen.setWidth(1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawPolyline(points, 5);
    }
    painter.restore();
}

void CaptionPreviewRenderer::draw(RasterImage& frame, CaptionItem& caption, ColorRef highlight)
{
    if (!frame.isValid() || frame.depth() != 24) {
        const QSize size = measure(caption);
        caption.width = size.width();
        caption.height = size.height();
        return;
    }
    // The frame's rows seen as a picture: B, G, R bytes, top row first.
    QImage view(frame.bits(), frame.width(), frame.height(), qsizetype(frame.stride()),
                QImage::Format_BGR888);
    QPainter painter(&view);
    draw(painter, caption, highlight);
}
