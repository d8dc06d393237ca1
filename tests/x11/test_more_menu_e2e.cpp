// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The More menu on a real X server: "更多" is pressed, "5帧/秒" and a
// pointer-track colour are chosen with the mouse; the next recording has
// delays of 20 and the coloured square under the pointer, and the settings
// file written when the window closes holds both choices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QTest>

#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "capture_session.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;

// Clicks `id` in the More menu, or in its submenu at `submenuIndex`.
void choose(CCaptureDlg& capture, int submenuIndex, int id)
{
    ASSERT_TRUE(testenv::pickFromMenu(
        [&] { QTest::mouseClick(capture.button(IDC_CAPTURE_MORE), Qt::LeftButton); }, id, submenuIndex));
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
        ASSERT_TRUE(testenv::showCapture(capture, false));
        const QRect r = testenv::captureArea(capture);
        testenv::ColourCycleWindow white(r, {Qt::white});
        ASSERT_TRUE(testenv::showAndSettle(white, 100));

        choose(capture, 0, ID_RATE_5);
        EXPECT_EQ(capture.controller().settings().rate1, 5);
        choose(capture, 4, ID_MOUSE_RED);
        EXPECT_EQ(capture.controller().settings().mouse, 2);

        const QPoint pointer(r.left() + r.width() / 2, r.top() + r.height() / 2);
        QCursor::setPos(pointer);
        ASSERT_TRUE(testenv::recordThenStop(capture, 3, 5000));

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
