// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CNumEdit: digits and Backspace only, the committed value and its limits,
// commit on Enter, Esc and focus loss exactly once, then gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/ui_scale.h"
#include "widgets/num_edit.h"
#include "widgets/num_edit_value.h"

namespace {

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool waitForFocus(QWidget* w)
{
    for (int i = 0; i < 100 && !w->hasFocus(); ++i)
        QTest::qWait(10);
    return w->hasFocus();
}

// A window with the edit (as the frame strip creates it) and another control
// to take the focus.
struct EditWindow {
    QDialog window;
    QPointer<CNumEdit> edit;
    QLineEdit* other = nullptr;
    QPushButton* defaultButton = nullptr;
    std::vector<std::pair<int, int>> commits;

    explicit EditWindow(const QString& start, int frame = 3)
    {
        window.resize(200, 100);
        other = new QLineEdit(&window);
        other->setGeometry(100, 10, 80, 20);
        defaultButton = new QPushButton(QStringLiteral("OK"), &window);
        defaultButton->setGeometry(100, 50, 80, 20);
        defaultButton->setDefault(true);
        edit = new CNumEdit(&window);
        edit->setGeometry(10, 10, 23, 16);
        edit->setFrameNumber(frame);
        QObject::connect(edit, &CNumEdit::committed, [this](int f, int v) { commits.emplace_back(f, v); });
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        edit->setText(QString::asprintf("%3d", start.toInt()));
        if (start.isEmpty())
            edit->clear();
        edit->selectAll();
    }
};

}  // namespace

TEST(NumEditValue, ReadAndClamped)
{
    const std::pair<const char*, int> cases[] = {
        {"", 1},
        {"0", 1},
        {"  5", 5},
        {"999", 999},
        {"998", 998},
        {"1000", 999},
        {"1500", 999},
        {"-3", 1},
        {"abc", 1},
        {"12ab", 12},
        {"99999999999999999999999", 999},
        {"  20", 20},
        {"1", 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(numEditValue(QString::fromLatin1(text)), value) << '"' << text << '"';
}

TEST(NumEdit, FontAndLook)
{
    const float before = UiScale();
    setUiScale(1.5f);
    CNumEdit edit;
    setUiScale(before);
    EXPECT_EQ(edit.font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(edit.font().weight(), QFont::Normal);
    const QFontMetrics fm(edit.font());
    EXPECT_LE(fm.ascent() + fm.descent(), 18);  // 12 x 1.5
    EXPECT_GE(edit.font().pixelSize(), 12);
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
    EXPECT_EQ(edit.frameNumber(), 1);
}

TEST(NumEdit, OnlyDigitsAndBackspaceReachTheText)
{
    EditWindow w(QStringLiteral("20"));
    ASSERT_TRUE(waitForFocus(w.edit));
    EXPECT_EQ(w.edit->text(), QStringLiteral(" 20"));
    QTest::keyClicks(w.edit, QStringLiteral("a"));
    EXPECT_EQ(w.edit->text(), QStringLiteral(" 20")) << "a letter leaves the text (and its selection) alone";
    QTest::keyClicks(w.edit, QStringLiteral("4x5 -.7"));
    EXPECT_EQ(w.edit->text(), QStringLiteral("457"));
    QTest::keyClick(w.edit, Qt::Key_Backspace);
    EXPECT_EQ(w.edit->text(), QStringLiteral("45"));
    EXPECT_TRUE(w.commits.empty());
}

TEST(NumEdit, TypedValuesCommitClamped)
{
    const std::pair<const char*, int> cases[] = {{"1500", 999}, {"999", 999}, {"0", 1}, {"", 1}, {"42", 42}};
    for (const auto& [typed, expected] : cases) {
        EditWindow w(QStringLiteral("10"), 5);
        ASSERT_TRUE(waitForFocus(w.edit));
        QTest::keyClick(w.edit, Qt::Key_Backspace);  // clears the selected text
        QTest::keyClicks(w.edit, QString::fromLatin1(typed));
        QTest::keyClick(w.edit, Qt::Key_Return);
        flushDeletes();
        ASSERT_EQ(w.commits.size(), 1u) << typed;
        EXPECT_EQ(w.commits[0], std::make_pair(5, expected)) << typed;
    }
}

TEST(NumEdit, EnterCommitsOnceAndTheEditGoes)
{
    EditWindow w(QStringLiteral("7"));
    ASSERT_TRUE(waitForFocus(w.edit));
    QSignalSpy accepted(&w.window, &QDialog::accepted);
    QTest::keyClicks(w.edit, QStringLiteral("12"));
    QTest::keyClick(w.edit, Qt::Key_Return);
    // The edit hides (the focus moves on) and is deleted: still one commit.
    flushDeletes();
    EXPECT_TRUE(w.edit.isNull());
    ASSERT_EQ(w.commits.size(), 1u);
    EXPECT_EQ(w.commits[0], std::make_pair(3, 12));
    EXPECT_EQ(accepted.count(), 0) << "Enter must not reach the dialog";
    EXPECT_TRUE(w.window.isVisible());
}

TEST(NumEdit, EscCommitsToo)
{
    EditWindow w(QStringLiteral("7"));
    ASSERT_TRUE(waitForFocus(w.edit));
    QSignalSpy rejected(&w.window, &QDialog::rejected);
    QTest::keyClicks(w.edit, QStringLiteral("30"));
    QTest::keyClick(w.edit, Qt::Key_Escape);
    flushDeletes();
    ASSERT_EQ(w.commits.size(), 1u);
    EXPECT_EQ(w.commits[0].second, 30);
    EXPECT_EQ(rejected.count(), 0) << "Esc must not close the dialog";
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_TRUE(w.edit.isNull());
}

TEST(NumEdit, FocusLossCommitsLikeEnter)
{
    EditWindow w(QStringLiteral("7"));
    ASSERT_TRUE(waitForFocus(w.edit));
    QTest::keyClicks(w.edit, QStringLiteral("15"));
    w.other->setFocus(Qt::MouseFocusReason);
    flushDeletes();
    ASSERT_EQ(w.commits.size(), 1u);
    EXPECT_EQ(w.commits[0], std::make_pair(3, 15));
    EXPECT_TRUE(w.edit.isNull());
}

TEST(NumEdit, OwnerDeletingTheEditInItsHandlerIsSafe)
{
    EditWindow w(QStringLiteral("7"));
    QObject::connect(w.edit, &CNumEdit::committed, [&w](int, int) { delete w.edit.data(); });
    w.edit->commit();
    flushDeletes();
    EXPECT_TRUE(w.edit.isNull());
    EXPECT_EQ(w.commits.size(), 1u);
}
