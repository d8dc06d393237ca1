// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/capture_button_pictures.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cmath>

#include "res/resource.h"

namespace {

const QColor kFrameBlue(65, 111, 181);
const QColor kTitleBlue(78, 161, 220);
const QColor kHoverBlue(110, 185, 240);
const QColor kPink(236, 128, 176);
const QColor kRed(220, 50, 47);
const QColor kInk(40, 40, 40);

QFont captionFont()
{
    QFont f;
    f.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(13);
    f.setWeight(QFont::Normal);
    return f;
}

void titleBackground(QPainter& p, const QSize& size, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRect(QPoint(0, 0), size), g);
}

// Rounded light panel of the command buttons; bluish when hovered.
void commandBackground(QPainter& p, const QSize& size, bool hovered)
{
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, hovered ? QColor(232, 244, 255) : QColor(255, 255, 255));
    g.setColorAt(1, hovered ? QColor(196, 224, 250) : QColor(224, 224, 224));
    p.setPen(QPen(hovered ? kTitleBlue : QColor(170, 170, 170), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 3, 3);
}

void commandCaption(QPainter& p, const QSize& size, const QString& text)
{
    p.setFont(captionFont());
    p.setPen(kInk);
    p.drawText(QRect(26, 0, size.width() - 28, size.height()), Qt::AlignVCenter | Qt::AlignLeft, text);
}

void drawGear(QPainter& p, QPointF c, double r)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = M_PI * i / teeth;
        const double rr = (i % 2 == 0) ? r : r * 0.72;
        const QPointF q(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    path.addEllipse(c, r * 0.3, r * 0.3);
    path.setFillRule(Qt::OddEvenFill);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawPath(path);
}

}  // namespace

QSize captureButtonPictureSize(int id)
{
    switch (id) {
        case IDC_CAPTURE_OPEN:
        case IDC_CAPTURE_MINIMIZE:
        case IDC_CAPTURE_SQUARE:
        case IDC_CAPTURE_CLOSE:
            return QSize(24, 20);
        case IDC_CAPTURE_START_STOP:
        case IDC_CAPTURE_EDIT:
        case IDC_CAPTURE_MORE:
            return QSize(65, 29);
        case IDC_CAPTURE_GIF:
            return QSize(100, 29);
        default:
            return QSize();
    }
}

QImage captureButtonPicture(int id, bool hovered, bool recording)
{
    const QSize size = captureButtonPictureSize(id);
    if (size.isEmpty())
        return QImage();
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (id) {
        case IDC_CAPTURE_OPEN:
            titleBackground(p, size, hovered ? kPink.lighter(110) : kTitleBlue, hovered ? kPink : kFrameBlue);
            p.setPen(QPen(Qt::white, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(5.5, 4.5, 13, 11));
            p.setBrush(Qt::white);
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygonF(
                {QPointF(6, 15), QPointF(10, 9), QPointF(13, 13), QPointF(15, 11), QPointF(18, 15)}));
            p.drawEllipse(QPointF(15, 7.5), 1.5, 1.5);
            break;
        case IDC_CAPTURE_MINIMIZE:
            titleBackground(p, size, hovered ? kHoverBlue : kTitleBlue, hovered ? kTitleBlue : kFrameBlue);
            p.fillRect(QRect(7, 12, 10, 2), Qt::white);
            break;
        case IDC_CAPTURE_SQUARE:
            p.setPen(QPen(Qt::white, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(7.5, 5.5, 9, 9));
            break;
        case IDC_CAPTURE_CLOSE:
            titleBackground(p, size, hovered ? kRed.lighter(120) : kTitleBlue, hovered ? kRed : kFrameBlue);
            p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 6), QPointF(16, 14));
            p.drawLine(QPointF(16, 6), QPointF(8, 14));
            break;
        case IDC_CAPTURE_START_STOP:
            commandBackground(p, size, hovered);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(210, 40, 40));
            p.drawEllipse(QPointF(14, 14.5), 8, 8);
            if (recording) {
                p.setBrush(Qt::white);
                p.drawRect(QRectF(10.5, 10.5, 3, 8));
                p.drawRect(QRectF(14.5, 10.5, 3, 8));
            } else {
                p.setBrush(Qt::white);
                p.drawEllipse(QPointF(14, 14.5), 3.5, 3.5);
            }
            commandCaption(p, size,
                           recording ? QCoreApplication::translate("CaptureButtons", "停止")
                                     : QCoreApplication::translate("CaptureButtons", "开始"));
            break;
        case IDC_CAPTURE_EDIT:
            commandBackground(p, size, hovered);
            p.setPen(Qt::NoPen);
            p.setBrush(kTitleBlue);
            p.drawEllipse(QPointF(14, 14.5), 8, 8);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(14, 10.5), 1.4, 1.4);
            p.drawRect(QRectF(12.8, 13, 2.4, 6.5));
            commandCaption(p, size, QCoreApplication::translate("CaptureButtons", "编辑"));
            break;
        case IDC_CAPTURE_GIF: {
            commandBackground(p, size, hovered);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(46, 160, 67));
            p.drawPolygon(QPolygonF({QPointF(7, 11.5), QPointF(14, 11.5), QPointF(14, 7.5), QPointF(21, 14.5),
                                     QPointF(14, 21.5), QPointF(14, 17.5), QPointF(7, 17.5)}));
            commandCaption(p, size, QCoreApplication::translate("CaptureButtons", "生成动画"));
            break;
        }
        case IDC_CAPTURE_MORE:
            commandBackground(p, size, hovered);
            drawGear(p, QPointF(14, 14.5), 8);
            commandCaption(p, size, QCoreApplication::translate("CaptureButtons", "更多"));
            break;
        default:
            break;
    }
    p.end();
    return img;
}
