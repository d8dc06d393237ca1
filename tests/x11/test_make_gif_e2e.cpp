// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// From recording to the preview on a real X server: a window showing a
// changing pattern lies under the capture frame; Start, Stop, GIF, OK in the
// size dialog, and the preview opens on a GIF whose frames show that pattern.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <optional>

#include "app/app_settings.h"
#include "capture/capture_dlg.h"
#include "capture/worker_thread.h"
#include "capture_session.h"
#include "editor/size_dlg.h"
#include "imaging/raster_image.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::ColourCycleWindow;
using testenv::SettingsFolder;
using testenv::waitUntil;

const std::vector<QColor> kColours = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255),
                                      QColor(255, 255, 0)};

int patternIndex(const RgbQuad& q)
{
    for (int i = 0; i < 4; ++i)
        if (std::abs(q.red - kColours[i].red()) <= 8 && std::abs(q.green - kColours[i].green()) <= 8 &&
            std::abs(q.blue - kColours[i].blue()) <= 8)
            return i;
    return -1;
}

}  // namespace

TEST(MakeGifEndToEnd, RecordStopGifOkPreview)
{
    SettingsFolder folder(
        "[POS]\nWndPosLeft=300\nWndPosTop=200\nWndPosEmptyWidth=160\nWndPosEmptyHeight=120\n"
        "[Param]\nRate1=10\nTopWnd=0\nMouse=0\nNotice=1\n");
    appSettings().outputScale = 1.0f;
    QCursor::setPos(5, 5);

    CCaptureDlg capture;  // the screen of this display
    ASSERT_TRUE(testenv::showCapture(capture));
    const QRect r = testenv::captureArea(capture);
    ASSERT_EQ(r.width(), 160);
    ASSERT_EQ(r.height(), 120);
    ColourCycleWindow pattern(r, kColours, ColourCycleWindow::Fill::LeftHalf);
    ASSERT_TRUE(testenv::showAndSettle(pattern));

    // Start, a second and a bit, Stop.
    ASSERT_TRUE(testenv::recordThenStop(capture, 12));

    // GIF, and OK in the size dialog.
    bool sizeDialogSeen = false;
    testenv::ModalDriver okPresser;
    okPresser.on<CSizeDlg>([&](CSizeDlg& dlg) {
        sizeDialogSeen = true;
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    });
    okPresser.start();
    QTest::mouseClick(capture.button(IDC_CAPTURE_GIF), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return capture.preview() && capture.preview()->isVisible(); }));
    okPresser.stop();
    EXPECT_TRUE(sizeDialogSeen);
    EXPECT_EQ(capture.controller().state(), CaptureState::Stopped);

    CPreviewDlg* preview = capture.preview();
    const QString gif = capture.controller().outputPath();
    EXPECT_EQ(preview->gifPath(), gif);
    EXPECT_EQ(preview->gifWidth(), 160);
    EXPECT_EQ(preview->gifHeight(), 120);
    EXPECT_TRUE(preview->infoText().contains(QStringLiteral(", 160*120, ")))
        << preview->infoText().toStdString();
    EXPECT_GE(preview->width(), 300);
    // It comes up active, so the keyboard goes to it rather than to the capture window.
    EXPECT_TRUE(QTest::qWaitForWindowActive(preview, 2000));

    // The GIF's frames show the pattern: the left half one of its colours
    // (several of them over the animation), the right half white.
    RasterImage image;
    ASSERT_TRUE(testenv::decodeAllFrames(image, gif));
    ASSERT_GE(image.retrievedFrameCount(), 2);
    QSet<int> colours;
    for (int i = 0; i < image.retrievedFrameCount(); ++i) {
        const RasterImage* f = image.frame(i);
        ASSERT_TRUE(f);
        ASSERT_EQ(f->width(), 160);
        const int left = patternIndex(f->getColor(40, 60));
        EXPECT_GE(left, 0) << "frame " << i;
        colours.insert(left);
        const RgbQuad right = f->getColor(120, 60);
        EXPECT_GE(std::min({right.red, right.green, right.blue}), 240) << "frame " << i;
    }
    EXPECT_GE(colours.size(), 3);

    // The preview takes input while the capture window is modal: Esc through
    // the window system hides it and keeps the file.
    QTest::keyClick(preview->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(waitUntil([&] { return !preview->isVisible(); }, 2000));
    EXPECT_TRUE(QFile::exists(gif));

    // The close box of the preview removes the file.
    preview->show();
    EXPECT_TRUE(preview->close());
    EXPECT_FALSE(QFile::exists(gif));
    EXPECT_TRUE(capture.closeCapture());
}
