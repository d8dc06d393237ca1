// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// From recording to the preview on a real X server: a window showing a
// changing pattern lies under the capture frame; Start, Stop, GIF, OK in the
// size dialog, and the preview opens on a GIF whose frames show that pattern.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/app_settings.h"
#include "capture/capture_dlg.h"
#include "capture/worker_thread.h"
#include "editor/size_dlg.h"
#include "imaging/raster_image.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

const QColor kColours[] = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255), QColor(255, 255, 0)};

// Left half changes colour every 100 ms; right half stays white.
class PatternWindow : public QWidget {
public:
    explicit PatternWindow(QRect geometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint)
    {
        setGeometry(geometry);
        setAttribute(Qt::WA_OpaquePaintEvent);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            step_ = (step_ + 1) % 4;
            repaint();
        });
        timer_.start(100);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width() / 2, height()), kColours[step_]);
        p.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), Qt::white);
    }

private:
    QTimer timer_;
    int step_ = 0;
};

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

    CCaptureDlg capture;                              // the screen of this display
    capture.setWindowModality(Qt::ApplicationModal);  // as the program runs it
    capture.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&capture));
    QTest::qWait(100);
    const CaptureRect r = capture.controller().captureRect();
    ASSERT_EQ(r.width(), 160);
    ASSERT_EQ(r.height(), 120);
    PatternWindow pattern(QRect(r.left, r.top, r.width(), r.height()));
    pattern.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pattern));
    QTest::qWait(200);

    // Start, a second and a bit, Stop.
    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    ASSERT_EQ(capture.controller().state(), CaptureState::Recording);
    ASSERT_TRUE(waitUntil([&] { return capture.controller().frameCount() >= 12; }));
    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return capture.controller().state() == CaptureState::Stopped; }));

    // GIF, and OK in the size dialog.
    bool sizeDialogSeen = false;
    QTimer okPresser;
    QObject::connect(&okPresser, &QTimer::timeout, [&] {
        if (auto* dlg = qobject_cast<CSizeDlg*>(QApplication::activeModalWidget())) {
            sizeDialogSeen = true;
            QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        }
    });
    okPresser.start(20);
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
    image.setRetrieveAllFrames(true);
    ASSERT_TRUE(image.decodeFile(QFile::encodeName(gif).toStdString(), ImageTypeGif)) << image.lastError();
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
