// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Cinemagraph mode in the editor, offscreen: the tool window at the picture
// area's corner with every control off, painting the mask over the picture
// (drawn at 63/255), "保存" with nothing painted making every frame the still
// frame, painted pixels moving at display scale 1, the close box changing
// nothing, and the brush value kept between uses.
#include <gtest/gtest.h>

#include <QSlider>
#include <QTest>

#include "editor_fixture.h"
#include "effects/cinemagraph_dlg.h"
#include "effects/cinemagraph_mode.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "wait_until.h"

using testenv::EditorFixture;

namespace {

bool samePixels(const RasterImage& a, const RasterImage& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), a.stride()) != 0)
            return false;
    return true;
}

}  // namespace

TEST(CinemagraphMode, StartsWithTheToolWindowAndAWhiteMask)
{
    EditorFixture e(3, 320, 240);
    e.open();
    CinemagraphMode* mode = e.tool<CinemagraphMode>();
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->brushValue(), 40);
    const QImage before = e.dlg->renderPictureArea();
    e.click(IDC_EDITOR_CINEMAGRAPH);
    ASSERT_TRUE(mode->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Cinemagraph);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_FALSE(findControl(e.dlg.get(), id)->isEnabled()) << id;
    CCinemagraphDlg* tool = mode->dialog();
    ASSERT_TRUE(tool);
    EXPECT_TRUE(tool->isVisible());
    EXPECT_EQ(tool->pos(), e.dlg->mapToGlobal(e.dlg->pictureArea().topLeft()));
    EXPECT_EQ(tool->stillFrame(), 1);
    EXPECT_EQ(mode->mask()->size(), e.dlg->displayedImageRect().size());

    // The white mask lightens the picture a little (63 of 255).
    const QRect shown = e.dlg->displayedImageRect();
    const QPoint p = shown.center() - e.dlg->pictureArea().topLeft();
    const QImage masked = e.dlg->renderPictureArea();
    const QColor was(before.pixel(p)), now(masked.pixel(p));
    EXPECT_NEAR(now.red(), was.red() + (255 - was.red()) * 63 / 255, 2);
    EXPECT_NEAR(now.blue(), was.blue() + (255 - was.blue()) * 63 / 255, 2);

    // The close box ends the mode and changes no frame.
    std::vector<RasterImage> frames;
    for (const auto& r : e.seq)
        frames.push_back(*r->image);
    tool->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(mode->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_TRUE(findControl(e.dlg.get(), id)->isEnabled()) << id;
    EXPECT_TRUE(testenv::waitUntil([&] { return mode->dialog() == nullptr; }, 2000));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(samePixels(*e.seq.at(i)->image, frames[size_t(i)])) << i;
}

TEST(CinemagraphMode, SavingWithoutPaintingMakesEveryFrameTheStillFrame)
{
    EditorFixture e(4, 320, 240);
    e.seq.at(2)->setIncluded(false);
    e.open();
    CinemagraphMode* mode = e.tool<CinemagraphMode>();
    // Frame 3 is to be the still one.
    e.dlg->showFrame(3);
    e.click(IDC_EDITOR_CINEMAGRAPH);
    ASSERT_TRUE(mode->active());
    EXPECT_EQ(mode->dialog()->stillFrame(), 3);
    const RasterImage still = *e.seq.at(2)->image;
    QTest::mouseClick(mode->dialog()->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(mode->active());
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(samePixels(*e.seq.at(i)->image, still)) << i;
    EXPECT_FALSE(e.seq.at(2)->included());
}

TEST(CinemagraphMode, AtScaleOneExactlyThePaintedPixelsMove)
{
    EditorFixture e(3, 320, 240);
    e.open();
    ASSERT_EQ(e.dlg->displayScale(), 1.0f);
    CinemagraphMode* mode = e.tool<CinemagraphMode>();
    e.click(IDC_EDITOR_CINEMAGRAPH);
    ASSERT_TRUE(mode->active());
    const QRect shown = e.dlg->displayedImageRect();
    const QPoint o = shown.topLeft();
    e.drag({o + QPoint(40, 40), o + QPoint(120, 60), o + QPoint(200, 180)});
    // A drag that starts outside the picture paints nothing.
    e.drag({o - QPoint(30, 30), o + QPoint(300, 20), o + QPoint(300, 100)});
    const QImage mask = mode->mask()->image();
    EXPECT_EQ(mask.pixel(120, 60), CinemagraphMask::kBrushColor);
    EXPECT_EQ(mask.pixel(300, 60), 0xFFFFFFFFu);
    EXPECT_EQ(mask.pixel(10, 200), 0xFFFFFFFFu);
    // The painted stroke shows in the picture.
    const QImage shot = e.dlg->renderPictureArea();
    const QPoint onStroke = o + QPoint(120, 60) - e.dlg->pictureArea().topLeft();
    EXPECT_GT(QColor(shot.pixel(onStroke)).red(), QColor(shot.pixel(onStroke)).green());

    std::vector<RasterImage> before;
    for (const auto& r : e.seq)
        before.push_back(*r->image);
    QTest::mouseClick(mode->dialog()->saveButton(), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        const RasterImage& f = *e.seq.at(i)->image;
        for (int y = 0; y < 240; y += 3)
            for (int x = 0; x < 320; x += 3) {
                const bool moving = mask.pixel(x, y) != 0xFFFFFFFFu;
                const RasterImage& src = moving ? before[size_t(i)] : before[0];
                ASSERT_EQ(f.getColor(x, y), src.getColor(x, y)) << i << ": " << x << "," << y;
            }
    }
}

TEST(CinemagraphMode, BrushValueIsKeptBetweenUsesAndTheStillFrameAsksFirst)
{
    EditorFixture e(3, 320, 240);
    e.open();
    CinemagraphMode* mode = e.tool<CinemagraphMode>();
    e.click(IDC_EDITOR_CINEMAGRAPH);
    CCinemagraphDlg* tool = mode->dialog();
    QTest::mouseClick(tool->eraserButton(), Qt::LeftButton);
    tool->slider()->setValue(10);
    EXPECT_EQ(mode->brushValue(), -10);

    // "静态帧" takes the editor's current frame once confirmed.
    e.dlg->showFrame(2);
    ScriptedPrompts prompts;
    prompts.answerMessageBox(AnswerOk);
    QTest::mouseClick(tool->stillButton(), Qt::LeftButton);
    EXPECT_EQ(tool->stillFrame(), 2);
    EXPECT_EQ(tool->stillButton()->text(), QStringLiteral("静态帧:2"));

    tool->close();
    QCoreApplication::processEvents();
    e.click(IDC_EDITOR_CINEMAGRAPH);
    ASSERT_TRUE(mode->dialog());
    EXPECT_EQ(mode->dialog()->eraserButton()->getCheck(), 1);
    EXPECT_EQ(mode->dialog()->slider()->value(), 10);
    EXPECT_EQ(mode->brushValue(), -10);
    EXPECT_EQ(mode->dialog()->stillFrame(), 2);  // the current frame again

    // Closing the editor ends the mode without applying it.
    e.dlg->reject();
    EXPECT_FALSE(mode->active());
}
