// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The frame strip down the left of the editor: one item per record of the
// frame sequence with its number, thumbnail, include check box and delay. It
// holds the frame selection the editor's commands act on, edits delays in
// place, inserts pictures and removes frames. It tells its parent which frame
// to show by posting UM_SHOW_FRAME (lParam = frame number) and asks for the
// delete menu by the parent's command 7 (deleteMenuRequested()).
//
// Items point at the records (not owned); item i shows record i. Only the
// visible rows are drawn, into one off-screen buffer per paint; thumbnails are
// shrunk from the frame images at paint time.
#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

#include "share/modal_progress.h"

class CNumEdit;
class QAction;
class QMenu;
class FrameSequence;
struct FrameRecord;

struct StripItem {
    QRect bounds;  // strip coordinates of the buffer, set when drawn
    QRect thumb;
    QRect check;
    QRect delay;
    bool selected = false;
    FrameRecord* record = nullptr;
};

class XListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit XListView(FrameSequence& sequence, QWidget* parent = nullptr);
    ~XListView() override;

    // --- items ---------------------------------------------------------------
    void addItem(FrameRecord* record);
    // Releases every item (the records stay in the sequence).
    void releaseItems();
    // Points every item at the record now at its index and clears the selection
    // (after the sequence was reordered).
    void resyncItems();
    int count() const { return int(items_.size()); }
    const std::vector<StripItem>& items() const { return items_; }
    bool isSelected(int index) const;
    std::vector<int> selectedIndices() const;
    std::vector<bool> selectionFlags() const;
    void clearSelection();
    // Makes item `index` (0-based) the only selected one.
    void selectOnly(int index);
    void selectAll();
    int anchor() const { return anchor_; }

    // --- layout and scrolling -------------------------------------------------
    // Item height from the client width; scroll range from the count.
    void initialLayout();
    void layoutItems();
    int itemHeight() const { return itemHeight_; }
    int itemWidth() const;
    int scrollPosition() const;
    void scrollTo(int pos);
    // Repaint now (the editor's "redraw the strip").
    void redraw();

    // --- operations -----------------------------------------------------------
    // Flips the include marks of the selection ("删除或取消删除"); false when
    // nothing is selected.
    bool toggleSelectedIncluded();
    // Removes the selected frames for good; refused (false) when none or all
    // are selected. Then: layout, scroll to the top, anchor 1, UM_SHOW_FRAME 1.
    bool removeSelected();
    // Asks for a picture file and inserts it at index p (see the .cpp).
    void insertPictures(int p);
    // Inserts the picture file `path` at index p without asking; false when
    // nothing was inserted.
    bool insertPictureFile(const QString& path, int p);
    void slower();
    void faster();
    // Sets delay v (clamped) on item k (1-based) or, when k is selected, on
    // the whole selection, as the delay editor does when it closes.
    void applyDelay(int k, int v);
    // Opens the delay editor over item k's delay label (1-based).
    void openDelayEditor(int k);
    CNumEdit* delayEditor() const;
    // Asks for a file name and writes item k's frame as BMP, JPG or PNG.
    void saveFrameAs(int k);
    // Writes the frame of item k (1-based) to `path` with the format its
    // extension names; false for other extensions or a failed write.
    bool saveFrameFile(int k, const QString& path);

    // How the context menu is run (tests pick an item): returns the chosen
    // action or null.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& screenPos)>;
    void setMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }

    // How a GIF insertion shows its progress (the progress window by default).
    void setProgressFactory(ModalProgressFactory factory) { progress_ = std::move(factory); }

    // The strip as the last paint drew it (for tests and the benchmark).
    QImage renderToImage();

signals:
    // "删除/取消" in the context menu: the editor opens its delete menu.
    void deleteMenuRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void paintItems(QImage& buffer);
    void drawItem(QPainter& p, StripItem& item, int number);
    int itemAt(const QPoint& viewportPos) const;  // 1-based, 0 below the last
    void showFrame(int n);
    void flipIncludedFrom(int k);
    void leftPress(int k, const QPoint& pos, Qt::KeyboardModifiers mods);
    void moveSelection(int step);
    void onScrollReleased();
    void contextMenuAt(int k, const QPoint& globalPos);

    FrameSequence& seq_;
    std::vector<StripItem> items_;
    int anchor_ = 0;
    int itemHeight_ = 1000;
    int rightPressed_ = 0;
    QImage buffer_;
    QImage thumb_;  // one thumbnail, reused
    QPointer<CNumEdit> delayEditor_;
    ModalProgressFactory progress_;
    MenuRunner menuRunner_;
};
