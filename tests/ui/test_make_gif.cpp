// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The capture window's GIF button, offscreen: nothing right after start-up or
// without frames; while recording it stops first and opens the output size
// dialog only once the worker has stopped; OK generates and the preview opens
// on the new GIF; Cancel generates nothing; the next generation deletes the
// previous file and hides the preview first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/app_settings.h"
#include "capture/capture_dlg.h"
#include "capture/worker_thread.h"
#include "editor/size_dlg.h"
#include "platform/screen_grabber.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

constexpr const char* kIni = "[Param]\nRate1=20\nTopWnd=0\n";

class CountingGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        const uint8_t v = uint8_t(40 + 20 * (grabs_++ % 8));
        std::vector<uint8_t> bgrx(size_t(rect.width()) * size_t(rect.height()) * 4, v);
        return out.fromScreenBits(bgrx.data(), rect.width(), rect.height(), size_t(rect.width()) * 4);
    }
    bool canGrab() const override { return true; }

private:
    int grabs_ = 0;
};

// Hands every modal dialog shown while `run` runs (and up to `settleMs` after)
// to `handle`, which must close it; returns how many there were.
int withModals(const std::function<void()>& run, const std::function<void(QWidget*)>& handle,
               int settleMs = 200)
{
    int seen = 0;
    QWidget* last = nullptr;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (m && m != last && m->isVisible()) {
            last = m;
            ++seen;
            handle(m);
        }
    });
    timer.start(10);
    run();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < settleMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    timer.stop();
    return seen;
}

std::unique_ptr<CCaptureDlg> makeWindow()
{
    auto dlg = std::make_unique<CCaptureDlg>(std::make_unique<CountingGrabber>());
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
}

void record(CCaptureDlg& dlg, int frames)
{
    dlg.onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg.controller().frameCount() >= frames; }));
}

}  // namespace

TEST(MakeGif, NothingRightAfterStartUpOrWithoutFrames)
{
    SettingsFolder folder(kIni);
    auto dlg = makeWindow();
    ASSERT_TRUE(dlg->preview());
    EXPECT_FALSE(dlg->preview()->isVisible());
    auto fail = [](QWidget* w) {
        ADD_FAILURE() << "unexpected dialog " << w->windowTitle().toStdString();
        w->close();
    };
    EXPECT_EQ(withModals([&] { dlg->button(IDC_CAPTURE_GIF)->click(); }, fail), 0);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Idle);
    // Stopped without a frame: still nothing.
    dlg->controller().noteImportAttempt(0);
    EXPECT_EQ(withModals([&] { dlg->button(IDC_CAPTURE_GIF)->click(); }, fail), 0);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
    EXPECT_TRUE(dlg->controller().outputPath().isEmpty());
}

TEST(MakeGif, WhileRecordingStopsThenAsksThenPreviews)
{
    SettingsFolder folder(kIni);
    appSettings().outputScale = 1.0f;
    auto dlg = makeWindow();
    record(*dlg, 3);

    std::optional<CaptureState> stateAtDialog;
    int framesAtDialog = -1;
    QString height;
    QPoint dialogPos;
    const int seen = withModals(
        [&] {
            dlg->button(IDC_CAPTURE_GIF)->click();
            // Only requested: the dialog waits for the worker.
            EXPECT_EQ(dlg->controller().state(), CaptureState::Recording);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
            ASSERT_TRUE(waitUntil([&] { return !dlg->controller().outputPath().isEmpty(); }));
        },
        [&](QWidget* w) {
            auto* size = qobject_cast<CSizeDlg*>(w);
            ASSERT_TRUE(size);
            stateAtDialog = dlg->controller().state();
            framesAtDialog = dlg->controller().worker().sequence().count();
            dialogPos = size->pos();
            size->widthEdit()->setFocus();
            size->widthEdit()->selectAll();
            QTest::keyClick(size->widthEdit(), Qt::Key_Backspace);
            QTest::keyClicks(size->widthEdit(), QStringLiteral("155"));
            height = size->heightEdit()->text();
            QTest::mouseClick(size->okButton(), Qt::LeftButton);
        });
    EXPECT_EQ(seen, 1);
    ASSERT_TRUE(stateAtDialog);
    EXPECT_EQ(*stateAtDialog, CaptureState::Stopped);
    EXPECT_GT(framesAtDialog, 0);
    CMyBitmapButton* edit = dlg->button(IDC_CAPTURE_EDIT);
    EXPECT_EQ(dialogPos, edit->mapToGlobal(QPoint(edit->width(), edit->height())));
    EXPECT_FLOAT_EQ(appSettings().outputScale, 155.0f / 310.0f);
    EXPECT_EQ(height, QStringLiteral("125"));

    // Generation, then the preview on the new file.
    ASSERT_TRUE(waitUntil(
        [&] { return dlg->controller().state() == CaptureState::Stopped && dlg->preview()->isVisible(); }));
    const QString first = dlg->controller().outputPath();
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_EQ(dlg->preview()->gifPath(), first);
    EXPECT_EQ(dlg->preview()->gifWidth(), 155);
    EXPECT_EQ(dlg->preview()->gifHeight(), 125);
    EXPECT_GE(dlg->preview()->frameCount(), 1);
    EXPECT_TRUE(dlg->preview()->infoText().contains(QStringLiteral(", 155*125, ")));

    // Cancel in the size dialog: nothing is generated, the file stays.
    EXPECT_EQ(withModals([&] { dlg->button(IDC_CAPTURE_GIF)->click(); },
                         [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }),
              1);
    EXPECT_EQ(dlg->controller().state(), CaptureState::Stopped);
    EXPECT_EQ(dlg->controller().outputPath(), first);
    EXPECT_TRUE(QFile::exists(first));

    // Again with OK: the preview hides, the old file goes, a new one is previewed.
    bool previewHiddenWhileGenerating = false;
    withModals(
        [&] {
            dlg->button(IDC_CAPTURE_GIF)->click();
            // (The new name may equal the old one within the same second.)
            previewHiddenWhileGenerating = waitUntil([&] { return !dlg->preview()->isVisible(); });
            ASSERT_TRUE(waitUntil([&] { return dlg->preview()->isVisible(); }));
        },
        [](QWidget* w) { QTest::mouseClick(qobject_cast<CSizeDlg*>(w)->okButton(), Qt::LeftButton); });
    EXPECT_TRUE(previewHiddenWhileGenerating);
    EXPECT_FALSE(QFile::exists(first) && first != dlg->controller().outputPath());
    EXPECT_TRUE(QFile::exists(dlg->controller().outputPath()));
    EXPECT_EQ(dlg->preview()->gifPath(), dlg->controller().outputPath());

    // Minimising the capture window hides the preview; restoring shows it again.
    dlg->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dlg->preview()->isVisible());
    dlg->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->preview()->isVisible());

    // Starting a recording hides the preview.
    dlg->onStartStop();
    EXPECT_FALSE(dlg->preview()->isVisible());
    dlg->onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg->controller().state() == CaptureState::Stopped; }));
    const QString last = dlg->controller().outputPath();
    EXPECT_TRUE(dlg->closeCapture());
    EXPECT_FALSE(QFile::exists(last));
}
