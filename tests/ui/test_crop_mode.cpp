// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Crop mode in the editor, offscreen: the tracker starts around the picture,
// the other controls are off, dragging moves it (sliding along the edge),
// "确定裁剪" cuts every frame in frame pixels and the next size dialog shows
// the cropped size at scale 1.0; "取消", dismissing, resizing and closing cut
// nothing; a deleted frame refuses the mode.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSlider>

#include "editor/crop_frames.h"
#include "editor/crop_mode.h"
#include "editor/size_dlg.h"
#include "editor_fixture.h"
#include "platform/control_id.h"
#include "res/resource.h"

using testenv::EditorFixture;

TEST(CropMode, StartsAroundThePictureWithTheOtherControlsOff)
{
    EditorFixture e(3, 320, 240);
    e.open();
    CropMode* crop = e.tool<CropMode>();
    ASSERT_TRUE(crop);
    e.click(IDC_EDITOR_CROP);
    ASSERT_TRUE(crop->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Crop);
    EXPECT_EQ(e.button(IDC_EDITOR_CROP)->getCheck(), 1);
    const CropRect shown = CropRect::fromQRect(e.dlg->displayedImageRect());
    EXPECT_EQ(crop->tracker()->rect(), shown);
    EXPECT_EQ(crop->tracker()->bounds(), shown);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_EQ(findControl(e.dlg.get(), id)->isEnabled(), id == IDC_EDITOR_CROP) << id;

    // Dismissing the menu of the second click leaves the frames.
    e.click(IDC_EDITOR_CROP);
    EXPECT_FALSE(crop->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
    EXPECT_EQ(e.button(IDC_EDITOR_CROP)->getCheck(), 0);
    EXPECT_EQ(e.seq.at(0)->image->width(), 320);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_TRUE(findControl(e.dlg.get(), id)->isEnabled()) << id;
}

TEST(CropMode, RefusedOnADeletedFrame)
{
    EditorFixture e(3);
    e.open();
    e.seq.at(0)->setIncluded(false);
    e.click(IDC_EDITOR_CROP);
    EXPECT_FALSE(e.tool<CropMode>()->active());
    EXPECT_EQ(e.button(IDC_EDITOR_CROP)->getCheck(), 0);
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
}

TEST(CropMode, ConfirmCutsEveryFrameInFramePixels)
{
    // Larger than the picture area, so it is shown shrunk (scale above 1).
    EditorFixture e(3, 1800, 1400);
    e.seq.at(1)->setIncluded(false);
    e.settings.outputScale = 0.5f;
    e.open();
    const float scale = e.dlg->displayScale();
    ASSERT_GT(scale, 1.0f);
    CropMode* crop = e.tool<CropMode>();
    e.click(IDC_EDITOR_CROP);
    ASSERT_TRUE(crop->active());
    const QRect shown = e.dlg->displayedImageRect();

    // Pull the bottom-right handle in, then move the rectangle.
    const QPoint corner(shown.x() + shown.width() + 2, shown.y() + shown.height() + 2);
    e.drag({corner, corner - QPoint(100, 80), corner - QPoint(shown.width() / 2, shown.height() / 2)});
    const CropRect resized = crop->tracker()->rect();
    EXPECT_EQ(resized.width(), shown.width() - shown.width() / 2);
    EXPECT_EQ(resized.height(), shown.height() - shown.height() / 2);
    const QPoint inside(resized.left + 20, resized.top + 20);
    e.drag({inside, inside + QPoint(30, 25)});
    const CropRect moved = crop->tracker()->rect();
    EXPECT_EQ(moved, CropRect(resized.left + 30, resized.top + 25, resized.right + 30, resized.bottom + 25));

    // Past the right edge: stopped there, the width kept.
    const QPoint grab(moved.left + 10, moved.top + 10);
    e.drag({grab, grab + QPoint(5000, 0)});
    EXPECT_EQ(crop->tracker()->rect().right, shown.x() + shown.width());
    EXPECT_EQ(crop->tracker()->rect().width(), moved.width());
    EXPECT_EQ(crop->tracker()->rect().top, moved.top);

    const CropRect area = cropframes::frameArea(scale, crop->tracker()->rect(),
                                                CropRect::fromQRect(e.dlg->displayedImageRect()));
    const RgbQuad want = e.seq.at(2)->image->getColor(area.left, area.top);
    e.menuChoices = {CropMode::kConfirmCommand};
    e.click(IDC_EDITOR_CROP);
    EXPECT_FALSE(crop->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.seq.at(i)->image->width(), area.width()) << i;
        EXPECT_EQ(e.seq.at(i)->image->height(), area.height()) << i;
    }
    EXPECT_EQ(e.seq.at(2)->image->getColor(0, 0), want);
    EXPECT_FALSE(e.seq.at(1)->included());
    EXPECT_EQ(e.settings.outputScale, 1.0f);
    EXPECT_EQ(e.seq.frameWidth(), area.width());
    EXPECT_EQ(e.seq.frameHeight(), area.height());

    // The next size dialog shows the cropped size at scale 1.0.
    bool seen = false;
    e.dlg->setSizeDialogRunner([&](CSizeDlg& d) {
        seen = true;
        EXPECT_EQ(d.widthEdit()->text(), QString::number(area.width()));
        EXPECT_EQ(d.heightEdit()->text(), QString::number(area.height()));
        EXPECT_EQ(d.slider()->value(), 100);
        return false;
    });
    e.click(IDC_EDITOR_GENERATE);
    EXPECT_TRUE(seen);
}

TEST(CropMode, CancelResizeAndCloseCutNothing)
{
    EditorFixture e(2, 400, 300);
    e.open();
    CropMode* crop = e.tool<CropMode>();
    auto shrinkTracker = [&] {
        const QRect shown = e.dlg->displayedImageRect();
        const QPoint corner(shown.x() + shown.width() + 2, shown.y() + shown.height() + 2);
        e.drag({corner, corner - QPoint(100, 100)});
        ASSERT_LT(crop->tracker()->rect().width(), shown.width());
    };

    e.click(IDC_EDITOR_CROP);
    shrinkTracker();
    e.menuChoices = {CropMode::kCancelCommand};
    e.click(IDC_EDITOR_CROP);
    EXPECT_FALSE(crop->active());

    e.click(IDC_EDITOR_CROP);
    shrinkTracker();
    e.dlg->resize(e.dlg->width() + 50, e.dlg->height() + 20);
    QCoreApplication::processEvents();
    EXPECT_FALSE(crop->active());
    EXPECT_EQ(e.button(IDC_EDITOR_CROP)->getCheck(), 0);
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);

    e.dlg->renderPictureArea();
    e.click(IDC_EDITOR_CROP);
    shrinkTracker();
    e.dlg->reject();
    EXPECT_FALSE(crop->active());
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(e.seq.at(i)->image->width(), 400);
        EXPECT_EQ(e.seq.at(i)->image->height(), 300);
    }
}

TEST(CropMode, CursorsFollowTheTracker)
{
    EditorFixture e(1, 400, 300);
    e.open();
    e.click(IDC_EDITOR_CROP);
    const QRect shown = e.dlg->displayedImageRect();
    e.mouse(QEvent::MouseMove, shown.center(), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(e.dlg->cursor().shape(), Qt::SizeAllCursor);
    e.mouse(QEvent::MouseMove, QPoint(shown.x() + shown.width() + 2, shown.center().y()), Qt::NoButton,
            Qt::NoButton);
    EXPECT_EQ(e.dlg->cursor().shape(), Qt::SizeHorCursor);
    e.mouse(QEvent::MouseMove, QPoint(shown.x() - 3, shown.y() - 3), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(e.dlg->cursor().shape(), Qt::SizeFDiagCursor);
}
