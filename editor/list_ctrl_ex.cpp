// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/list_ctrl_ex.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "editor/cell_edit_hook.h"
#include "platform/window_message.h"
#include "res/resource.h"

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
// The editor stops this far left of the client area's right edge.
constexpr int kRightMargin = 4;

bool isTab(const QKeyEvent* k)
{
    return (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
           !(k->modifiers() & Qt::ControlModifier);
}
bool isBackTab(const QKeyEvent* k)
{
    return k->key() == Qt::Key_Backtab || (k->modifiers() & Qt::ShiftModifier);
}
bool isEnter(const QKeyEvent* k)
{
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}
}  // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTableWidget(parent)
{
    CellEditHook::acquire();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The selection shows also while the list does not have the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
}

CListCtrlEx::~CListCtrlEx()
{
    // An edit still open is dropped: no callback runs while the list goes away.
    beginEdit_ = nullptr;
    endEdit_ = nullptr;
    if (editor_) {
        if (CellEditHook* hook = CellEditHook::instance())
            hook->unregisterEditor(editor_);
        editor_->removeEventFilter(this);
        disconnect(editor_, nullptr, this, nullptr);
    }
    CellEditHook::release();
}

void CListCtrlEx::setDefaultEditor(BeginEditFn beginEdit, EndEditFn endEdit, QWidget* editor)
{
    if (editor_)
        editor_->removeEventFilter(this);
    beginEdit_ = std::move(beginEdit);
    endEdit_ = std::move(endEdit);
    editor_ = editor;
    if (editor_) {
        editor_->installEventFilter(this);
        connect(editor_, &QObject::destroyed, this, [this] {
            editor_ = nullptr;
            editKey_ = 0;
        });
    }
}

void CListCtrlEx::addColumn(const QString& heading, int width)
{
    const int k = columnCount();
    setColumnCount(k + 1);
    setHorizontalHeaderItem(k, new QTableWidgetItem(heading));
    setColumnWidth(k, width);
    for (int r = 0; r < rowCount(); ++r)
        setItem(r, k, new QTableWidgetItem);
}

int CListCtrlEx::insertItemRow(int row, void* data)
{
    row = std::clamp(row, 0, rowCount());
    insertRow(row);
    for (int k = 0; k < columnCount(); ++k) {
        auto* cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, k, cell);
    }
    if (QTableWidgetItem* first = item(row, 0)) {
        first->setData(kDataRole, QVariant::fromValue(quintptr(data)));
        first->setData(kKeyRole, QVariant::fromValue(nextKey_++));
    }
    return row;
}

void CListCtrlEx::setCellText(int row, int column, const QString& text)
{
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
}

QString CListCtrlEx::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CListCtrlEx::setItemData(int row, void* data)
{
    if (QTableWidgetItem* first = item(row, 0))
        first->setData(kDataRole, QVariant::fromValue(quintptr(data)));
}

void* CListCtrlEx::itemData(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? reinterpret_cast<void*>(first->data(kDataRole).value<quintptr>()) : nullptr;
}

int CListCtrlEx::findRow(const void* data) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (itemData(r) == data)
            return r;
    return -1;
}

quint64 CListCtrlEx::keyOfRow(int row) const
{
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kKeyRole).value<quint64>() : 0;
}

int CListCtrlEx::rowOfKey(quint64 key) const
{
    if (key == 0)
        return -1;
    for (int r = 0; r < rowCount(); ++r)
        if (keyOfRow(r) == key)
            return r;
    return -1;
}

int CListCtrlEx::editingRow() const
{
    return rowOfKey(editKey_);
}

bool CListCtrlEx::deleteItemRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    removeRow(row);
    return true;
}

void CListCtrlEx::selectAndFocusRow(int row)
{
    clearSelection();
    if (row < 0 || row >= rowCount())
        return;
    selectRow(row);
    setCurrentCell(row, 0, QItemSelectionModel::NoUpdate);
}

int CListCtrlEx::selectedItemRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString CListCtrlEx::editorText() const
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor_))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(editor_))
        return combo->currentText();
    return editor_ ? editor_->property("text").toString() : QString();
}

void CListCtrlEx::setEditorText(const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor_))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(editor_))
        combo->setCurrentText(text);
    else if (editor_)
        editor_->setProperty("text", text);
}

QRect CListCtrlEx::editorRect(int row, int column)
{
    // The row made visible, the horizontal position kept.
    QScrollBar* h = horizontalScrollBar();
    const int keep = h->value();
    scrollTo(model()->index(row, column), QAbstractItemView::EnsureVisible);
    h->setValue(keep);

    const int clientWidth = viewport()->width();
    QRect r = visualRect(model()->index(row, column));
    if (r.x() + r.width() > clientWidth) {
        // Wider than the list: show its left edge; else bring its right edge in.
        if (r.width() > clientWidth)
            h->setValue(h->value() + r.x());
        else
            h->setValue(h->value() + (r.x() + r.width() - clientWidth));
    }
    r = visualRect(model()->index(row, column));
    if (r.x() < 0)
        h->setValue(h->value() + r.x());
    r = visualRect(model()->index(row, column));
    const int right = std::min(r.x() + r.width(), clientWidth - kRightMargin);
    r.setWidth(std::max(0, right - r.x()));
    return r;
}

bool CListCtrlEx::beginEdit(int row, int column)
{
    // End what is being edited; that may change the rows, so find this one again.
    const quint64 key = keyOfRow(row);
    endEdit(true);
    row = rowOfKey(key);
    if (row < 0 || column < 0 || column >= columnCount())
        return false;

    QString text = cellText(row, column);
    if (!editor_)
        return false;
    if (beginEdit_ && !beginEdit_(editor_, row, column, text, itemData(row), this))
        return false;
    if (!editor_)
        return false;
    editKey_ = key;
    editColumn_ = column;
    tabRow_ = row;
    tabColumn_ = column;

    clearSelection();
    if (!beginEdit_)
        setEditorText(text);

    if (editor_->parentWidget() != viewport())
        editor_->setParent(viewport());
    const QRect r = editorRect(row, column);
    editor_->setGeometry(r.x(), r.y(), r.width(), r.height() + 1);
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::OtherFocusReason);
    if (CellEditHook* hook = CellEditHook::instance())
        hook->registerEditor(editor_, this);
    return true;
}

void CListCtrlEx::endEdit(bool commit)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    CellEditHook* hook = CellEditHook::instance();
    if (!editor_ || !hook || !hook->unregisterEditor(editor_))
        return;

    // Keep the focus in the list when it was in the editor (Enter, Escape,
    // Tab); otherwise it has gone elsewhere already.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && CellEditHook::isInside(focus, editor_))
        setFocus(Qt::OtherFocusReason);
    editor_->hide();

    const quint64 key = editKey_;
    const int row = rowOfKey(key);
    const int column = editColumn_;
    editKey_ = 0;
    editColumn_ = -1;
    if (row < 0)
        return;  // the row was deleted meanwhile: nothing to write, no one to tell

    QString text = cellText(row, column);
    bool write = commit;
    if (endEdit_)
        write = endEdit_(editor_, row, column, text, itemData(row), this, commit);
    else
        text = editorText();
    // The callback may have changed the rows.
    const int rowNow = rowOfKey(key);
    if (write && rowNow >= 0)
        setCellText(rowNow, column, text);
    viewport()->update();
}

bool CListCtrlEx::tabToNextCell(bool backward)
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows <= 0 || columns <= 0)
        return false;
    int r = tabRow_;
    int c = tabColumn_;
    bool start = r < 0 || r >= rows || c < 0 || c >= columns;
    for (int tries = 0; tries <= rows * columns; ++tries) {
        if (start) {
            r = backward ? rows - 1 : 0;
            c = backward ? columns - 1 : 0;
            start = false;
        } else if (backward) {
            if (--c < 0) {
                c = columns - 1;
                if (--r < 0)
                    break;
            }
        } else if (++c >= columns) {
            c = 0;
            if (++r >= rows)
                break;
        }
        if (beginEdit(r, c))
            return true;
        if (rowCount() != rows)
            break;  // the rows changed while ending the last edit
    }
    tabRow_ = tabColumn_ = -1;
    return false;
}

void CListCtrlEx::leaveList(bool backward)
{
    // The focus goes to the list first (ending any edit through the hook), and
    // from there to the dialog's next or previous control.
    if (!hasFocus())
        setFocus(Qt::TabFocusReason);
    endEdit(true);
    QWidget::focusNextPrevChild(!backward);
}

bool CListCtrlEx::event(QEvent* e)
{
    if (const WindowMessage* m = asWindowMessage(e)) {
        if (m->id() == UM_END_CELL_EDIT) {
            endEdit(m->wParam() != 0);
            return true;
        }
        return QTableWidget::event(e);
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (isTab(k)) {
            const bool backward = isBackTab(k);
            if (!tabToNextCell(backward))
                leaveList(backward);
            return true;
        }
    }
    return QTableWidget::event(e);
}

bool CListCtrlEx::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == editor_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (isTab(k)) {
            // Handed to the list.
            const bool backward = isBackTab(k);
            if (!tabToNextCell(backward))
                leaveList(backward);
            return true;
        }
        if (isEnter(k)) {
            endEdit(true);
            return true;
        }
    }
    return QTableWidget::eventFilter(watched, e);
}

void CListCtrlEx::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e)) {
        endEdit(true);
        e->accept();  // never the dialog's default button
        return;
    }
    QTableWidget::keyPressEvent(e);
}

void CListCtrlEx::mousePressEvent(QMouseEvent* e)
{
    QTableWidget::mousePressEvent(e);
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(e->position().toPoint());
        emit rowClicked(index.isValid() ? index.row() : -1, e->button());
    }
}

void CListCtrlEx::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QModelIndex index = indexAt(e->position().toPoint());
    if (!index.isValid()) {
        endEdit(true);
        return;
    }
    beginEdit(index.row(), index.column());
}
