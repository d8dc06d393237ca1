// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The More menu on a real X server: "更多" is pressed, "5帧/秒" and a
// pointer-track colour are chosen with the mouse; the next recording has
// delays of 20 and the coloured square under the pointer, and the settings
// file written when the window closes holds both choices.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

class WhiteWindow : public QWidget {
public:
    explicit WhiteWindow(QRect geometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint)
    {
        setGeometry(geometry);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
};

// Clicks through the open popup menus: first the item `path[0]` of the menu
// (a submenu), then `id` in that submenu.
class MenuClicker {
public:
    MenuClicker(int submenuIndex, int id) : submenuIndex_(submenuIndex), id_(id)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start(50);
    }
    bool done() const { return done_; }

private:
    void step()
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || done_)
            return;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator() && a->data().toInt() == id_) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                done_ = true;
                return;
            }
        }
        const QList<QAction*> actions = menu->actions();
        if (submenuIndex_ < actions.size() && actions[submenuIndex_]->menu()) {
            QTest::mouseMove(menu, menu->actionGeometry(actions[submenuIndex_]).center());
            menu->setActiveAction(actions[submenuIndex_]);
        }
    }

    QTimer timer_;
    int submenuIndex_;
    int id_;
    bool done_ = false;
};

void choose(CCaptureDlg& capture, int submenuIndex, int id)
{
    MenuClicker clicker(submenuIndex, id);
    QTest::mouseClick(capture.button(IDC_CAPTURE_MORE), Qt::LeftButton);  // returns once the menu has closed
    ASSERT_TRUE(clicker.done());
}
}  // namespace

TEST(MoreMenuEndToEnd, RateAndPointerTrackChosenFromTheMenu)
{
    SettingsFolder folder(
        "[POS]\nWndPosLeft=300\nWndPosTop=200\nWndPosEmptyWidth=200\nWndPosEmptyHeight=160\n"
        "[Param]\nRate1=20\nTopWnd=0\nMouse=0\n");
    QCursor::setPos(5, 5);
    {
        CCaptureDlg capture;
        capture.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&capture));
        const CaptureRect r = capture.controller().captureRect();
        WhiteWindow white(QRect(r.left, r.top, r.width(), r.height()));
        white.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&white));
        QTest::qWait(100);

        choose(capture, 0, ID_RATE_5);
        EXPECT_EQ(capture.controller().settings().rate1, 5);
        choose(capture, 4, ID_MOUSE_RED);
        EXPECT_EQ(capture.controller().settings().mouse, 2);

        const QPoint pointer(r.left + r.width() / 2, r.top + r.height() / 2);
        QCursor::setPos(pointer);
        QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return capture.controller().frameCount() >= 3; }, 5000));
        QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return capture.controller().state() == CaptureState::Stopped; }));

        const FrameSequence& seq = capture.controller().sequence();
        const RasterImage* first = seq.FrameImage(1);
        ASSERT_NE(first, nullptr);
        for (int i = 0; i < seq.count(); ++i)
            EXPECT_EQ(seq.at(i)->delay, 20) << "frame " << i;
        // Magenta at 100/255 over white, left of the pointer picture.
        const QColor c = first->toQImage().pixelColor(r.width() / 2 - 15, r.height() / 2 + 15);
        EXPECT_GE(c.red(), 245);
        EXPECT_NEAR(c.green(), 155, 12);
        EXPECT_GE(c.blue(), 245);
        capture.closeCapture();
    }
    const QString ini = folder.readIni();
    EXPECT_TRUE(ini.contains(QStringLiteral("Rate1=5"))) << ini.toStdString();
    EXPECT_TRUE(ini.contains(QStringLiteral("Mouse=2"))) << ini.toStdString();
}
