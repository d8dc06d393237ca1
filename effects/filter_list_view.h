// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The vertically scrolling list of the filter dialog: one item per filter with
// its preview thumbnail and label. A click selects an item; a click on the
// "应用 >>" area of the selected item posts UM_FILTER_CLICKED (lParam = the
// item's filter number) to the view's parent. Up/Down and Page Up/Page Down
// move the selection, the wheel scrolls one item per notch, and every scroll
// ends on an item boundary. Painting goes through an off-screen buffer.
#include <QAbstractScrollArea>
#include <QImage>
#include <QString>
#include <vector>

#include "effects/filter_list_layout.h"

struct FilterPreview;

class FilterListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    struct Item {
        int number = 0;
        bool available = false;
        QImage thumbnail;
        QString label;
    };

    explicit FilterListView(QWidget* parent = nullptr);
    ~FilterListView() override;

    // The view's width as items are laid out: the client width less the
    // vertical scroll bar.
    int itemWidth() const;
    // The space a thumbnail is drawn in: the box less 2 pixels on every side.
    QSize thumbnailSpace() const;

    void setItems(std::vector<FilterPreview> previews);
    int count() const { return int(items_.size()); }
    const Item& item(int i) const { return items_[size_t(i)]; }

    int selected() const { return selected_; }
    void select(int i);  // -1: none
    int scrollPosition() const;
    void setScrollPosition(int position);  // snapped
    FilterListLayout layout() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollBar();
    void selectAndReveal(int i);
    void snapScroll();

    std::vector<Item> items_;
    int selected_ = -1;
    bool snapping_ = false;
    QImage buffer_;
};
