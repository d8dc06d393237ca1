// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Under a window manager (openbox) on a real X server: with the capture frame
// on top, the preview and what it opens stay above the frame, as do the size
// dialog and the editor the frame opens, and window titles are exactly as the
// windows set them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "../imaging/gif_test_writer.h"
#include "app/app_settings.h"
#include "app/capture_app.h"
#include "capture/capture_dlg.h"
#include "capture_session.h"
#include "editor/add_text_dlg.h"
#include "editor/size_dlg.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

// What the window manager says, read with xprop (x11-utils).
class XProps {
public:
    static QString run(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral("xprop"), args);
        if (!p.waitForFinished(5000))
            return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // Window ids of a root property holding a list of windows.
    static std::vector<unsigned long> rootWindows(const QString& property)
    {
        std::vector<unsigned long> out;
        const QString text = run({QStringLiteral("-root"), property});
        const int hash = text.indexOf(QLatin1Char('#'));
        if (hash < 0)
            return out;
        for (const QString& part : text.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const unsigned long id = part.trimmed().toULong(&ok, 16);
            if (ok)
                out.push_back(id);
        }
        return out;
    }
    // Bottom to top.
    static std::vector<unsigned long> stacking()
    {
        return rootWindows(QStringLiteral("_NET_CLIENT_LIST_STACKING"));
    }
    static bool windowManagerRunning()
    {
        return !rootWindows(QStringLiteral("_NET_SUPPORTING_WM_CHECK")).empty();
    }
    static QString title(unsigned long w)
    {
        const QString text = run({QStringLiteral("-id"), QString::number(w), QStringLiteral("_NET_WM_NAME")});
        const int open = text.indexOf(QLatin1Char('"'));
        const int close = text.lastIndexOf(QLatin1Char('"'));
        return open >= 0 && close > open ? text.mid(open + 1, close - open - 1) : QString();
    }
};

// openbox for the test's own X server; stopped with the test.
class WindowManager {
public:
    WindowManager()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty())
            return;
        process_.setProgram(program);
        process_.setArguments({QStringLiteral("--sm-disable")});
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
    }
    ~WindowManager()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(3000))
                process_.kill();
            process_.waitForFinished(3000);
        }
    }
    bool started() { return process_.waitForStarted(5000); }

private:
    QProcess process_;
};

int indexOf(const std::vector<unsigned long>& list, WId id)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == id)
            return int(i);
    return -1;
}

// Every window of the capture frame: the top bar and its bars.
std::vector<WId> frameWindows(CCaptureDlg& capture)
{
    std::vector<WId> out{capture.winId()};
    for (QWidget* w : capture.findChildren<QWidget*>())
        if (w->isWindow() && w->isVisible() && !qobject_cast<QDialog*>(w))
            out.push_back(w->winId());
    return out;
}

// The window is above every window of the frame in the manager's stacking order.
::testing::AssertionResult aboveFrame(WId window, const std::vector<WId>& frame)
{
    const std::vector<unsigned long> order = XProps::stacking();
    const int at = indexOf(order, window);
    if (at < 0)
        return ::testing::AssertionFailure() << "window not managed";
    for (WId f : frame) {
        const int other = indexOf(order, f);
        if (other > at)
            return ::testing::AssertionFailure()
                   << "a frame window is above it (" << other << " > " << at << ")";
    }
    return ::testing::AssertionSuccess();
}

// The window is on the screen, managed, and above every window of the frame.
::testing::AssertionResult shownAboveFrame(QWidget& window, const std::vector<WId>& frame)
{
    (void)QTest::qWaitForWindowExposed(&window);
    waitUntil([&] { return indexOf(XProps::stacking(), window.winId()) >= 0; });
    QTest::qWait(300);
    return aboveFrame(window.winId(), frame);
}

// openbox running and ready, then the capture frame on the right half of the
// screen, on top (TopWnd=1).
class WindowStacking : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wm_.started()) << "openbox is needed (tools/debian-packages.txt)";
        ASSERT_TRUE(waitUntil([&] { return XProps::windowManagerRunning(); }, 10000));
        {
            // The manager is ready once it manages a window.
            QTest::qWait(1000);
            QWidget probe;
            probe.resize(50, 50);
            probe.show();
            ASSERT_TRUE(waitUntil([&] { return indexOf(XProps::stacking(), probe.winId()) >= 0; }, 10000));
        }
        folder_ = std::make_unique<SettingsFolder>(
            "[POS]\nWndPosLeft=1000\nWndPosTop=100\nWndPosEmptyWidth=700\nWndPosEmptyHeight=600\n"
            "[Param]\nTopWnd=1\nNotice=0\n");
        capture_ = std::make_unique<CCaptureDlg>();
        capture_->setWindowModality(Qt::ApplicationModal);
        capture_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(capture_.get()));
        ASSERT_TRUE(capture_->isTopmost());
        QTest::qWait(300);
        frame_ = frameWindows(*capture_);
        ASSERT_GE(frame_.size(), 4u);
    }
    void TearDown() override
    {
        if (capture_)
            capture_->closeCapture();
    }

    WindowManager wm_;
    CCaptureApp app_;  // names the application as the program does
    std::unique_ptr<SettingsFolder> folder_;
    std::unique_ptr<CCaptureDlg> capture_;
    std::vector<WId> frame_;
};

}  // namespace

TEST_F(WindowStacking, PreviewAndItsDialogsStayAboveTheTopmostCaptureFrame)
{
    CCaptureDlg& capture = *capture_;
    const std::vector<WId>& frame = frame_;

    // A generated GIF in the preview.
    testenv::TempDir dir;
    const QString gif = QString::fromStdString(dir.file("a.gif"));
    {
        const std::vector<uint8_t> bytes =
            giftest::makeGif(120, 90, {{0, 0, 0, 0}, {0, 0, 255, 0}},
                             {giftest::solid(0, 0, 120, 90, 1), giftest::solid(0, 0, 60, 45, 0)});
        QFile f(gif);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    capture.controller().setOutputPath(gif);
    CPreviewDlg* preview = capture.preview();
    ASSERT_NE(preview, nullptr);
    PreviewAnchor anchor;
    anchor.topBar = capture.frameGeometry();
    anchor.captureHeight = capture.controller().captureRect().height();
    preview->showGeneratedGif(gif, anchor, appSettings());
    ASSERT_TRUE(waitUntil([&] { return preview->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    ASSERT_TRUE(waitUntil([&] { return indexOf(XProps::stacking(), preview->winId()) >= 0; }));
    QTest::qWait(300);
    EXPECT_TRUE(aboveFrame(preview->winId(), frame));
    EXPECT_EQ(XProps::title(preview->winId()), QStringLiteral("预览"));

    // Clicking the frame does not put it over the preview.
    QTest::mouseClick(&capture, Qt::LeftButton, Qt::NoModifier, QPoint(capture.width() / 2, 5));
    capture.activateWindow();
    capture.raise();
    QTest::qWait(400);
    EXPECT_TRUE(aboveFrame(preview->winId(), frame));

    // A message box opened from the preview is above the frame too, titled as given.
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = nullptr;
        if (!waitUntil(
                [&] { return (box = QApplication::activeModalWidget()) != nullptr && box->isVisible(); }))
            return;
        (void)QTest::qWaitForWindowExposed(box);
        waitUntil([&] { return indexOf(XProps::stacking(), box->winId()) >= 0; });
        QTest::qWait(300);
        EXPECT_TRUE(aboveFrame(box->winId(), frame));
        EXPECT_EQ(XProps::title(box->winId()), QStringLiteral("友情提醒"));
        checked = true;
        if (auto* dialog = qobject_cast<QDialog*>(box))
            dialog->done(QMessageBox::Ok);
    });
    promptMessageBox(preview, QStringLiteral("文字"), QStringLiteral("友情提醒"));
    EXPECT_TRUE(checked);
}

TEST_F(WindowStacking, SizeDialogAndEditorFromTheFrameStayAboveIt)
{
    CCaptureDlg& capture = *capture_;
    ASSERT_TRUE(testenv::recordThenStop(capture, 3));
    const std::vector<WId> frame = frameWindows(capture);

    bool sizeChecked = false;
    bool editorChecked = false;
    testenv::ModalDriver driver;
    driver.once<CSizeDlg>([&](CSizeDlg& size) {
        EXPECT_TRUE(shownAboveFrame(size, frame));
        sizeChecked = true;
        size.reject();
    });
    driver.once<CAddTextDlg>([&](CAddTextDlg& editor) {
        EXPECT_TRUE(shownAboveFrame(editor, frame));
        editorChecked = true;
        editor.reject();
    });
    driver.start();
    // (each click returns when its modal window has closed)
    QTest::mouseClick(capture.button(IDC_CAPTURE_GIF), Qt::LeftButton);
    EXPECT_TRUE(sizeChecked);
    QTest::mouseClick(capture.button(IDC_CAPTURE_EDIT), Qt::LeftButton);
    EXPECT_TRUE(editorChecked);
    driver.stop();
}
