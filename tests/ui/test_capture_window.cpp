// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The capture window and its bars, offscreen: placement from the settings,
// drags with their limits, nothing moving while recording, labels, blink,
// Start/Stop with the worker, topmost, and the close sequence.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextStream>
#include <QTimer>
#include <optional>

#include "../imaging/gif_test_writer.h"
#include "app/app_settings.h"
#include "capture/bottom_dialog.h"
#include "capture/capture_dlg.h"
#include "capture/left_dialog.h"
#include "capture/right_dialog.h"
#include "capture/worker_thread.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_list.h"
#include "imaging/raster_image.h"
#include "platform/screen_grabber.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "settings_folder.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

class SolidGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        std::vector<uint8_t> bgrx(size_t(rect.width()) * size_t(rect.height()) * 4, 0x40);
        return out.fromScreenBits(bgrx.data(), rect.width(), rect.height(), size_t(rect.width()) * 4);
    }
    bool canGrab() const override { return true; }
};

std::unique_ptr<CCaptureDlg> makeWindow()
{
    auto dlg = std::make_unique<CCaptureDlg>(std::make_unique<SolidGrabber>());
    dlg->show();
    QCoreApplication::processEvents();  // the posted UM_LAYOUT_BARS
    return dlg;
}

void mouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPoint global = w->geometry().topLeft() + local;
    QMouseEvent ev(type, QPointF(local), QPointF(global), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}

// Press at `from`, move to `to` (both in the widget's client coordinates, so
// `to` may lie outside it), release.
void drag(QWidget* w, QPoint from, QPoint to)
{
    mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

TEST(CaptureWindow, DefaultPlacement)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    EXPECT_EQ(dlg->geometry(), QRect(300, 200, 320, 60));
    EXPECT_EQ(dlg->leftBar()->geometry(), QRect(300, 260, 5, 250));
    EXPECT_EQ(dlg->rightBar()->geometry(), QRect(615, 260, 5, 250));
    EXPECT_EQ(dlg->bottomBar()->geometry(), QRect(300, 510, 320, 40));
    EXPECT_TRUE(dlg->leftBar()->isVisible());
    EXPECT_TRUE(dlg->bottomBar()->isVisible());
    EXPECT_EQ(dlg->controller().captureRect(), (CaptureRect{305, 260, 615, 510}));
    EXPECT_EQ(dlg->controller().state(), CaptureState::Idle);
    EXPECT_TRUE(dlg->isTopmost());
    EXPECT_EQ(dlg->bottomBar()->shownTexts(), QStringList({"Top Left: 260, 305", "Size: 310*250"}));
    // The eight buttons, with their pictures' sizes and places.
    for (int id : {IDC_CAPTURE_OPEN, IDC_CAPTURE_MINIMIZE, IDC_CAPTURE_SQUARE, IDC_CAPTURE_CLOSE,
                   IDC_CAPTURE_START_STOP, IDC_CAPTURE_EDIT, IDC_CAPTURE_GIF, IDC_CAPTURE_MORE})
        ASSERT_NE(dlg->button(id), nullptr) << id;
    EXPECT_EQ(dlg->button(IDC_CAPTURE_CLOSE)->geometry(), QRect(293, 0, 24, 20));
    EXPECT_EQ(dlg->button(IDC_CAPTURE_GIF)->geometry(), QRect(137, 28, 100, 29));
}

TEST(CaptureWindow, UiScaleAndStoredPlace)
{
    SettingsFolder settings(
        "[POS]\nWndPosLeft=1001\nWndPosTop=50\nWndPosEmptyWidth=200\nWndPosEmptyHeight=100\n"
        "[Param]\nExpandFont=2\nTopWnd=0\n");
    auto dlg = makeWindow();
    EXPECT_EQ(dlg->geometry(), QRect(100, 100, 210, 90));
    EXPECT_EQ(dlg->bottomBar()->geometry(), QRect(100, 290, 210, 60));
    EXPECT_EQ(dlg->controller().captureRect(), (CaptureRect{105, 190, 305, 290}));
    EXPECT_FALSE(dlg->isTopmost());
    EXPECT_EQ(dlg->button(IDC_CAPTURE_START_STOP)->geometry(), QRect(5, 42, 97, 43));
}

TEST(CaptureWindow, DragLimits)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    CBottomDialog* bottom = dlg->bottomBar();
    // Bottom edge: pointer y 359 would give a capture height of 59.
    drag(bottom, QPoint(100, 38), QPoint(100, 359 - 510));
    EXPECT_EQ(dlg->controller().captureRect().height(), 250);
    drag(bottom, QPoint(100, 38), QPoint(100, 360 - 510));
    EXPECT_EQ(dlg->controller().captureRect(), (CaptureRect{305, 260, 615, 320}));
    EXPECT_EQ(bottom->geometry(), QRect(300, 320, 320, 40));
    EXPECT_EQ(dlg->leftBar()->height(), 60);

    // Left bar: a frame 59 wide is refused, 60 accepted.
    CLeftDialog* left = dlg->leftBar();
    drag(left, QPoint(2, 10), QPoint(561 - 300, 10));
    EXPECT_EQ(dlg->geometry().width(), 320);
    drag(left, QPoint(2, 10), QPoint(560 - 300, 10));
    EXPECT_EQ(dlg->geometry(), QRect(560, 200, 60, 60));
    EXPECT_EQ(dlg->controller().captureRect(), (CaptureRect{565, 260, 615, 320}));
    EXPECT_EQ(dlg->rightBar()->geometry(), QRect(615, 260, 5, 60));

    // Moving by the body keeps the capture size.
    drag(dlg.get(), QPoint(30, 20), QPoint(30 - 60, 20 + 40));
    EXPECT_EQ(dlg->geometry(), QRect(500, 240, 60, 60));
    EXPECT_EQ(dlg->controller().captureRect(), (CaptureRect{505, 300, 555, 360}));
    EXPECT_EQ(dlg->bottomBar()->shownTexts().first(), QStringLiteral("Top Left: 300, 505"));
}

TEST(CaptureWindow, RecordingFreezesTheFrameAndShowsCounts)
{
    SettingsFolder settings("[Param]\nRate1=20\nTopWnd=0\n");
    auto dlg = makeWindow();
    captionList().clear();
    dlg->onStartStop();
    EXPECT_EQ(dlg->controller().state(), CaptureState::Recording);
    EXPECT_TRUE(dlg->isTopmost());
    EXPECT_EQ(appSettings().filterNumber, 0);

    const QRect top = dlg->geometry();
    const CaptureRect cap = dlg->controller().captureRect();
    drag(dlg.get(), QPoint(30, 20), QPoint(90, 80));            // move
    drag(dlg.get(), QPoint(1, 1), QPoint(-40, -40));            // top-left corner
    drag(dlg->bottomBar(), QPoint(100, 38), QPoint(100, 100));  // bottom edge
    drag(dlg->rightBar(), QPoint(2, 10), QPoint(60, 10));       // right bar
    EXPECT_EQ(dlg->geometry(), top);
    EXPECT_EQ(dlg->controller().captureRect(), cap);

    // Let the worker record a few frames, then look at the labels as they were
    // after four frames at 20 frames per second.
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().frameCount() >= 2; }));
    sendWindowMessage(&dlg->controller(), UM_FRAME_COUNT, 0, 4);
    EXPECT_TRUE(dlg->controller().blinkOn());
    EXPECT_EQ(dlg->bottomBar()->shownTexts(), QStringList({"4 Frames", "0.2 Secs "}));
    sendWindowMessage(&dlg->controller(), UM_FRAME_COUNT, 0, 6);
    EXPECT_FALSE(dlg->controller().blinkOn());
    sendWindowMessage(&dlg->controller(), UM_FRAME_COUNT, 0, 12);
    EXPECT_TRUE(dlg->controller().blinkOn());

    dlg->onStartStop();  // stop: only requested
    EXPECT_EQ(dlg->controller().state(), CaptureState::Recording);
    EXPECT_FALSE(dlg->isTopmost());
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));
    EXPECT_FALSE(dlg->controller().blinkOn());
    // The worker grabbed the capture region.
    const FrameSequence& seq = dlg->controller().worker().sequence();
    ASSERT_GT(seq.count(), 0);
    EXPECT_EQ(seq.frameRect(), (FrameRect{305, 260, 615, 510}));
    EXPECT_EQ(seq.at(0)->image->width(), 310);
    EXPECT_EQ(seq.at(0)->delay, 5);
    // Stopped: position and counts when the bottom bar is wider than 200.
    EXPECT_EQ(dlg->bottomBar()->shownTexts().size(), 4);
    drag(dlg->rightBar(), QPoint(2, 10), QPoint(200 - 315, 10));  // frame 200 wide
    EXPECT_EQ(dlg->bottomBar()->width(), 200);
    EXPECT_EQ(dlg->bottomBar()->shownTexts().size(), 2);
    drag(dlg->rightBar(), QPoint(2, 10), QPoint(201 - 195, 10));
    EXPECT_EQ(dlg->bottomBar()->width(), 201);
    EXPECT_EQ(dlg->bottomBar()->shownTexts().size(), 4);
}

TEST(CaptureWindow, GenerationStatesAndCloseRefusedWhileGenerating)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    ScriptedPrompts prompts;
    dlg->controller().noteImportAttempt(0);
    sendWindowMessage(&dlg->controller(), UM_PROGRESS, 0, 42);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Generating);
    EXPECT_EQ(dlg->bottomBar()->shownTexts(), QStringList({"Creating: 42%"}));
    dlg->onStartStop();  // ignored while generating
    EXPECT_EQ(dlg->controller().state(), CaptureState::Generating);
    EXPECT_FALSE(dlg->closeCapture());
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("正在生成GIF，请稍等.."));
    EXPECT_TRUE(dlg->controller().worker().isRunning());
    sendWindowMessage(&dlg->controller(), UM_GENERATED, 0, 0);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
}

TEST(CaptureWindow, EnterDoesNothingEscClosesAndSaves)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    const QString output = settings.file("last.gif");
    {
        QFile f(output);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("GIF89a");
    }
    dlg->controller().setOutputPath(output);
    drag(dlg->bottomBar(), QPoint(100, 38), QPoint(100, 400 - 510));  // capture height 100
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(dlg.get(), &enter);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(dlg->controller().worker().isRunning());

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dlg.get(), &esc);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(dlg->controller().worker().isRunning());
    EXPECT_FALSE(QFile::exists(output));
    const QString ini = settings.readIni();
    EXPECT_TRUE(ini.contains("WndPosLeft=300")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("WndPosEmptyWidth=310"));
    EXPECT_TRUE(ini.contains("WndPosEmptyHeight=100"));
}

TEST(CaptureWindow, CloseWhileRecordingStopsFirst)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    dlg->onStartStop();
    ASSERT_EQ(dlg->controller().state(), CaptureState::Recording);
    EXPECT_TRUE(dlg->close());  // Alt+F4 / the close box
    EXPECT_FALSE(dlg->controller().worker().isRunning());
    EXPECT_TRUE(dlg->controller().worker().sequence().empty());  // the worker cleared it when it ended
}

TEST(CaptureWindow, DevicePixelRectangleAndLabels)
{
    SettingsFolder settings(
        "[POS]\nWndPosLeft=95\nWndPosTop=40\nWndPosEmptyWidth=300\nWndPosEmptyHeight=200\n");
    auto dlg = makeWindow();
    ASSERT_EQ(dlg->controller().captureRect(), (CaptureRect{100, 100, 400, 300}));
    // A display with 1.5 device pixels per logical pixel.
    appSettings().windows10 = true;
    appSettings().dpiRatio = 1.5f;
    dlg->repaintAll();
    EXPECT_EQ(dlg->bottomBar()->shownTexts(), QStringList({"Top Left: 151, 151", "Size: 448*298"}));
    dlg->onStartStop();
    dlg->onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));
    EXPECT_EQ(dlg->controller().worker().sequence().frameRect(), (FrameRect{151, 151, 599, 449}));
    appSettings().dpiRatio = 1.0f;
}

TEST(CaptureWindow, BarsHideWhenMinimisedAndComeBack)
{
    SettingsFolder settings;
    auto dlg = makeWindow();
    dlg->button(IDC_CAPTURE_MINIMIZE)->click();
    QCoreApplication::processEvents();
    if (!dlg->isMinimized())
        GTEST_SKIP() << "this platform does not minimise windows";
    EXPECT_FALSE(dlg->leftBar()->isVisible());
    EXPECT_FALSE(dlg->bottomBar()->isVisible());
    dlg->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->leftBar()->isVisible());
    EXPECT_TRUE(dlg->bottomBar()->isVisible());
    EXPECT_EQ(dlg->bottomBar()->geometry(), QRect(300, 510, 320, 40));
}

TEST(CaptureWindow, AGifNamedOnTheCommandLineIsImportedOnceTheWindowRuns)
{
    SettingsFolder settings;
    testenv::TempDir dir;
    giftest::Frame frame;
    frame.width = 6;
    frame.height = 5;
    frame.delay = 9;
    frame.pixels.assign(30, 1);
    const std::vector<uint8_t> bytes =
        giftest::makeGif(6, 5, {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 0, 0, 0}}, {frame, frame});
    const std::string path = dir.file("opened.gif");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();

    // The import opens the editor, which runs modally: close it once it shows.
    bool editorOpened = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* editor = qobject_cast<CAddTextDlg*>(QApplication::activeModalWidget())) {
            editorOpened = true;
            editor->reject();
        }
    });
    closer.start(20);
    auto dlg = makeWindow();
    dlg->setInitialGif(QString::fromStdString(path));
    EXPECT_EQ(dlg->controller().state(), CaptureState::Idle);  // not before the window runs
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));
    ASSERT_TRUE(waitUntil([&] { return editorOpened; }));
    EXPECT_EQ(dlg->controller().frameCount(), 2);
    EXPECT_EQ(dlg->controller().sequence().count(), 2);
    EXPECT_EQ(dlg->controller().sequence().FrameImage(1)->width(), 6);
}
