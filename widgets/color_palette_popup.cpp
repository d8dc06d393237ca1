// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/color_palette_popup.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/cell_height_font.h"
#include "widgets/color_palette_layout.h"
#include "widgets/eyedropper_cursor.h"

namespace {
using L = ColorPaletteLayout;

QColor qColor(ColorRef c)
{
    return QColor(colorRefRed(c), colorRefGreen(c), colorRefBlue(c));
}

const QColor kStripColor(192, 192, 192);
}  // namespace

CColorPalettePopup::CColorPalettePopup(QWidget* owner, ColorRef initial, ScreenSampler sampler)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      sampler_(std::move(sampler)),
      eyedropper_(eyedropperCursor()),
      candidate_(initial & 0xFFFFFFu)
{
    setObjectName(QStringLiteral("ColorPalette"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFixedSize(L::kWidth, L::kHeight);
    setCursor(Qt::ArrowCursor);
}

CColorPalettePopup::~CColorPalettePopup() = default;

QPoint CColorPalettePopup::toClient(QPoint widgetPos)
{
    return widgetPos - QPoint(L::kBorder, L::kBorder);
}

void CColorPalettePopup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // Everything else in client coordinates, clipped to the client area.
    const QRect client(L::kBorder, L::kBorder, width() - 2 * L::kBorder, height() - 2 * L::kBorder);
    p.setClipRect(client);
    p.translate(client.topLeft());

    for (int row = 0; row < L::kRows; ++row)
        for (int col = 0; col < L::kColumns; ++col)
            p.fillRect(L::cellRect(col, row), qColor(L::cellColor(col, row)));
    if (hoveredCell_ >= 0) {
        const QRect cell = L::cellRect(hoveredCell_ % L::kColumns, hoveredCell_ / L::kColumns);
        QPen dotted(Qt::black, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(-1, -1, 0, 0));
    }

    // Sample strip.
    p.fillRect(QRect(0, L::kStripTop, client.width(), L::kHeight - L::kStripTop), kStripColor);
    const QRect sample = L::sampleRect();
    p.fillRect(sample, qColor(candidate_));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(sample.adjusted(0, 0, -1, -1));

    p.setFont(cellHeightFont(QStringLiteral("Verdana"), 12));
    const QPoint textPos = L::hexTextPos();
    p.drawText(QRect(textPos, QSize(80, 16)), Qt::AlignLeft | Qt::AlignTop, L::hexText(candidate_));

    // The colour-dialog button: red, green and yellow stripes.
    const QRect button = L::dialogButtonRect();
    const int third = button.width() / 3;
    p.fillRect(QRect(button.left(), button.top(), third, button.height()), QColor(255, 0, 0));
    p.fillRect(QRect(button.left() + third, button.top(), third, button.height()), QColor(0, 255, 0));
    p.fillRect(QRect(button.left() + 2 * third, button.top(), button.width() - 2 * third, button.height()),
               QColor(255, 255, 0));
    p.setPen(QColor(64, 64, 64));
    p.drawRect(button.adjusted(0, 0, -1, -1));
}

void CColorPalettePopup::track(QPoint widgetPos, QPoint globalPos)
{
    const QPoint client = toClient(widgetPos);
    const bool inside = rect().contains(widgetPos);
    const int cell = inside ? L::cellAt(client) : -1;
    ColorRef next = candidate_;
    if (cell >= 0) {
        // The screen shows the cell's own colour there; take it exactly.
        next = L::cellColor(cell % L::kColumns, cell / L::kColumns);
    } else if (sampler_) {
        if (const std::optional<ColorRef> pixel = sampler_(globalPos))
            next = *pixel & 0xFFFFFFu;
    }
    const bool changed = next != candidate_ || cell != hoveredCell_;
    candidate_ = next;
    hoveredCell_ = cell;
    if (eyedropperShown_ == inside) {
        eyedropperShown_ = !inside;
        setCursor(inside ? QCursor(Qt::ArrowCursor) : eyedropper_);
    }
    if (changed)
        update();
}

void CColorPalettePopup::mouseMoveEvent(QMouseEvent* event)
{
    track(event->position().toPoint(), event->globalPosition().toPoint());
}

void CColorPalettePopup::mousePressEvent(QMouseEvent* event)
{
    // Not the base class: a popup would close on a press outside it, and here a
    // press anywhere on the screen is the start of a click.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    pressGlobal_ = event->globalPosition().toPoint();
    track(event->position().toPoint(), pressGlobal_);
}

void CColorPalettePopup::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CColorPalettePopup::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const QPoint global = event->globalPosition().toPoint();
    if (global != pressGlobal_)
        return;  // not a click
    const QPoint widgetPos = event->position().toPoint();
    if (L::dialogButtonRect().contains(toClient(widgetPos)) && rect().contains(widgetPos)) {
        done_ = true;
        emit dialogRequested();
        close();
        return;
    }
    done_ = true;
    emit colorChosen(candidate_);
    close();
}

void CColorPalettePopup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CColorPalettePopup::closeEvent(QCloseEvent* event)
{
    finish();
    QWidget::closeEvent(event);
}

void CColorPalettePopup::finish()
{
    if (done_)
        return;
    done_ = true;
    emit cancelled();
}
