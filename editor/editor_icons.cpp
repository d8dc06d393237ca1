// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/editor_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/sys_colors.h"
#include "res/resource.h"

QImage editorButtonIcon(int controlId)
{
    QImage image(kEditorIconSize, kEditorIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = sysQColor(SysColor::ButtonText);
    p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (controlId) {
        case IDC_EDITOR_ADD_FRAMES:
            p.drawRect(QRectF(1.5, 3.5, 9, 9));
            p.drawLine(QPointF(12, 8), QPointF(15, 8));
            p.drawLine(QPointF(13.5, 6.5), QPointF(13.5, 9.5));
            break;
        case IDC_EDITOR_DELETE_FRAMES:
            p.drawRect(QRectF(1.5, 3.5, 9, 9));
            p.drawLine(QPointF(4, 6), QPointF(8, 10));
            p.drawLine(QPointF(8, 6), QPointF(4, 10));
            break;
        case IDC_EDITOR_FILTER:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(230, 60, 60, 200));
            p.drawEllipse(QRectF(1, 1, 9, 9));
            p.setBrush(QColor(60, 170, 60, 200));
            p.drawEllipse(QRectF(6, 1, 9, 9));
            p.setBrush(QColor(60, 90, 230, 200));
            p.drawEllipse(QRectF(3.5, 6, 9, 9));
            break;
        case IDC_EDITOR_CINEMAGRAPH:
            p.setBrush(QColor(228, 0, 127));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(2, 6, 8, 8));
            p.drawEllipse(QRectF(11, 3, 4, 4));
            break;
        case IDC_EDITOR_CROP:
            p.drawPolyline(QPolygonF({QPointF(4, 1), QPointF(4, 12), QPointF(15, 12)}));
            p.drawPolyline(QPolygonF({QPointF(1, 4), QPointF(12, 4), QPointF(12, 15)}));
            break;
        case IDC_EDITOR_REVERSE:
            p.drawLine(QPointF(2, 5), QPointF(14, 5));
            p.drawPolyline(QPolygonF({QPointF(11, 2), QPointF(14, 5), QPointF(11, 8)}));
            p.drawLine(QPointF(2, 11), QPointF(14, 11));
            p.drawPolyline(QPolygonF({QPointF(5, 8), QPointF(2, 11), QPointF(5, 14)}));
            break;
        case IDC_EDITOR_SLOW_PLAY: {
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(13, 8), QPointF(4, 14)}));
            break;
        }
        case IDC_EDITOR_SPEED:
            p.drawPolyline(QPolygonF({QPointF(2, 3), QPointF(7, 8), QPointF(2, 13)}));
            p.drawPolyline(QPolygonF({QPointF(8, 3), QPointF(13, 8), QPointF(8, 13)}));
            break;
        case IDC_EDITOR_GENERATE: {
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            QPainterPath star;
            star.moveTo(8, 4.5);
            star.lineTo(9.2, 7.3);
            star.lineTo(12, 7.5);
            star.lineTo(9.8, 9.3);
            star.lineTo(10.6, 12);
            star.lineTo(8, 10.5);
            star.lineTo(5.4, 12);
            star.lineTo(6.2, 9.3);
            star.lineTo(4, 7.5);
            star.lineTo(6.8, 7.3);
            star.closeSubpath();
            p.fillPath(star, ink);
            break;
        }
        default:
            return QImage();
    }
    return image;
}
