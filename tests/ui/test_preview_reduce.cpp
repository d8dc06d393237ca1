// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The preview's "压缩动画" button and its Reduce menu, offscreen: the menu's
// entries and where it pops up; a level chosen from it makes the GIF again at
// that level (the bottom bar shows the progress), replaces the previewed file
// and its size line while the preview stays where it is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/app_settings.h"
#include "capture/capture_dlg.h"
#include "capture/worker_thread.h"
#include "gif/generation_settings.h"
#include "platform/screen_grabber.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "share/preview_geometry.h"
#include "test_env.h"
#include "wait_until.h"
#include "widgets/icon_button.h"

namespace {
using testenv::SettingsFolder;
using testenv::waitUntil;

const QStringList kLevels = {"画质最好但文件最大", "画质较好", "画质一般", "画质较差", "画质最差但文件最小"};

// Frames with a gradient that moves, so the levels have something to trade.
class GradientGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        const int w = rect.width(), h = rect.height();
        std::vector<uint8_t> bgrx(size_t(w) * size_t(h) * 4);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = &bgrx[(size_t(y) * size_t(w) + size_t(x)) * 4];
                p[0] = uint8_t((x * 3 + grabs_ * 7) & 255);
                p[1] = uint8_t((y * 5 + x) & 255);
                p[2] = uint8_t((x * y / 7 + grabs_ * 11) & 255);
            }
        ++grabs_;
        return out.fromScreenBits(bgrx.data(), w, h, size_t(w) * 4);
    }
    bool canGrab() const override { return true; }

private:
    int grabs_ = 0;
};

QStringList textsOf(const QMenu& menu)
{
    QStringList texts;
    for (QAction* a : menu.actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

}  // namespace

TEST(PreviewReduce, ButtonAndMenuEntries)
{
    CPreviewDlg dlg;
    CIconButton* reduce = dlg.button(IDC_PREVIEW_REDUCE);
    ASSERT_TRUE(reduce);
    EXPECT_EQ(reduce->text(), QStringLiteral("压缩动画"));
    EXPECT_TRUE(reduce->isEnabled());

    auto menu = dlg.makeReduceMenu();
    QStringList expected = kLevels;
    expected << "-"
             << "黑白效果";
    EXPECT_EQ(textsOf(*menu), expected);
    QMenu* grey = menu->actions().last()->menu();
    ASSERT_TRUE(grey);
    EXPECT_EQ(textsOf(*grey), kLevels);

    // Every entry asks for its level, in colour or in grey.
    QSignalSpy spy(&dlg, &CPreviewDlg::reduceRequested);
    for (int i = 0; i < 5; ++i) {
        dlg.runCommand(menu->actions()[i]->data().toInt());
        dlg.runCommand(grey->actions()[i]->data().toInt());
    }
    ASSERT_EQ(spy.count(), 10);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(spy[2 * i][0].toInt(), i + 1);
        EXPECT_FALSE(spy[2 * i][1].toBool());
        EXPECT_EQ(spy[2 * i + 1][0].toInt(), i + 1);
        EXPECT_TRUE(spy[2 * i + 1][1].toBool());
    }
}

TEST(PreviewReduce, MenuPopsUpAboveTheButtonLikeTheOthers)
{
    CPreviewDlg dlg;
    dlg.resize(400, 300);
    dlg.show();
    QCoreApplication::processEvents();
    CIconButton* reduce = dlg.button(IDC_PREVIEW_REDUCE);
    QRect shown;
    QStringList texts;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (popup == nullptr)
            return;
        shown = popup->geometry();
        texts = textsOf(*popup);
        popup->close();  // dismissed: nothing happens
    });
    QSignalSpy spy(&dlg, &CPreviewDlg::reduceRequested);
    QTest::mouseClick(reduce, Qt::LeftButton);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(texts.first(), kLevels.first());
    const QPoint corner = reduce->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(shown.left(), corner.x());
    EXPECT_EQ(shown.bottom() + 1, corner.y());
    EXPECT_EQ(spy.count(), 0);
}

TEST(PreviewReduce, ALevelReplacesTheFileAndItsSizeLine)
{
    SettingsFolder folder("[Param]\nRate1=20\nTopWnd=0\n");
    appSettings().outputScale = 1.0f;
    CCaptureDlg dlg(std::make_unique<GradientGrabber>());
    dlg.show();
    QCoreApplication::processEvents();
    dlg.onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg.controller().frameCount() >= 4; }));
    dlg.onStartStop();
    ASSERT_TRUE(waitUntil([&] { return dlg.controller().state() == CaptureState::Stopped; }));
    ASSERT_TRUE(dlg.startGeneration());
    ASSERT_TRUE(waitUntil(
        [&] { return dlg.controller().state() == CaptureState::Stopped && dlg.preview()->isVisible(); }));
    CPreviewDlg* preview = dlg.preview();
    const QString first = dlg.controller().outputPath();
    const qint64 firstSize = QFileInfo(first).size();
    const int frames = preview->frameCount();
    const QRect place = preview->geometry();

    // The smallest level, chosen as the menu would: the bottom bar shows
    // "Creating", the preview stays open and then shows the new file.
    bool sawProgress = false;
    QObject::connect(&dlg.controller(), &CaptureController::progressChanged,
                     [&](int) { sawProgress = true; });
    preview->runCommand(CPreviewDlg::CmdReduceFirst + 4);
    EXPECT_EQ(dlg.controller().state(), CaptureState::Generating);
    EXPECT_EQ(dlg.controller().worker().generationSettings().level, 5);
    EXPECT_FALSE(dlg.controller().worker().generationSettings().blackWhite);
    EXPECT_TRUE(preview->isVisible());
    ASSERT_TRUE(waitUntil([&] { return dlg.controller().state() == CaptureState::Stopped; }));
    ASSERT_TRUE(waitUntil([&] { return preview->gifPath() == dlg.controller().outputPath(); }));
    EXPECT_TRUE(sawProgress);
    const QString smaller = dlg.controller().outputPath();
    EXPECT_TRUE(QFile::exists(smaller));
    EXPECT_FALSE(smaller != first && QFile::exists(first));
    const qint64 size = QFileInfo(smaller).size();
    EXPECT_LT(size, firstSize);
    EXPECT_EQ(preview->frameCount(), frames);
    EXPECT_EQ(preview->infoText(), previewgeo::infoLine(float(size) / 1024.0f, preview->gifWidth(),
                                                        preview->gifHeight(), preview->frameCount()));
    EXPECT_EQ(preview->geometry(), place);

    // Black and white from the sub-menu, the same way.
    preview->runCommand(CPreviewDlg::CmdReduceGreyFirst + 2);
    EXPECT_TRUE(dlg.controller().worker().generationSettings().blackWhite);
    ASSERT_TRUE(waitUntil([&] {
        return dlg.controller().state() == CaptureState::Stopped &&
               preview->gifPath() == dlg.controller().outputPath();
    }));
    EXPECT_TRUE(QFile::exists(dlg.controller().outputPath()));
    EXPECT_EQ(preview->infoText(),
              previewgeo::infoLine(float(QFileInfo(dlg.controller().outputPath()).size()) / 1024.0f,
                                   preview->gifWidth(), preview->gifHeight(), preview->frameCount()));
}
