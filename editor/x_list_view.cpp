// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/x_list_view.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "app/ui_scale.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/frame_ops.h"
#include "editor/picture_shrink.h"
#include "editor/strip_layout.h"
#include "platform/sys_colors.h"
#include "platform/ui_prompts.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "share/progress_wnd.h"
#include "widgets/num_edit.h"

namespace {

const char kOpenFilter[] =
    "All Formats|*.JPG;*.JPEG;*.BMP;*.PNG;*.GIF|Bitmap Files (*.BMP)|*.BMP|JPEG "
    "(*.JPG;*.JPEG)|*.JPG;*.JPEG|GIF "
    "(*.GIF)|*.GIF|PNG (*.PNG)|*.PNG||";
const char kSaveFilter[] = "BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png||";

QFont stripFont()
{
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(std::max(1, int(12 * UiScale())));
    f.setWeight(QFont::Normal);
    return f;
}

// Rows and columns read per thumbnail pixel: enough for a smooth thumbnail,
// few enough that a strip of large frames paints quickly.
constexpr int kThumbSamples = 4;

}  // namespace

XListView::XListView(FrameSequence& sequence, QWidget* parent) : QAbstractScrollArea(parent), seq_(sequence)
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &XListView::onScrollReleased);
    progress_ = []() -> std::unique_ptr<ModalProgress> {
        return std::make_unique<CProgressWnd>(nullptr, progressTitle(), false);
    };
}

XListView::~XListView() = default;

CNumEdit* XListView::delayEditor() const
{
    return delayEditor_.data();
}

// --- items -------------------------------------------------------------------

void XListView::addItem(FrameRecord* record)
{
    StripItem item;
    item.record = record;
    items_.push_back(item);
}

void XListView::releaseItems()
{
    items_.clear();
    anchor_ = 0;
}

void XListView::resyncItems()
{
    items_.resize(size_t(seq_.count()));
    for (int i = 0; i < count(); ++i) {
        items_[size_t(i)].record = seq_.at(i);
        items_[size_t(i)].selected = false;
    }
}

bool XListView::isSelected(int index) const
{
    return index >= 0 && index < count() && items_[size_t(index)].selected;
}

std::vector<int> XListView::selectedIndices() const
{
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (items_[size_t(i)].selected)
            out.push_back(i);
    return out;
}

std::vector<bool> XListView::selectionFlags() const
{
    std::vector<bool> out;
    out.reserve(items_.size());
    for (const StripItem& it : items_)
        out.push_back(it.selected);
    return out;
}

void XListView::clearSelection()
{
    for (StripItem& it : items_)
        it.selected = false;
}

void XListView::selectOnly(int index)
{
    for (int i = 0; i < count(); ++i)
        items_[size_t(i)].selected = i == index;
}

void XListView::selectAll()
{
    for (StripItem& it : items_)
        it.selected = true;
}

// --- layout and scrolling ------------------------------------------------------

int XListView::itemWidth() const
{
    return viewport()->width();
}

void XListView::initialLayout()
{
    layoutItems();
}

void XListView::layoutItems()
{
    itemHeight_ = std::max(1, stripItemLayout(itemWidth(), UiScale()).height);
    const int client = viewport()->height();
    const long long total = (long long)count() * itemHeight_ + client % itemHeight_;
    QScrollBar* bar = verticalScrollBar();
    if (client < total) {
        bar->setRange(0, int(std::min<long long>(INT_MAX, total - client)));
        bar->setSingleStep(itemHeight_);
        bar->setPageStep(std::max(itemHeight_, (client / itemHeight_) * itemHeight_));
        bar->setEnabled(true);
    } else {
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }
}

int XListView::scrollPosition() const
{
    return verticalScrollBar()->value();
}

void XListView::scrollTo(int pos)
{
    verticalScrollBar()->setValue(pos);
    viewport()->update();
}

void XListView::redraw()
{
    viewport()->update();
}

void XListView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void XListView::onScrollReleased()
{
    scrollTo(snapStripScroll(scrollPosition(), itemHeight_));
}

void XListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutItems();
}

// --- drawing -------------------------------------------------------------------

void XListView::paintEvent(QPaintEvent*)
{
    paintItems(buffer_);
    QPainter p(viewport());
    p.drawImage(0, 0, buffer_);
}

QImage XListView::renderToImage()
{
    paintItems(buffer_);
    return buffer_;
}

void XListView::paintItems(QImage& buffer)
{
    const int w = std::max(1, viewport()->width());
    const int client = std::max(1, viewport()->height());
    const StripItemLayout layout = stripItemLayout(w, UiScale());
    itemHeight_ = std::max(1, layout.height);
    const StripRows rows = visibleStripRows(scrollPosition(), client, itemHeight_, count());
    const int height = std::max(client, rows.rows * itemHeight_);
    if (buffer.width() != w || buffer.height() != height)
        buffer = QImage(w, height, QImage::Format_RGB32);
    buffer.fill(sysQColor(SysColor::Window));
    QPainter p(&buffer);
    p.setFont(stripFont());
    int drawn = 0;
    for (int k = rows.first; k < count() && drawn < rows.rows; ++k, ++drawn) {
        StripItem& item = items_[size_t(k)];
        const int dy = (k - rows.first) * itemHeight_;
        item.bounds = layout.bounds.translated(0, dy);
        item.thumb = layout.thumb.translated(0, dy);
        item.check = layout.check.translated(0, dy);
        item.delay = layout.delay.translated(0, dy);
        drawItem(p, item, k + 1);
    }
}

void XListView::drawItem(QPainter& p, StripItem& item, int number)
{
    // Box outline: a thick highlight frame around a selected item.
    p.setBrush(Qt::NoBrush);
    if (item.selected) {
        QPen pen(sysQColor(SysColor::Highlight), 3);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.drawRect(item.thumb.adjusted(-3, -3, 2, 2));
    } else {
        p.setPen(QPen(sysQColor(SysColor::InactiveBorder), 1));
        p.drawRect(item.thumb.adjusted(0, 0, -1, -1));
    }
    p.fillRect(item.thumb.adjusted(1, 1, -1, -1), Qt::white);

    const RasterImage* img = item.record ? item.record->image.get() : nullptr;
    const QRect inner = item.thumb.adjusted(2, 2, -2, -2);
    if (img && img->isValid()) {
        const QRect r = thumbnailRect(QSize(img->width(), img->height()), inner);
        if (!r.isEmpty()) {
            if (thumb_.size() != r.size())
                thumb_ = QImage(r.size(), QImage::Format_RGB32);
            if (img->depth() == 24 && shrinkInto(*img, thumb_, kThumbSamples))
                p.drawImage(r.topLeft(), thumb_);
            else
                p.drawImage(r, img->toQImage());
        }
    }

    p.setPen(sysQColor(SysColor::WindowText));
    p.drawText(item.bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QString::asprintf("%3d", number));
    const int delay = item.record ? item.record->delay : 0;
    p.drawText(item.delay, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
               QString::asprintf("%4dX0.01 sec", delay));

    // Check box with a tick for a kept frame.
    const QRect c = item.check;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(c.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::NoBrush);
    if (item.record && item.record->included()) {
        const int right = c.left() + c.width();
        const int bottom = c.top() + c.height();
        const int cx = (c.left() + right) / 2;
        const int cy = (c.top() + bottom) / 2;
        const QPoint pts[3] = {{c.left() + 2, cy}, {cx, bottom - 3}, {right - 2, c.top() + 2}};
        p.drawPolyline(pts, 3);
    }
}

// --- mouse and keys --------------------------------------------------------------

int XListView::itemAt(const QPoint& pos) const
{
    if (pos.y() < 0)
        return 0;
    const long long k = ((long long)pos.y() + scrollPosition()) / itemHeight_ + 1;
    return k > count() ? 0 : int(k);
}

void XListView::showFrame(int n)
{
    if (parentWidget())
        postWindowMessage(parentWidget(), UM_SHOW_FRAME, 0, n);
}

void XListView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const int k = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        if (k > 0)
            leftPress(k, event->position().toPoint(), event->modifiers());
    } else if (event->button() == Qt::RightButton) {
        rightPressed_ = k;
        if (k > 0) {
            selectOnly(k - 1);
            anchor_ = k;
            showFrame(k);
            redraw();
        }
    }
}

void XListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second press in quick succession acts as a press.
    mousePressEvent(event);
}

void XListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        return;
    const int k = itemAt(event->position().toPoint());
    rightPressed_ = 0;
    if (k > 0)
        contextMenuAt(k, event->globalPosition().toPoint());
}

void XListView::leftPress(int k, const QPoint& pos, Qt::KeyboardModifiers mods)
{
    const StripItem& item = items_[size_t(k - 1)];
    // The rectangles were placed by the last paint at the first visible row.
    const int first = scrollPosition() / itemHeight_;
    const QPoint local(pos.x(), pos.y() + scrollPosition() - first * itemHeight_);
    if (item.delay.contains(local)) {
        openDelayEditor(k);
        return;
    }
    if (item.check.contains(local)) {
        flipIncludedFrom(k);
        return;
    }
    if (mods & Qt::ShiftModifier) {
        if (anchor_ == 0 || k == anchor_)
            return;
        const int lo = std::min(anchor_, k);
        const int hi = std::max(anchor_, k);
        for (int i = 0; i < count(); ++i)
            items_[size_t(i)].selected = i + 1 >= lo && i + 1 <= hi;
    } else if (mods & Qt::ControlModifier) {
        StripItem& it = items_[size_t(k - 1)];
        it.selected = !it.selected;
        if (it.selected)
            anchor_ = k;
        showFrame(anchor_);
    } else {
        selectOnly(k - 1);
        anchor_ = k;
        showFrame(k);
    }
    redraw();
}

void XListView::flipIncludedFrom(int k)
{
    StripItem& item = items_[size_t(k - 1)];
    const bool m = item.record && item.record->included();
    if (item.selected) {
        for (StripItem& it : items_)
            if (it.selected && it.record)
                it.record->setIncluded(!m);
    } else {
        selectOnly(k - 1);
        if (item.record)
            item.record->setIncluded(!m);
    }
    anchor_ = k;
    showFrame(k);
    redraw();
}

void XListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_PageDown:
            moveSelection(+1);
            return;
        case Qt::Key_Up:
        case Qt::Key_PageUp:
            moveSelection(-1);
            return;
        case Qt::Key_A:
            if (event->modifiers() & Qt::ControlModifier) {
                selectAll();
                redraw();
                return;
            }
            break;
        default:
            break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void XListView::moveSelection(int step)
{
    if (count() == 0)
        return;
    int s = 0;
    for (int i = 0; i < count(); ++i)
        if (items_[size_t(i)].selected)
            s = i;
    clearSelection();
    if (step > 0 && s < count() - 1)
        ++s;
    else if (step < 0 && s > 0)
        --s;
    items_[size_t(s)].selected = true;
    // Rows wholly or partly in view run from the first to the last visible one.
    const int first = scrollPosition() / itemHeight_;
    const int last = (scrollPosition() + std::max(1, viewport()->height()) - 1) / itemHeight_;
    if (s < first || s > last)
        scrollTo(s * itemHeight_);
    anchor_ = s + 1;
    showFrame(anchor_);
    redraw();
}

void XListView::wheelEvent(QWheelEvent* event)
{
    if ((long long)viewport()->height() >= (long long)count() * itemHeight_)
        return;
    const int delta = event->angleDelta().y();
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + (delta <= 0 ? itemHeight_ : -itemHeight_));
    event->accept();
}

void XListView::contextMenuAt(int k, const QPoint& globalPos)
{
    QMenu menu(this);
    QAction* save = menu.addAction(tr("保存该帧为静态图像"));
    QAction* del = menu.addAction(tr("删除/取消"));
    QAction* chosen = menuRunner_ ? menuRunner_(menu, globalPos) : menu.exec(globalPos);
    if (chosen == save)
        saveFrameAs(k);
    else if (chosen == del)
        emit deleteMenuRequested();
}

// --- operations ------------------------------------------------------------------

bool XListView::toggleSelectedIncluded()
{
    const bool changed = frameops::toggleIncluded(seq_, selectedIndices());
    redraw();
    return changed;
}

bool XListView::removeSelected()
{
    const std::vector<bool> flags = selectionFlags();
    if (!frameops::removeSelected(seq_, flags))
        return false;
    for (int i = count() - 1; i >= 0; --i)
        if (flags[size_t(i)])
            items_.erase(items_.begin() + i);
    resyncItems();
    layoutItems();
    scrollTo(0);
    anchor_ = 1;
    showFrame(1);
    redraw();
    return true;
}

void XListView::slower()
{
    frameops::slower(seq_);
    redraw();
}

void XListView::faster()
{
    frameops::faster(seq_);
    redraw();
}

void XListView::applyDelay(int k, int v)
{
    if (k < 1 || k > count())
        return;
    const int d = frameops::clampDelay(v);
    if (items_[size_t(k - 1)].selected) {
        frameops::setDelays(seq_, selectedIndices(), d);
    } else {
        selectOnly(k - 1);
        anchor_ = k;
        frameops::setDelays(seq_, {k - 1}, d);
        showFrame(k);
    }
    redraw();
}

void XListView::openDelayEditor(int k)
{
    if (k < 1 || k > count())
        return;
    if (delayEditor_)
        delayEditor_->commit();
    const int first = scrollPosition() / itemHeight_;
    const StripItemLayout layout = stripItemLayout(itemWidth(), UiScale());
    const QRect label =
        layout.delay.translated(0, (k - 1 - first) * itemHeight_ - scrollPosition() % itemHeight_);
    auto* edit = new CNumEdit(viewport());
    edit->setFrameNumber(k);
    edit->setFont(stripFont());
    edit->setAlignment(Qt::AlignRight);
    edit->setFrame(true);
    edit->setGeometry(label.left(), label.top(), 23, label.height());
    const FrameRecord* r = items_[size_t(k - 1)].record;
    edit->setText(QString::asprintf("%3d", r ? r->delay : 0));
    edit->selectAll();
    connect(edit, &CNumEdit::committed, this, [this](int frame, int value) { applyDelay(frame, value); });
    delayEditor_ = edit;
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
}

void XListView::saveFrameAs(int k)
{
    FileDialogOptions o;
    o.filter = QString::fromUtf8(kSaveFilter);
    o.defaultExt = QStringLiteral("bmp");  // a name typed without one is saved as BMP
    o.confirmOverwrite = true;
    const QString path = promptSaveFile(this, o);
    if (!path.isEmpty())
        saveFrameFile(k, path);
}

bool XListView::saveFrameFile(int k, const QString& path)
{
    if (k < 1 || k > count() || !items_[size_t(k - 1)].record)
        return false;
    const int type = imageTypeFromPath(path.toStdString());
    if (type != ImageTypeBmp && type != ImageTypeJpg && type != ImageTypePng) {
        qWarning("frame not saved: %s names no still-image format", qPrintable(path));
        return false;
    }
    const RasterImage* img = items_[size_t(k - 1)].record->image.get();
    return img && img->encodeFile(path.toStdString(), type);
}

void XListView::insertPictures(int p)
{
    FileDialogOptions o;
    o.filter = QString::fromUtf8(kOpenFilter);
    const QString path = promptOpenFile(this, o);
    if (!path.isEmpty())
        insertPictureFile(path, p);
}

bool XListView::insertPictureFile(const QString& path, int p)
{
    const std::string file = path.toStdString();
    RasterImage loaded;
    if (!loaded.decodeFile(file, imageTypeFromPath(file))) {
        qWarning("picture not inserted: %s: %s", qPrintable(path), loaded.lastError().c_str());
        return false;
    }
    p = std::clamp(p, 0, count());
    clearSelection();
    int W = 0;
    int H = 0;
    if (seq_.empty()) {
        W = loaded.width();
        H = loaded.height();
    } else {
        const RasterImage* first = seq_.FrameImage(1);
        W = first->width();
        H = first->height();
    }

    std::vector<std::unique_ptr<FrameRecord>> records;
    if (loaded.typeCode() == ImageTypeGif && loaded.numFrames() > 1) {
        std::unique_ptr<ModalProgress> progress = progress_ ? progress_() : nullptr;
        if (progress) {
            progress->beginModal(progressTitle(), false);
            progress->setRange(0, loaded.numFrames() + 2, 1);
            progress->setText(progressLoadingText());
            progress->advance();
        }
        loaded.destroy();
        AppendGifFramesFitted(path, W, H, progress.get(), records);
        for (auto& r : records)
            if (r && r->image && (r->image->width() != W || r->image->height() != H))
                r->image->resampleSmooth(W, H);
    } else if (auto canvas = frameops::fitPictureOnCanvas(loaded, W, H)) {
        records.push_back(FrameRecord::make(std::move(canvas), frameops::kInsertedDelay));
    }
    if (records.empty())
        return false;
    if (seq_.empty())
        seq_.SetFrameRectangle(0, 0, W, H, 0);
    const int inserted = frameops::insertRecords(seq_, p, std::move(records));
    if (inserted == 0)
        return false;
    StripItem fresh;
    fresh.selected = true;
    items_.insert(items_.begin() + p, size_t(inserted), fresh);
    for (int i = 0; i < count(); ++i)
        items_[size_t(i)].record = seq_.at(i);
    layoutItems();
    anchor_ = p + 1;
    showFrame(p + 1);
    redraw();
    return true;
}
