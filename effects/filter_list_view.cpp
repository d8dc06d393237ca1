// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/filter_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "effects/filter_previews.h"
#include "platform/sys_colors.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "widgets/cell_height_font.h"

FilterListView::FilterListView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this] {
        if (!verticalScrollBar()->isSliderDown())
            snapScroll();
        viewport()->update();
    });
    connect(bar, &QScrollBar::sliderReleased, this, [this] { snapScroll(); });
    updateScrollBar();
}

FilterListView::~FilterListView() = default;

int FilterListView::itemWidth() const
{
    return viewport()->width();
}

FilterListLayout FilterListView::layout() const
{
    return FilterListLayout(itemWidth(), viewport()->height(), count());
}

QSize FilterListView::thumbnailSpace() const
{
    const QRect box = layout().boxRect(0);
    return QSize(std::max(1, box.width() - 4), std::max(1, box.height() - 4));
}

void FilterListView::setItems(std::vector<FilterPreview> previews)
{
    items_.clear();
    items_.reserve(previews.size());
    for (FilterPreview& p : previews)
        items_.push_back(Item{p.number, p.available, std::move(p.thumbnail), std::move(p.label)});
    selected_ = -1;
    updateScrollBar();
    viewport()->update();
}

void FilterListView::select(int i)
{
    selected_ = (i >= 0 && i < count()) ? i : -1;
    viewport()->update();
}

int FilterListView::scrollPosition() const
{
    return verticalScrollBar()->value();
}

void FilterListView::setScrollPosition(int position)
{
    verticalScrollBar()->setValue(layout().snapped(position));
}

void FilterListView::updateScrollBar()
{
    const FilterListLayout l = layout();
    QScrollBar* bar = verticalScrollBar();
    bar->setSingleStep(l.lineStep());
    bar->setPageStep(l.fits() ? l.viewHeight() : l.pageStep());
    if (l.fits()) {
        // Nothing to scroll: the bar stays, disabled, over the range 2000.
        bar->setRange(
            0, FilterListLayout::kNoScrollRange - std::min(l.viewHeight(), FilterListLayout::kNoScrollRange));
        bar->setValue(0);
        bar->setEnabled(false);
    } else {
        bar->setRange(0, l.maxScroll());
        bar->setEnabled(true);
    }
}

void FilterListView::snapScroll()
{
    if (snapping_ || layout().fits())
        return;
    snapping_ = true;
    QScrollBar* bar = verticalScrollBar();
    const int s = layout().snapped(bar->value());
    if (s != bar->value())
        bar->setValue(s);
    snapping_ = false;
}

void FilterListView::selectAndReveal(int i)
{
    if (i < 0)
        return;
    selected_ = i;
    const FilterListLayout l = layout();
    if (!l.fits()) {
        const int pos = l.revealed(scrollPosition(), i);
        if (pos != scrollPosition())
            verticalScrollBar()->setValue(pos);
    }
    viewport()->update();
}

void FilterListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void FilterListView::paintEvent(QPaintEvent*)
{
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    if (buffer_.size() != size)
        buffer_ = QImage(size, QImage::Format_RGB32);
    buffer_.fill(sysQColor(SysColor::Window));
    const FilterListLayout l = layout();
    const int scroll = l.fits() ? 0 : scrollPosition();
    {
        QPainter p(&buffer_);
        p.translate(0, -scroll);
        const QFont labelFont = cellHeightFont(QStringLiteral("Verdana"), 14, CellHeightFontOptions{400});
        p.setFont(labelFont);
        const int first = std::max(0, scroll / l.itemHeight());
        for (int i = first; i < count(); ++i) {
            const QRect itemRect = l.itemRect(i);
            if (itemRect.top() >= scroll + size.height())
                break;
            const Item& it = items_[size_t(i)];
            const QRect box = l.boxRect(i);
            if (i == selected_) {
                const QRect outer = box.adjusted(-3, -3, 3, 3);
                QPen pen(sysQColor(SysColor::Highlight), 3);
                pen.setJoinStyle(Qt::MiterJoin);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(outer.adjusted(1, 1, -2, -2));
            } else {
                p.setPen(QPen(sysQColor(SysColor::InactiveBorder), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(box.adjusted(0, 0, -1, -1));
            }
            if (!it.thumbnail.isNull()) {
                const QRect inner = box.adjusted(2, 2, -2, -2);
                const QSize s = FilterPreviews::fitted(it.thumbnail.size(), inner.size());
                const QRect target(inner.left() + (inner.width() - s.width()) / 2,
                                   inner.top() + (inner.height() - s.height()) / 2, s.width(), s.height());
                if (s == it.thumbnail.size())
                    p.drawImage(target.topLeft(), it.thumbnail);
                else
                    p.drawImage(target,
                                it.thumbnail.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            }
            p.setPen(sysQColor(SysColor::WindowText));
            p.drawText(l.labelRect(i), Qt::AlignHCenter | Qt::AlignVCenter, it.label);
            if (i == selected_) {
                const QRect apply = l.applyRect(i);
                p.fillRect(apply, Qt::black);
                p.setPen(QColor(255, 255, 0));
                p.drawText(apply, Qt::AlignCenter, tr("应用 >>"));
            }
        }
    }
    QPainter out(viewport());
    out.drawImage(0, 0, buffer_);
}

void FilterListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const FilterListLayout l = layout();
    const int scroll = l.fits() ? 0 : scrollPosition();
    const QPoint p = event->position().toPoint();
    const int i = l.itemAt(p, scroll);
    if (i >= 0 && i == selected_ && l.inApplyArea(p, scroll, i)) {
        postWindowMessage(parentWidget() ? static_cast<QObject*>(parentWidget()) : this, UM_FILTER_CLICKED, 0,
                          items_[size_t(i)].number);
        return;
    }
    selected_ = i;
    viewport()->update();
}

void FilterListView::keyPressEvent(QKeyEvent* event)
{
    const FilterListLayout l = layout();
    switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            selectAndReveal(l.nextItem(selected_));
            return;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            selectAndReveal(l.previousItem(selected_));
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void FilterListView::wheelEvent(QWheelEvent* event)
{
    const FilterListLayout l = layout();
    event->accept();
    if (l.fits())
        return;
    const int pos = l.wheeled(scrollPosition(), event->angleDelta().y());
    if (pos != scrollPosition())
        verticalScrollBar()->setValue(pos);
}
