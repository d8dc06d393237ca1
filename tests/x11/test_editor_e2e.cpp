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
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
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

// Picks the menu item with `command` as soon as that pop-up menu is open.
void chooseFromPopup(int command)
{
    QTimer::singleShot(0, [command] {
        for (int i = 0; i < 200; ++i) {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions())
                    if (a->data().toInt() == command) {
                        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                        return;
                    }
            }
            QTest::qWait(10);
        }
    });
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
    capture.setWindowModality(Qt::ApplicationModal);
    capture.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&capture));
    QTest::qWait(100);
    const CaptureRect r = capture.controller().captureRect();
    RampWindow ramp(QRect(r.left, r.top, r.width(), r.height()));
    ramp.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ramp));
    QTest::qWait(200);

    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    ASSERT_EQ(capture.controller().state(), CaptureState::Recording);
    ASSERT_TRUE(waitUntil([&] { return capture.controller().frameCount() >= 8; }));
    QTest::mouseClick(capture.button(IDC_CAPTURE_START_STOP), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return capture.controller().state() == CaptureState::Stopped; }));

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
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* size = qobject_cast<CSizeDlg*>(QApplication::activeModalWidget())) {
            sizeSeen = true;
            QTest::mouseClick(size->okButton(), Qt::LeftButton);
            return;
        }
        auto* editor = qobject_cast<CAddTextDlg*>(QApplication::activeModalWidget());
        if (!editor || edited || !editor->isVisible())
            return;
        edited = true;
        driver.stop();
        XListView* strip = editor->strip();
        strip->renderToImage();
        // Frame 2, then Shift-click frame 3.
        const int ih = strip->itemHeight();
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, QPoint(60, ih + 30));
        QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 2 * ih + 30));
        chooseFromPopup(CAddTextDlg::CmdToggleDeleted);
        QTest::mouseClick(editor->button(IDC_EDITOR_DELETE_FRAMES), Qt::LeftButton);
        for (int i = 0; i < 2; ++i) {
            chooseFromPopup(CAddTextDlg::CmdSlower);
            QTest::mouseClick(editor->button(IDC_EDITOR_SPEED), Qt::LeftButton);
        }
        chooseFromPopup(CAddTextDlg::CmdReverse);
        QTest::mouseClick(editor->button(IDC_EDITOR_REVERSE), Qt::LeftButton);
        driver.start(20);  // now for the size dialog
        QTest::mouseClick(editor->button(IDC_EDITOR_GENERATE), Qt::LeftButton);
    });
    driver.start(20);
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
    gif.setRetrieveAllFrames(true);
    ASSERT_TRUE(
        gif.decodeFile(QFile::encodeName(capture.controller().outputPath()).toStdString(), ImageTypeGif))
        << gif.lastError();
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
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* editor = qobject_cast<CAddTextDlg*>(QApplication::activeModalWidget())) {
            reopened = true;
            EXPECT_EQ(editor->strip()->count(), keptFrames + 2);
            editor->reject();
        }
    });
    closer.start(20);
    // (the click returns when the modal editor has closed)
    QTest::mouseClick(capture.preview()->button(IDC_PREVIEW_EDIT), Qt::LeftButton);
    closer.stop();
    EXPECT_TRUE(reopened);
    EXPECT_FALSE(capture.preview()->isVisible());
    EXPECT_EQ(capture.controller().state(), CaptureState::Stopped);
    EXPECT_TRUE(capture.closeCapture());
}
