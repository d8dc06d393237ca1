// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/my_bitmap_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "imaging/raster_image.h"
#include "widgets/icon_button_look.h"

CMyBitmapButton::CMyBitmapButton(QWidget* parent) : QPushButton(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, true);
}

QImage CMyBitmapButton::scaledBitmap(const QImage& image, double scale)
{
    if (image.isNull())
        return QImage();
    if (std::fabs(scale - 1.0) <= 0.000001)
        return image;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return QImage();
    const double w = double(image.width()) * scale;
    const double h = double(image.height()) * scale;
    if (w < 1.0 || h < 1.0 || w > kMaxImageSide || h > kMaxImageSide)
        return QImage();
    RasterImage raster = RasterImage::fromQImage(image);
    if (!raster.isValid() || !raster.resampleSmooth(int(w), int(h)))
        return QImage();
    return raster.toQImage();
}

bool CMyBitmapButton::loadBitmaps(double scale, const QImage& normal, const QImage& hover)
{
    const QImage n = scaledBitmap(normal, scale);
    if (n.isNull()) {
        qWarning("CMyBitmapButton: the normal picture is missing or cannot be scaled by %g", scale);
        return false;
    }
    const QImage h = scaledBitmap(hover, scale);
    if (!hover.isNull() && h.isNull())
        qWarning("CMyBitmapButton: the hover picture cannot be scaled by %g", scale);
    normal_ = QPixmap::fromImage(n);
    hover_ = h.isNull() ? QPixmap() : QPixmap::fromImage(h);
    resize(normal_.size());
    updateGeometry();
    update();
    return true;
}

bool CMyBitmapButton::loadBitmaps(double scale, const QString& normalPath, const QString& hoverPath)
{
    const QImage normal(normalPath);
    const QImage hover = hoverPath.isEmpty() ? QImage() : QImage(hoverPath);
    if (normal.isNull())
        qWarning("CMyBitmapButton: cannot read %s", qPrintable(normalPath));
    return loadBitmaps(scale, normal, hover);
}

QSize CMyBitmapButton::sizeHint() const
{
    return normal_.isNull() ? QPushButton::sizeHint() : normal_.size();
}

void CMyBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap& pm = (hovered_ && !hover_.isNull()) ? hover_ : normal_;
    if (!pm.isNull())
        p.drawPixmap(0, 0, pm);
}

void CMyBitmapButton::setHovered(bool on)
{
    if (on != hovered_) {
        hovered_ = on;
        update();
    }
}

void CMyBitmapButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouseDown_ = true;
    QPushButton::mousePressEvent(event);
}

void CMyBitmapButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouseDown_ = false;
    QPushButton::mouseReleaseEvent(event);
}

void CMyBitmapButton::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(hoverAfterMouseMove(rect().contains(event->position().toPoint()),
                                   (event->buttons() & Qt::LeftButton) && !mouseDown_, hovered_));
    QPushButton::mouseMoveEvent(event);
}

void CMyBitmapButton::enterEvent(QEnterEvent* event)
{
    setHovered(hoverAfterMouseMove(rect().contains(event->position().toPoint()),
                                   (QApplication::mouseButtons() & Qt::LeftButton) && !mouseDown_, hovered_));
    QPushButton::enterEvent(event);
}

void CMyBitmapButton::leaveEvent(QEvent* event)
{
    setHovered(false);
    QPushButton::leaveEvent(event);
}

void CMyBitmapButton::focusOutEvent(QFocusEvent* event)
{
    setHovered(false);
    QPushButton::focusOutEvent(event);
}

void CMyBitmapButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        setHovered(false);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        setHovered(false);
    QPushButton::changeEvent(event);
}
