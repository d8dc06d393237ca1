// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/preview_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

QImage previewIcon(PreviewIcon which)
{
    QImage image(kPreviewIconSize, kPreviewIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor white(255, 255, 255);
    QPen pen(white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    switch (which) {
        case PreviewIcon::Edit: {
            // A pencil from the bottom left to the top right, and a line to write on.
            QPolygonF body;
            body << QPointF(5, 16) << QPointF(15, 6) << QPointF(18, 9) << QPointF(8, 19) << QPointF(4, 20);
            p.drawPolygon(body);
            p.drawLine(QPointF(13, 8), QPointF(16, 11));
            p.drawLine(QPointF(12, 21), QPointF(20, 21));
            break;
        }
        case PreviewIcon::Compress: {
            // A frame with two arrows pressing inwards.
            p.drawRect(QRectF(8, 7, 8, 10));
            p.drawLine(QPointF(2, 12), QPointF(6, 12));
            p.drawLine(QPointF(4, 10), QPointF(6, 12));
            p.drawLine(QPointF(4, 14), QPointF(6, 12));
            p.drawLine(QPointF(22, 12), QPointF(18, 12));
            p.drawLine(QPointF(20, 10), QPointF(18, 12));
            p.drawLine(QPointF(20, 14), QPointF(18, 12));
            break;
        }
        case PreviewIcon::Save: {
            // A tray with an arrow coming down into it.
            p.drawLine(QPointF(12, 3), QPointF(12, 15));
            p.drawLine(QPointF(7, 10), QPointF(12, 15));
            p.drawLine(QPointF(17, 10), QPointF(12, 15));
            QPainterPath tray;
            tray.moveTo(4, 14);
            tray.lineTo(4, 20);
            tray.lineTo(20, 20);
            tray.lineTo(20, 14);
            p.drawPath(tray);
            break;
        }
        case PreviewIcon::Help: {
            p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
            QFont font;
            font.setPixelSize(15);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
    }
    p.end();
    return image;
}
