// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The progress window: layout, percentage in the title, modal state over the
// owner chain, remembered position and quit requests while pumping.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/caption_list.h"
#include "platform/control_id.h"
#include "platform/profile_store.h"
#include "share/progress_wnd.h"
#include "test_env.h"

namespace {

// The window frame is only known once a window is shown; centring is exact up
// to its width.
constexpr int kFrameSlack = 4;

void storePosition(int x, int y)
{
    QSettings store = profileStore();
    store.beginGroup(QStringLiteral("ProgressWndSettings"));
    if (x == -1 && y == -1) {
        store.remove(QString());
    } else {
        store.setValue(QStringLiteral("X"), x);
        store.setValue(QStringLiteral("Y"), y);
    }
    store.endGroup();
    store.sync();
}

QPoint storedPosition()
{
    QSettings store = profileStore();
    store.beginGroup(QStringLiteral("ProgressWndSettings"));
    return QPoint(store.value(QStringLiteral("X"), -1).toInt(), store.value(QStringLiteral("Y"), -1).toInt());
}

// Counts quit requests delivered to the application object.
class QuitCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Quit && watched == qApp) {
            ++count;
            return true;
        }
        return false;
    }
};

class ProgressWndTest : public ::testing::Test {
protected:
    void SetUp() override { storePosition(-1, -1); }
};

TEST_F(ProgressWndTest, LayoutFromMessageFontWithDisabledCancel)
{
    CProgressWnd wnd(nullptr, QStringLiteral("Progress"), false);
    QWidget* w = wnd.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isWindow());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress"));

    auto* label = findControlAs<QLabel>(w, CProgressWnd::kLabelId);
    auto* bar = findControlAs<QProgressBar>(w, CProgressWnd::kBarId);
    auto* cancel = findControlAs<QPushButton>(w, CProgressWnd::kCancelId);
    ASSERT_TRUE(label && bar && cancel);
    EXPECT_EQ(cancel->text(), QStringLiteral(" Cancel "));
    EXPECT_FALSE(cancel->isEnabled());

    const QRect l = label->geometry();
    const QRect b = cancel->geometry();
    const QRect p = bar->geometry();
    EXPECT_EQ(l.topLeft(), QPoint(10, 10));
    EXPECT_EQ(l.width(), 390);
    EXPECT_EQ(b.x() + b.width(), 400);  // right-aligned with the label
    EXPECT_EQ(b.y(), l.y() + l.height() + 10);
    EXPECT_EQ(p.x(), 10);
    EXPECT_EQ(p.x() + p.width(), b.x() - 10);
    EXPECT_GT(p.y(), b.y());
    EXPECT_LT(p.y() + p.height(), b.y() + b.height());
    EXPECT_EQ(w->width(), 410);
    EXPECT_EQ(w->height(), l.height() + b.height() + 30);
    // Four lines of the window's font fit the label.
    EXPECT_GE(l.height(), 4 * QFontMetrics(label->font()).lineSpacing() - 4);

    wnd.SetText("%s %d", "Loading...", 3);
    EXPECT_EQ(label->text(), QStringLiteral("Loading... 3"));
    wnd.SetText(QString(600, QChar('x')));
    EXPECT_EQ(label->text().size(), 511);
}

TEST_F(ProgressWndTest, PercentInTitleRoundsToNearest)
{
    CProgressWnd wnd(nullptr, QStringLiteral("Progress"), false);
    QWidget* w = wnd.window();

    // An empty range never shows a percentage.
    wnd.SetRange(0, 0, 1);
    wnd.SetPos(0);
    wnd.StepIt();
    wnd.SetPos(7);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress"));
    EXPECT_EQ(wnd.shownPercent(), 0);

    wnd.SetRange(0, 3, 1);
    wnd.SetPos(0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress"));
    wnd.SetPos(1);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress [33%]"));
    wnd.SetPos(2);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress [67%]"));
    EXPECT_TRUE(wnd.Advance());
    EXPECT_EQ(wnd.pos(), 3);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress [100%]"));

    // The import's range: n + 1 steps reach 100 %.
    wnd.SetRange(0, 5, 1);
    wnd.SetPos(0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress [0%]"));
    for (int i = 0; i < 5; ++i)
        wnd.Advance();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Progress [100%]"));

    wnd.Clear();
    EXPECT_EQ(wnd.pos(), 0);
    EXPECT_EQ(findControlAs<QLabel>(w, CProgressWnd::kLabelId)->text(), QString());

    // A hidden window shows itself again on a position change.
    wnd.Hide();
    EXPECT_FALSE(w->isVisible());
    wnd.OffsetPos(1);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ProgressWndTest, BeginModalDisablesOwnerChainUntilDestroyed)
{
    QWidget root;
    root.setGeometry(100, 100, 400, 300);
    root.show();
    QWidget dialog(&root, Qt::Dialog);
    dialog.show();
    QWidget* window = nullptr;
    {
        CProgressWnd wnd(&dialog, QStringLiteral("Progress"), false);
        window = wnd.window();
        ASSERT_TRUE(wnd.BeginModal(QStringLiteral("Progress"), false));
        EXPECT_TRUE(wnd.isModal());
        EXPECT_FALSE(root.isEnabled());
        EXPECT_FALSE(dialog.isEnabled());
        EXPECT_TRUE(wnd.window()->isEnabled());

        // A second BeginModal keeps the same window.
        ASSERT_TRUE(wnd.BeginModal(QStringLiteral("Other"), false));
        EXPECT_EQ(wnd.window(), window);
        EXPECT_EQ(wnd.window()->windowTitle(), QStringLiteral("Progress"));
    }
    EXPECT_TRUE(root.isEnabled());
    EXPECT_TRUE(dialog.isEnabled());

    // The walk stops below a window that is already disabled.
    root.setEnabled(false);
    dialog.setEnabled(true);
    {
        CProgressWnd wnd(&dialog, QStringLiteral("Progress"), false);
        wnd.BeginModal();
        EXPECT_FALSE(dialog.isEnabled());
    }
    EXPECT_FALSE(root.isEnabled());
    root.setEnabled(true);
    EXPECT_TRUE(dialog.isEnabled());
}

TEST_F(ProgressWndTest, BeginModalCreatesTheWindowWhenThereIsNone)
{
    CProgressWnd wnd;
    EXPECT_EQ(wnd.window(), nullptr);
    EXPECT_TRUE(wnd.Advance());  // nothing to do without a window
    ASSERT_TRUE(wnd.BeginModal(QStringLiteral("Progress"), false));
    ASSERT_NE(wnd.window(), nullptr);
    EXPECT_TRUE(wnd.window()->isVisible());
    QWidget* first = wnd.window();
    wnd.BeginModal();
    EXPECT_EQ(wnd.window(), first);
}

TEST_F(ProgressWndTest, PositionIsRememberedAndOffScreenIsCentred)
{
    QWidget owner;
    owner.setGeometry(100, 120, 500, 400);
    owner.show();

    {
        CProgressWnd wnd(&owner, QStringLiteral("Progress"), false);
        // Nothing stored: centred on the owner.
        const QPoint c = wnd.window()->frameGeometry().center();
        const QPoint o = owner.frameGeometry().center();
        EXPECT_LE(std::abs(c.x() - o.x()), kFrameSlack);
        EXPECT_LE(std::abs(c.y() - o.y()), kFrameSlack);
        wnd.window()->move(40, 50);
    }
    EXPECT_EQ(storedPosition(), QPoint(40, 50));
    {
        CProgressWnd wnd(&owner, QStringLiteral("Progress"), false);
        EXPECT_EQ(wnd.window()->pos(), QPoint(40, 50));
    }

    // A position beyond the screen (a display that went away) is not used.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    for (const QPoint stored :
         {QPoint(screen.width(), 10), QPoint(10, screen.height() + 300), QPoint(-5, 10)}) {
        storePosition(stored.x(), stored.y());
        CProgressWnd wnd(&owner, QStringLiteral("Progress"), false);
        const QPoint c = wnd.window()->frameGeometry().center();
        const QPoint o = owner.frameGeometry().center();
        EXPECT_LE(std::abs(c.x() - o.x()), kFrameSlack) << stored.x() << "," << stored.y();
        EXPECT_LE(std::abs(c.y() - o.y()), kFrameSlack) << stored.x() << "," << stored.y();
    }

    // Without the persistent flag nothing is read or written.
    storePosition(30, 30);
    {
        CProgressWnd wnd;
        wnd.SetPersistentPosition(false);
        wnd.Create(&owner, QStringLiteral("Progress"), false);
        EXPECT_NE(wnd.window()->pos(), QPoint(30, 30));
        wnd.window()->move(60, 60);
    }
    EXPECT_EQ(storedPosition(), QPoint(30, 30));
}

TEST_F(ProgressWndTest, QuitWhilePumpingIsPostedAgain)
{
    CProgressWnd wnd(nullptr, QStringLiteral("Progress"), false);
    wnd.BeginModal();
    wnd.SetRange(0, 10, 1);
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    EXPECT_TRUE(wnd.Advance());
    EXPECT_NE(wnd.window(), nullptr);

    // The request is waiting again for the application's own loop.
    QuitCounter counter;
    qApp->installEventFilter(&counter);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.count, 1);
}

TEST_F(ProgressWndTest, ApplicationStillQuitsAfterAnOperationThatPumped)
{
    const bool quitOnLast = qApp->quitOnLastWindowClosed();
    qApp->setQuitOnLastWindowClosed(false);
    int done = 0;
    QTimer::singleShot(0, qApp, [&done] {
        CProgressWnd wnd(nullptr, QStringLiteral("Progress"), false);
        wnd.BeginModal();
        wnd.SetRange(0, 6, 1);
        wnd.SetText("Loading...");
        for (int i = 0; i < 5; ++i) {
            if (i == 1)
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            wnd.Advance();
            ++done;
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    guard.start(10000);
    const int rc = QCoreApplication::exec();
    guard.stop();
    qApp->setQuitOnLastWindowClosed(quitOnLast);
    EXPECT_EQ(done, 5);  // the operation ran to its end
    EXPECT_EQ(rc, 0);    // and the quit request was not lost
}

TEST_F(ProgressWndTest, GifImportShowsProgressOverItsOwner)
{
    const std::string corpus = testenv::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "corpus not found";
    QWidget owner;
    owner.show();
    QPointer<QWidget> shown;
    QString lastTitle;
    bool ownerDisabled = false;
    CProgressWnd* made = nullptr;
    const ModalProgressFactory factory = [&]() -> std::unique_ptr<ModalProgress> {
        auto wnd = std::make_unique<CProgressWnd>(&owner, QStringLiteral("Progress"), false);
        made = wnd.get();
        shown = wnd->window();
        return wnd;
    };
    // Watch the window while the import advances it.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (shown) {
            lastTitle = shown->windowTitle();
            ownerDisabled = ownerDisabled || !owner.isEnabled();
        }
    });
    watch.start(0);
    FrameSequence seq;
    CaptionList captions;
    AppSettings settings;
    int count = 0;
    ASSERT_TRUE(ImportGifFile(QString::fromStdString(corpus + "/gif/ancell-animation/animation.gif"), seq,
                              captions, settings, factory, &count));
    watch.stop();
    EXPECT_EQ(count, 4);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(lastTitle.toStdString(), "Progress [100%]");  // 1 + 4 steps of 0..5, then the last pump
    EXPECT_TRUE(shown.isNull());                            // destroyed when the import ended
    EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
