// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// From recording through the editor to the GIF on a real X server: a window
// whose colour changes with the time lies under the capture frame; Start,
// Stop, "编辑", frames 2 and 3 deleted, slower twice, reversed in time,
// "生成动画", OK in the size dialog; the GIF has the kept frames in reverse
// order with their delays 2 hundredths longer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "capture_session.h"
#include "editor/add_text_dlg.h"
#include "editor/size_dlg.h"
#include "editor/x_list_view.h"
#include "imaging/raster_image.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/icon_button.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

// The whole window in one grey level that climbs by 8 every 25 ms, so every
// grabbed frame differs from the one before.
class RampWindow : public QWidget {
public:
    explicit RampWindow(QRect geometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint)
    {
        setGeometry(geometry);
        setAttribute(Qt::WA_OpaquePaintEvent);
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { repaint(); });
        timer_.start(25);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int level = int((clock_.elapsed() / 25) * 8 % 256);
        p.fillRect(rect(), QColor(level, 255 - level, 128));
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
};

int redOf(const RasterImage& img)
{
    return img.getColor(img.width() / 2, img.height() / 2).red;
}

}  // namespace

TEST(EditorEndToEnd, RecordEditDeleteSlowerReverseGenerate)
{
    SettingsFolder folder(
        "[POS]\nWndPosLeft=300\nWndPosTop=200\nWndPosEmptyWidth=120\nWndPosEmptyHeight=90\n"
        "[Param]\nRate1=10\nTopWnd=0\nMouse=0\nNotice=0\n");
    appSettings().outputScale = 1.0f;
    QCursor::setPos(5, 5);

    CCaptureDlg capture;
    ASSERT_TRUE(testenv::showCapture(capture));
    const QRect r = testenv::captureArea(capture);
    RampWindow ramp(r);
    ASSERT_TRUE(testenv::showAndSettle(ramp));

    ASSERT_TRUE(testenv::recordThenStop(capture, 8));

    // What the recording holds before editing.
    FrameSequence& seq = capture.controller().sequence();
    const int n = seq.count();
    ASSERT_GE(n, 6);
    std::vector<int> reds;
    std::vector<int> delays;
    std::vector<QImage> pictures;
    for (int i = 0; i < n; ++i) {
        reds.push_back(redOf(*seq.at(i)->image));
        delays.push_back(seq.at(i)->delay);
        pictures.push_back(seq.at(i)->image->toQImage());
    }

    // The editor is modal: drive it from a timer once it is up.
    bool edited = false;
    bool sizeSeen = false;
    testenv::ModalDriver driver;
    driver.on<CSizeDlg>([&](CSizeDlg& size) {
        sizeSeen = true;
        QTest::mouseClick(size.okButton(), Qt::LeftButton);
    });
    driver.once<CAddTextDlg>([&](CAddTextDlg& editor) {
        edited = true;
        XListView* strip = editor.strip();
        strip->renderToImage();
        // Frame 2, then Shift-click frame 3.
        const int ih = strip->itemHeight();
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, QPoint(60, ih + 30));
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 2 * ih + 30));
        auto pick = [&](int buttonId, int command) {
            testenv::pickFromMenu([&] { QTest::mouseClick(editor.button(buttonId), Qt::LeftButton); },
                                  command);
        };
        pick(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdToggleDeleted);
        for (int i = 0; i < 2; ++i)
            pick(IDC_EDITOR_SPEED, CAddTextDlg::CmdSlower);
        pick(IDC_EDITOR_REVERSE, CAddTextDlg::CmdReverse);
        QTest::mouseClick(editor.button(IDC_EDITOR_GENERATE), Qt::LeftButton);
    });
    driver.start();
    QTest::mouseClick(capture.button(IDC_CAPTURE_EDIT), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return capture.preview() && capture.preview()->isVisible(); }, 30000));
    driver.stop();
    EXPECT_TRUE(edited);
    EXPECT_TRUE(sizeSeen);
    EXPECT_EQ(capture.controller().state(), CaptureState::Stopped);

    // Expected: the kept frames (all but 2 and 3) in reverse order, each 2
    // hundredths slower.
    // On a loaded machine two grabs can see the same picture; generation
    // writes such neighbours as one frame with their delays added.
    std::vector<int> wantReds;
    std::vector<int> wantDelays;
    int keptFrames = 0;
    const QImage* previous = nullptr;
    for (int i = n - 1; i >= 0; --i)
        if (i != 1 && i != 2) {
            ++keptFrames;
            if (previous && *previous == pictures[size_t(i)]) {
                wantDelays.back() += delays[size_t(i)] + 2;
            } else {
                wantReds.push_back(reds[size_t(i)]);
                wantDelays.push_back(delays[size_t(i)] + 2);
            }
            previous = &pictures[size_t(i)];
        }

    RasterImage gif;
    ASSERT_TRUE(testenv::decodeAllFrames(gif, capture.controller().outputPath()));
    ASSERT_EQ(gif.retrievedFrameCount(), int(wantReds.size()));
    for (int i = 0; i < gif.retrievedFrameCount(); ++i) {
        const RasterImage* f = gif.frame(i);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->width(), r.width());
        EXPECT_NEAR(redOf(*f), wantReds[size_t(i)], 6) << "frame " << i;
        EXPECT_EQ(f->frameDelay(), wantDelays[size_t(i)]) << "frame " << i;
    }

    // The preview's "编辑" hides it and runs the editor again; Esc closes it and
    // the preview stays hidden, the state Stopped.
    bool reopened = false;
    testenv::ModalDriver closer;
    closer.on<CAddTextDlg>([&](CAddTextDlg& editor) {
        reopened = true;
        EXPECT_EQ(editor.strip()->count(), keptFrames + 2);
        editor.reject();
    });
    closer.start();
    // (the click returns when the modal editor has closed)
    QTest::mouseClick(capture.preview()->button(IDC_PREVIEW_EDIT), Qt::LeftButton);
    closer.stop();
    EXPECT_TRUE(reopened);
    EXPECT_FALSE(capture.preview()->isVisible());
    EXPECT_EQ(capture.controller().state(), CaptureState::Stopped);
    EXPECT_TRUE(capture.closeCapture());
}
