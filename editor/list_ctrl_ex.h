// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A report-style list whose cells are edited in place: double-clicking a cell
// lays the owner's editor widget over it, and when editing ends the owner's
// callback decides what the cell and the owner's data become.
//
// Rows carry the owner's item data (a pointer) and can be found by it. One
// editor widget, owned by the owner and only hidden between edits, serves
// every cell. Editing starts by a double-click on a cell, by beginEdit(), or
// by Tab / Shift+Tab, which walk the cells in row order with wrapping and
// leave the list at its ends. It ends by Enter, by another edit starting, or
// through CellEditHook (Escape, the focus leaving the editor, a press or wheel
// turn elsewhere), which sends UM_END_CELL_EDIT (wParam: commit). Ending is
// idempotent: the editor is unregistered from the hook first, under the
// list's lock, so a focus loss and a key or click arriving together end it
// once. Enter pressed in the list never reaches the dialog.
#include <QTableWidget>
#include <functional>
#include <mutex>

class QWidget;

class CListCtrlEx : public QTableWidget {
    Q_OBJECT
public:
    // begin-edit(editor, row, column, text, item data, list) -> accept: may
    // change the text and prepare the editor (contents, selection, input rules).
    using BeginEditFn = std::function<bool(QWidget* editor, int row, int column, QString& text, void* data,
                                           CListCtrlEx* list)>;
    // end-edit(editor, row, column, text, item data, list, commit) -> write:
    // the text holds the cell's text on entry; the callback reads the editor,
    // updates the owner's data and leaves in `text` what the cell should show.
    // It is not called when the edited row was deleted meanwhile.
    using EndEditFn = std::function<bool(QWidget* editor, int row, int column, QString& text, void* data,
                                         CListCtrlEx* list, bool commit)>;

    explicit CListCtrlEx(QWidget* parent = nullptr);
    ~CListCtrlEx() override;

    void setDefaultEditor(BeginEditFn beginEdit, EndEditFn endEdit, QWidget* editor);
    QWidget* editor() const { return editor_; }

    void addColumn(const QString& heading, int width);
    // Inserts a row at `row` (clamped to 0..rowCount) with empty cells; returns
    // its index.
    int insertItemRow(int row, void* data);
    void setCellText(int row, int column, const QString& text);
    QString cellText(int row, int column) const;
    void setItemData(int row, void* data);
    void* itemData(int row) const;
    int findRow(const void* data) const;  // -1 when no row carries it
    bool deleteItemRow(int row);
    // Selects exactly this row and gives it the focus mark (-1: none).
    void selectAndFocusRow(int row);
    int selectedItemRow() const;  // -1 when none

    bool beginEdit(int row, int column);
    void endEdit(bool commit);
    bool isEditing() const { return editKey_ != 0; }
    int editingRow() const;
    int editingColumn() const { return isEditing() ? editColumn_ : -1; }

signals:
    // A left or right click on the list; row -1 below the last row.
    void rowClicked(int row, Qt::MouseButton button);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    int rowOfKey(quint64 key) const;
    quint64 keyOfRow(int row) const;
    // Moves the Tab cursor and begins editing there; false when it ran off the
    // end of the list.
    bool tabToNextCell(bool backward);
    // Tab that ran off the list: the focus goes on to the dialog's next control.
    void leaveList(bool backward);
    QRect editorRect(int row, int column);
    QString editorText() const;
    void setEditorText(const QString& text);

    BeginEditFn beginEdit_;
    EndEditFn endEdit_;
    QWidget* editor_ = nullptr;

    quint64 nextKey_ = 1;
    quint64 editKey_ = 0;  // row being edited, 0 when none
    int editColumn_ = -1;
    int tabRow_ = -1;  // the last edited cell (the Tab cursor)
    int tabColumn_ = -1;
    std::recursive_mutex lock_;
};
