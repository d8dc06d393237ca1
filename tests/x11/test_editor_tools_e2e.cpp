// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Record, crop, choose a filter, make a cinemagraph and generate, on a real X
// server: a window whose colour changes every 100 ms lies under the capture
// frame; after recording, the editor crops the frames, picks filter 12 from
// the filter dialog, paints the left part of the picture as the moving area
// and saves the cinemagraph; the generated GIF has the cropped size, the
// filter's colours, and the same still pixels in every frame outside the
// painted part while the painted part keeps changing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <filesystem>

#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "capture_session.h"
#include "editor/add_text_dlg.h"
#include "editor/crop_mode.h"
#include "editor/size_dlg.h"
#include "effects/cinemagraph_mode.h"
#include "effects/filter_dialog.h"
#include "effects/filter_list_view.h"
#include "effects/filter_lut.h"
#include "effects/filter_tool.h"
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

constexpr int kFilter = 12;
const std::vector<QColor> kColours = {QColor(230, 40, 40), QColor(40, 200, 60), QColor(50, 60, 220),
                                      QColor(240, 220, 40)};

void mouse(QWidget* w, QEvent::Type type, const QPoint& p, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void drag(QWidget* w, const std::vector<QPoint>& points)
{
    mouse(w, QEvent::MouseButtonPress, points.front(), Qt::LeftButton, Qt::LeftButton);
    for (size_t i = 1; i < points.size(); ++i)
        mouse(w, QEvent::MouseMove, points[i], Qt::NoButton, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, points.back(), Qt::LeftButton, Qt::NoButton);
}

template <typename T>
T* toolOf(CAddTextDlg& dlg)
{
    for (const auto& t : dlg.tools())
        if (auto* found = dynamic_cast<T*>(t.get()))
            return found;
    return nullptr;
}

int distance(const RgbQuad& a, const RgbQuad& b)
{
    return std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

}  // namespace

TEST(EditorToolsEndToEnd, RecordCropFilterCinemagraphGenerate)
{
    SettingsFolder folder(
        "[POS]\nWndPosLeft=300\nWndPosTop=200\nWndPosEmptyWidth=240\nWndPosEmptyHeight=180\n"
        "[Param]\nRate1=10\nTopWnd=0\nMouse=0\nNotice=1\nFile=0\n");
    // The filter file where the program looks for it in the settings folder.
    std::filesystem::create_directories(folder.path() + "/vexlo");
    std::filesystem::copy_file(testenv::sourceDir() + "/res/filters/" + std::to_string(kFilter) + ".fff",
                               folder.path() + "/vexlo/" + std::to_string(kFilter) + ".fff");
    QCursor::setPos(5, 5);

    CCaptureDlg capture;
    ASSERT_TRUE(testenv::showCapture(capture));
    const QRect r = testenv::captureArea(capture);
    ASSERT_EQ(r.width(), 240);
    ASSERT_EQ(r.height(), 180);
    testenv::ColourCycleWindow pattern(r, kColours);
    ASSERT_TRUE(testenv::showAndSettle(pattern));

    ASSERT_TRUE(testenv::recordThenStop(capture, 15));
    pattern.hide();

    // The editor over the recording, as the capture window opens it.
    CaptureController& c = capture.controller();
    CAddTextDlg editor(c.sequence(), c.captions(), c.settings(), &capture);
    std::vector<int> menuAnswers;
    editor.setMenuRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        const int want = menuAnswers.empty() ? -1 : menuAnswers.front();
        if (!menuAnswers.empty())
            menuAnswers.erase(menuAnswers.begin());
        for (QAction* a : menu.actions())
            if (a->data().toInt() == want)
                return a;
        return nullptr;
    });
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.repaint();
    ASSERT_EQ(editor.displayScale(), 1.0f);

    // Crop: the bottom-right handle 40 and 30 pixels in, then confirm.
    editor.button(IDC_EDITOR_CROP)->click();
    CropMode* crop = toolOf<CropMode>(editor);
    ASSERT_TRUE(crop && crop->active());
    const QRect shown = editor.displayedImageRect();
    const QPoint corner(shown.x() + shown.width() + 2, shown.y() + shown.height() + 2);
    drag(&editor, {corner, corner - QPoint(20, 15), corner - QPoint(40, 30)});
    menuAnswers = {CropMode::kConfirmCommand};
    editor.button(IDC_EDITOR_CROP)->click();
    ASSERT_FALSE(crop->active());
    ASSERT_EQ(c.sequence().FrameImage(1)->width(), 200);
    ASSERT_EQ(c.sequence().FrameImage(1)->height(), 150);
    editor.repaint();

    // Filter 12 through its "应用 >>".
    FilterTool* filter = toolOf<FilterTool>(editor);
    ASSERT_TRUE(filter);
    filter->setDialogRunner([&](CFilterDialog& d) {
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        FilterListView* list = d.list();
        list->setScrollPosition(list->layout().itemRect(kFilter).top());
        QCoreApplication::processEvents();
        const QPoint p = list->layout().applyRect(kFilter).center() - QPoint(0, list->scrollPosition());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
        ASSERT_TRUE(waitUntil([&] { return c.settings().filterNumber == kFilter; }, 3000));
    });
    editor.button(IDC_EDITOR_FILTER)->click();
    ASSERT_EQ(c.settings().filterNumber, kFilter);
    EXPECT_EQ(editor.button(IDC_EDITOR_FILTER)->text(), QStringLiteral("滤镜: 12"));

    // Cinemagraph: the left 90 columns keep moving, the rest stands still.
    editor.button(IDC_EDITOR_CINEMAGRAPH)->click();
    CinemagraphMode* cine = toolOf<CinemagraphMode>(editor);
    ASSERT_TRUE(cine && cine->active() && cine->dialog());
    const QPoint o = editor.displayedImageRect().topLeft();
    for (int y = 5; y < 150; y += 20)
        drag(&editor, {o + QPoint(1, y), o + QPoint(40, y), o + QPoint(70, y)});
    QTest::mouseClick(cine->dialog()->saveButton(), Qt::LeftButton);
    ASSERT_FALSE(cine->active());

    // Generate: OK in the size dialog, the editor closes, the capture window
    // generates and shows the preview.
    editor.setSizeDialogRunner([](CSizeDlg& d) {
        d.accept();
        return true;
    });
    editor.button(IDC_EDITOR_GENERATE)->click();
    ASSERT_EQ(editor.result(), CAddTextDlg::Generate);
    ASSERT_TRUE(capture.startGeneration());
    ASSERT_TRUE(waitUntil([&] { return capture.preview() && capture.preview()->isVisible(); }, 30000));
    const QString gif = c.outputPath();
    EXPECT_EQ(capture.preview()->gifWidth(), 200);
    EXPECT_EQ(capture.preview()->gifHeight(), 150);

    RasterImage image;
    ASSERT_TRUE(testenv::decodeAllFrames(image, gif));
    ASSERT_GE(image.retrievedFrameCount(), 2);
    auto lut = FilterLut::load(kFilter);
    ASSERT_TRUE(lut);
    auto filtered = [&](const QColor& q) {
        return lut->lookup(uint8_t(q.red()), uint8_t(q.green()), uint8_t(q.blue()));
    };
    // The filter shows: some pattern colour comes out clearly different.
    int strongest = 0;
    for (const QColor& q : kColours)
        strongest = std::max(strongest, distance(filtered(q), RgbQuad{uint8_t(q.blue()), uint8_t(q.green()),
                                                                      uint8_t(q.red()), 0}));
    EXPECT_GT(strongest, 20);
    auto nearestPattern = [&](const RgbQuad& got) {
        int best = 1000;
        for (const QColor& q : kColours)
            best = std::min(best, distance(got, filtered(q)));
        return best;
    };
    const RgbQuad still = image.frame(0)->getColor(160, 100);
    QSet<int> moving;
    for (int i = 0; i < image.retrievedFrameCount(); ++i) {
        const RasterImage* f = image.frame(i);
        ASSERT_TRUE(f);
        ASSERT_EQ(f->width(), 200);
        ASSERT_EQ(f->height(), 150);
        // Outside the painted part every frame has the same, filtered pixels.
        for (const QPoint p : {QPoint(160, 100), QPoint(120, 20), QPoint(195, 145)}) {
            EXPECT_LE(distance(f->getColor(p.x(), p.y()), still), 4) << "frame " << i;
            EXPECT_LE(nearestPattern(f->getColor(p.x(), p.y())), 12) << "frame " << i;
        }
        const RgbQuad left = f->getColor(30, 75);
        EXPECT_LE(nearestPattern(left), 12) << "frame " << i;
        moving.insert(int(colorRefFromRgbQuad(left)));
    }
    EXPECT_GE(moving.size(), 2);

    capture.preview()->show();
    EXPECT_TRUE(capture.preview()->close());
    EXPECT_TRUE(capture.closeCapture());
}
