// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The editable list, offscreen: rows with item data, the shared editor laid
// over a cell, what ends an edit (Enter, Escape, focus, presses elsewhere, a
// scroll bar, another edit) and with which commit flag, Tab walking the cells,
// and the hook's use count.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <vector>

#include "editor/cell_edit_hook.h"
#include "editor/list_ctrl_ex.h"
#include "platform/window_message.h"
#include "res/resource.h"

namespace {

struct EndCall {
    int row;
    int column;
    QString text;  // the cell's text on entry
    void* data;
    bool commit;
    int scrollValue;  // the list's vertical scroll position at the time
};

struct Fixture {
    // Before the dialog: they outlive it.
    std::vector<int> data;
    std::vector<EndCall> ends;
    QDialog dlg;
    QLineEdit* before = nullptr;
    CListCtrlEx* list = nullptr;
    QLineEdit* after = nullptr;
    QPushButton* ok = nullptr;
    QLineEdit* editor = nullptr;
    int begins = 0;
    bool write = true;
    std::function<void()> duringEnd;  // what the owner does while an edit ends

    explicit Fixture(int rows = 3, int columns = 3)
    {
        auto* layout = new QVBoxLayout(&dlg);
        before = new QLineEdit(&dlg);
        list = new CListCtrlEx(&dlg);
        after = new QLineEdit(&dlg);
        ok = new QPushButton(QStringLiteral("OK"), &dlg);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dlg, &QDialog::accept);
        layout->addWidget(before);
        layout->addWidget(list);
        layout->addWidget(after);
        layout->addWidget(ok);
        editor = new QLineEdit(&dlg);
        editor->hide();
        for (int k = 0; k < columns; ++k)
            list->addColumn(QStringLiteral("col %1").arg(k), 80);
        data.resize(size_t(rows));
        for (int r = 0; r < rows; ++r) {
            data[size_t(r)] = r;
            const int row = list->insertItemRow(r, &data[size_t(r)]);
            for (int k = 0; k < columns; ++k)
                list->setCellText(row, k, QStringLiteral("r%1c%2").arg(r).arg(k));
        }
        list->setDefaultEditor(
            [this](QWidget* ed, int, int, QString& text, void*, CListCtrlEx*) {
                ++begins;
                auto* e = static_cast<QLineEdit*>(ed);
                e->setText(text);
                e->selectAll();
                return true;
            },
            [this](QWidget* ed, int row, int column, QString& text, void* d, CListCtrlEx* l, bool commit) {
                ends.push_back({row, column, text, d, commit, l->verticalScrollBar()->value()});
                if (duringEnd)
                    duringEnd();
                text = static_cast<QLineEdit*>(ed)->text();
                return write;
            },
            editor);
        dlg.resize(400, 300);
        dlg.show();
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    QPoint cellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void doubleClick(int row, int column)
    {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(row, column));
    }
    void retype(const QString& text)
    {
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
};

}  // namespace

TEST(ListCtrlEx, RowsCarryItemData)
{
    Fixture f(0, 2);
    int a = 1, b = 2, c = 3;
    EXPECT_EQ(f.list->insertItemRow(0, &a), 0);
    EXPECT_EQ(f.list->insertItemRow(0, &b), 0);  // newest on top
    EXPECT_EQ(f.list->insertItemRow(99, &c), 2);
    EXPECT_EQ(f.list->itemData(0), &b);
    EXPECT_EQ(f.list->findRow(&a), 1);
    EXPECT_EQ(f.list->findRow(&c), 2);
    EXPECT_EQ(f.list->findRow(nullptr), -1);
    EXPECT_EQ(f.list->itemData(7), nullptr);
    f.list->setItemData(2, &a);
    EXPECT_EQ(f.list->findRow(&a), 1);  // the first row carrying it
    EXPECT_TRUE(f.list->deleteItemRow(0));
    EXPECT_FALSE(f.list->deleteItemRow(5));
    EXPECT_EQ(f.list->findRow(&b), -1);
    f.list->selectAndFocusRow(1);
    EXPECT_EQ(f.list->selectedItemRow(), 1);
    EXPECT_EQ(f.list->currentRow(), 1);
    f.list->selectAndFocusRow(-1);
    EXPECT_EQ(f.list->selectedItemRow(), -1);
    EXPECT_EQ(f.list->horizontalHeader()->sectionSize(0), 80);
}

TEST(ListCtrlEx, DoubleClickLaysTheEditorOverTheCellAndEnterCommits)
{
    Fixture f;
    f.list->selectAndFocusRow(0);
    f.doubleClick(1, 2);
    ASSERT_TRUE(f.list->isEditing());
    EXPECT_EQ(f.list->editingRow(), 1);
    EXPECT_EQ(f.list->editingColumn(), 2);
    EXPECT_EQ(f.begins, 1);
    EXPECT_TRUE(f.editor->isVisible());
    EXPECT_TRUE(f.editor->hasFocus());
    EXPECT_EQ(f.editor->parentWidget(), f.list->viewport());
    EXPECT_EQ(f.editor->text(), QStringLiteral("r1c2"));
    EXPECT_EQ(f.list->selectedItemRow(), -1);  // rows deselected while editing
    const QRect cell = f.list->visualRect(f.list->model()->index(1, 2));
    EXPECT_EQ(f.editor->geometry().topLeft(), cell.topLeft());
    EXPECT_EQ(f.editor->height(), cell.height() + 1);
    EXPECT_LE(f.editor->geometry().x() + f.editor->width(), f.list->viewport()->width() - 4);
    EXPECT_TRUE(CellEditHook::instance()->isRegistered(f.editor));

    f.retype(QStringLiteral("new"));
    QTest::keyClick(f.editor, Qt::Key_Return);
    EXPECT_FALSE(f.list->isEditing());
    EXPECT_FALSE(f.editor->isVisible());
    EXPECT_FALSE(CellEditHook::instance()->isRegistered(f.editor));
    ASSERT_EQ(f.ends.size(), 1u);
    EXPECT_TRUE(f.ends[0].commit);
    EXPECT_EQ(f.ends[0].row, 1);
    EXPECT_EQ(f.ends[0].column, 2);
    EXPECT_EQ(f.ends[0].text, QStringLiteral("r1c2"));
    EXPECT_EQ(f.ends[0].data, &f.data[1]);
    EXPECT_EQ(f.list->cellText(1, 2), QStringLiteral("new"));
    EXPECT_TRUE(f.list->hasFocus());  // the focus stays in the list
    EXPECT_EQ(f.dlg.result(), 0);
    EXPECT_TRUE(f.dlg.isVisible());  // Enter did not reach the dialog
}

TEST(ListCtrlEx, EscapeCancelsWithoutClosingTheDialogAndRefusalsLeaveTheCell)
{
    Fixture f;
    ASSERT_TRUE(f.list->beginEdit(0, 0));
    f.retype(QStringLiteral("x"));
    QTest::keyClick(f.editor, Qt::Key_Escape);
    ASSERT_EQ(f.ends.size(), 1u);
    EXPECT_FALSE(f.ends[0].commit);
    EXPECT_TRUE(f.dlg.isVisible());
    // The callback decides: it wrote regardless of the flag here.
    EXPECT_EQ(f.list->cellText(0, 0), QStringLiteral("x"));

    f.write = false;
    ASSERT_TRUE(f.list->beginEdit(0, 1));
    f.retype(QStringLiteral("refused"));
    QTest::keyClick(f.editor, Qt::Key_Return);
    EXPECT_EQ(f.list->cellText(0, 1), QStringLiteral("r0c1"));

    // Out of range cells are refused.
    EXPECT_FALSE(f.list->beginEdit(3, 0));
    EXPECT_FALSE(f.list->beginEdit(0, 3));
    EXPECT_FALSE(f.list->beginEdit(-1, 0));
    EXPECT_FALSE(f.list->isEditing());
}

TEST(ListCtrlEx, EnterWithoutAnEditDoesNotReachTheDialog)
{
    Fixture f;
    QSignalSpy clicked(f.ok, &QPushButton::clicked);
    f.list->setFocus();
    QTest::keyClick(f.list, Qt::Key_Return);
    QTest::keyClick(f.list, Qt::Key_Enter);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(f.dlg.isVisible());
    EXPECT_TRUE(f.ends.empty());
}

TEST(ListCtrlEx, DoubleClickBelowTheLastRowEndsTheEditAndStartsNone)
{
    Fixture f;
    ASSERT_TRUE(f.list->beginEdit(1, 1));
    f.retype(QStringLiteral("kept"));
    const QRect last = f.list->visualRect(f.list->model()->index(2, 1));
    const QPoint below(last.center().x(), last.bottom() + 20);
    ASSERT_LT(below.y(), f.list->viewport()->height());
    QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_FALSE(f.list->isEditing());
    EXPECT_FALSE(f.editor->isVisible());
    ASSERT_EQ(f.ends.size(), 1u);
    EXPECT_TRUE(f.ends[0].commit);
    EXPECT_EQ(f.list->cellText(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(f.begins, 1);
}

TEST(ListCtrlEx, FocusLeavingOrAPressElsewhereCommits)
{
    Fixture f;
    ASSERT_TRUE(f.list->beginEdit(0, 0));
    f.retype(QStringLiteral("a"));
    f.after->setFocus();
    ASSERT_EQ(f.ends.size(), 1u);
    EXPECT_TRUE(f.ends[0].commit);
    EXPECT_EQ(f.list->cellText(0, 0), QStringLiteral("a"));

    ASSERT_TRUE(f.list->beginEdit(0, 1));
    f.retype(QStringLiteral("b"));
    QTest::mousePress(f.before, Qt::RightButton);  // right button too
    ASSERT_EQ(f.ends.size(), 2u);
    EXPECT_TRUE(f.ends[1].commit);
    EXPECT_EQ(f.list->cellText(0, 1), QStringLiteral("b"));

    // A press in the editor itself ends nothing.
    ASSERT_TRUE(f.list->beginEdit(0, 2));
    QTest::mouseClick(f.editor, Qt::LeftButton);
    EXPECT_TRUE(f.list->isEditing());
    // Another edit ends this one with commit 1 first.
    f.retype(QStringLiteral("c"));
    f.doubleClick(2, 0);
    ASSERT_EQ(f.ends.size(), 3u);
    EXPECT_TRUE(f.ends[2].commit);
    EXPECT_EQ(f.list->cellText(0, 2), QStringLiteral("c"));
    EXPECT_EQ(f.list->editingRow(), 2);
    // A message to the list ends it with the flag it carries; a second is ignored.
    sendWindowMessage(f.list, UM_END_CELL_EDIT, 0, 0);
    sendWindowMessage(f.list, UM_END_CELL_EDIT, 1, 0);
    ASSERT_EQ(f.ends.size(), 4u);
    EXPECT_FALSE(f.ends[3].commit);
}

TEST(ListCtrlEx, ScrollBarClickCommitsBeforeScrolling)
{
    Fixture f(40, 3);
    f.dlg.resize(400, 240);
    QCoreApplication::processEvents();
    QScrollBar* bar = f.list->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    ASSERT_TRUE(f.list->beginEdit(0, 0));
    const int before = bar->value();
    // A press in the scroll bar's page area below the slider.
    const QPoint at(bar->width() / 2, bar->height() - 30);
    QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    ASSERT_EQ(f.ends.size(), 1u);
    EXPECT_TRUE(f.ends[0].commit);
    EXPECT_EQ(f.ends[0].scrollValue, before);
    EXPECT_GT(bar->value(), before);
    EXPECT_FALSE(f.editor->isVisible());
}

TEST(ListCtrlEx, ADeletedRowGetsNoTextWritten)
{
    Fixture f;
    ASSERT_TRUE(f.list->beginEdit(1, 0));
    f.retype(QStringLiteral("stale"));
    ASSERT_TRUE(f.list->deleteItemRow(1));
    QTest::keyClick(f.editor, Qt::Key_Return);
    EXPECT_FALSE(f.list->isEditing());
    EXPECT_FALSE(f.editor->isVisible());
    EXPECT_TRUE(f.ends.empty());  // the owner's data of a deleted row is not handed out
    EXPECT_EQ(f.list->cellText(0, 0), QStringLiteral("r0c0"));
    EXPECT_EQ(f.list->cellText(1, 0), QStringLiteral("r2c0"));

    // Rows the owner inserts while an edit ends do not misdirect the text.
    int extra = 0;
    f.duringEnd = [&] { f.list->insertItemRow(0, &extra); };
    ASSERT_TRUE(f.list->beginEdit(1, 1));
    f.retype(QStringLiteral("moved"));
    QTest::keyClick(f.editor, Qt::Key_Return);
    EXPECT_EQ(f.list->cellText(2, 1), QStringLiteral("moved"));
    EXPECT_EQ(f.list->cellText(1, 1), QStringLiteral("r0c1"));
}

TEST(ListCtrlEx, TabWalksTheCellsAndLeavesTheListAtItsEnds)
{
    Fixture f(2, 3);
    ASSERT_TRUE(f.list->beginEdit(0, 2));
    QTest::keyClick(f.editor, Qt::Key_Tab);  // wraps to the next row
    EXPECT_EQ(f.list->editingRow(), 1);
    EXPECT_EQ(f.list->editingColumn(), 0);
    EXPECT_EQ(f.ends.size(), 1u);
    QTest::keyClick(f.editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.list->editingRow(), 0);
    EXPECT_EQ(f.list->editingColumn(), 2);

    // Off the last cell of the last row: the edit ends and the focus moves on.
    ASSERT_TRUE(f.list->beginEdit(1, 2));
    f.retype(QStringLiteral("last"));
    QTest::keyClick(f.editor, Qt::Key_Tab);
    EXPECT_FALSE(f.list->isEditing());
    EXPECT_EQ(f.list->cellText(1, 2), QStringLiteral("last"));
    EXPECT_TRUE(f.ends.back().commit);
    EXPECT_TRUE(f.after->hasFocus());

    // Off the first cell with Shift+Tab: to the control before the list.
    ASSERT_TRUE(f.list->beginEdit(0, 0));
    QTest::keyClick(f.editor, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(f.list->isEditing());
    EXPECT_TRUE(f.before->hasFocus());

    // Tab in the list with no valid cursor starts at the first cell.
    f.list->setFocus();
    QTest::keyClick(f.list, Qt::Key_Tab);
    EXPECT_EQ(f.list->editingRow(), 0);
    EXPECT_EQ(f.list->editingColumn(), 0);
    QTest::keyClick(f.editor, Qt::Key_Escape);
}

TEST(ListCtrlEx, WideCellsAreScrolledIntoViewAndTheEditorStopsShortOfTheEdge)
{
    Fixture f(0, 0);
    f.list->addColumn(QStringLiteral("a"), 300);
    f.list->addColumn(QStringLiteral("b"), 500);
    int data[2] = {};
    for (int r = 0; r < 2; ++r) {
        f.list->insertItemRow(r, &data[r]);
        for (int k = 0; k < 2; ++k)
            f.list->setCellText(r, k, QStringLiteral("x"));
    }
    f.dlg.resize(400, 300);
    QCoreApplication::processEvents();
    const int client = f.list->viewport()->width();
    ASSERT_LT(client, 500);
    ASSERT_TRUE(f.list->beginEdit(1, 1));
    // Wider than the list: its left edge is shown, the editor cut at width - 4.
    EXPECT_EQ(f.editor->x(), 0);
    EXPECT_EQ(f.editor->width(), client - 4);
    QTest::keyClick(f.editor, Qt::Key_Escape);
    ASSERT_TRUE(f.list->beginEdit(0, 0));
    EXPECT_EQ(f.editor->x(), 0);
    EXPECT_EQ(f.editor->width(), f.list->visualRect(f.list->model()->index(0, 0)).width());
    EXPECT_GE(f.editor->width(), 299);  // the cell, less its grid line
}

TEST(ListCtrlEx, HookIsInstalledWhileAListExists)
{
    const int base = CellEditHook::instance() ? CellEditHook::instance()->useCount() : 0;
    {
        auto a = std::make_unique<CListCtrlEx>();
        auto b = std::make_unique<CListCtrlEx>();
        ASSERT_NE(CellEditHook::instance(), nullptr);
        EXPECT_EQ(CellEditHook::instance()->useCount(), base + 2);
        a.reset();
        EXPECT_EQ(CellEditHook::instance()->useCount(), base + 1);
    }
    if (base == 0) {
        EXPECT_EQ(CellEditHook::instance(), nullptr);
    }

    // A destroyed editor is unregistered.
    CListCtrlEx list;
    auto* editor = new QLineEdit;
    CellEditHook::instance()->registerEditor(editor, &list);
    EXPECT_TRUE(CellEditHook::instance()->isRegistered(editor));
    delete editor;
    EXPECT_FALSE(CellEditHook::instance()->isRegistered(editor));
}
