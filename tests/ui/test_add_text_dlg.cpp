// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The editor offscreen: controls and ids, opening values of the caption
// controls, layout and the drag minimum, the picture area (hatching, fit,
// deleted frames), modes and the tool hooks, the commands through their menus,
// playback, the filter label, generation and the closing steps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_list.h"
#include "editor/size_dlg.h"
#include "editor/x_list_view.h"
#include "editor_fixture.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "wait_until.h"
#include "widgets/color_palette_popup.h"  // (color_picker_button.h uses it inline)
#include "widgets/color_picker_button.h"
#include "widgets/icon_button.h"

namespace {

std::unique_ptr<RasterImage> solid(int w, int h, RgbQuad c)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, c);
    return img;
}

RgbQuad tagColour(int tag)
{
    return RgbQuad{uint8_t(20 * tag), 40, 200, 0};
}

// The shared editor over solid frames in the colours tagColour(1), (2)..., opened.
struct Editor : testenv::EditorFixture {
    explicit Editor(int frames = 5, int w = 320, int h = 240)
        : EditorFixture(frames, w, h, [](int fw, int fh, int i) { return solid(fw, fh, tagColour(i + 1)); })
    {
        open();
    }
    int tagOfIndex(int i) const { return seq.at(i)->image->getColor(0, 0).blue / 20; }
};

}  // namespace

TEST(AddTextDlg, EveryControlCarriesItsIdAndText)
{
    Editor e;
    EXPECT_EQ(e.dlg->windowTitle(), QStringLiteral("编辑"));
    EXPECT_EQ(controlId(e.dlg.get()), IDD_ADDTEXT_DIALOG);
    const std::pair<int, const char*> buttons[] = {
        {8, "添加帧"},   {7, "删除帧"}, {11, "滤镜: 无"}, {15, "Cinemagraph"}, {10, "裁剪"},   {12, "倒序"},
        {6, "慢镜播放"}, {13, "速度"},  {9, "生成动画"},  {5, "添加字幕"},     {3, "删除字幕"}};
    for (auto [id, text] : buttons) {
        CIconButton* b = findControlAs<CIconButton>(e.dlg.get(), id);
        ASSERT_TRUE(b) << id;
        EXPECT_EQ(b->text(), QString::fromUtf8(text)) << id;
    }
    EXPECT_TRUE(e.button(10)->checkMode());
    EXPECT_TRUE(e.button(6)->checkMode());
    EXPECT_FALSE(e.button(12)->checkMode());
    EXPECT_EQ(e.button(5)->tooltipText(), QStringLiteral("增加一条字幕"));
    EXPECT_EQ(e.button(3)->tooltipText(), QStringLiteral("删除字幕"));
    for (int id : {1025, 1026, 1050, 1010, 1011, 1014, 1015, 1016, 1017, 1012, 1013, 1019, 1008})
        EXPECT_TRUE(findControl(e.dlg.get(), id)) << id;
    EXPECT_FALSE(findControl(e.dlg.get(), 1008)->isVisible());
    EXPECT_EQ(e.dlg->captionListControl(), findControl(e.dlg.get(), 1019));
    // Top row in one line, caption controls below the picture.
    EXPECT_EQ(e.button(8)->y(), e.button(9)->y());
    EXPECT_LT(e.button(8)->x(), e.button(7)->x());
    EXPECT_GT(e.button(5)->y(), e.dlg->pictureArea().bottom());
}

TEST(AddTextDlg, CaptionControlsOpenWithTheDefaultsAndAreStoredOnClose)
{
    Editor e(2);
    e.settings.defaultFontSize = 24;
    e.settings.defaultFontBold = false;
    e.settings.defaultFontItalic = true;
    e.settings.defaultFontVertical = true;
    e.settings.defaultFontColor = makeColorRef(1, 2, 3);
    e.settings.defaultFontBkColor = makeColorRef(4, 5, 6);
    e.settings.defaultFontBkStyle = 3;
    e.open();
    auto* sizes = findControlAs<QComboBox>(e.dlg.get(), 1011);
    ASSERT_EQ(sizes->count(), 16);
    EXPECT_EQ(sizes->itemText(0), QStringLiteral("6"));
    EXPECT_EQ(sizes->itemText(15), QStringLiteral("72"));
    EXPECT_EQ(sizes->currentText(), QStringLiteral("24"));
    auto* styles = findControlAs<QComboBox>(e.dlg.get(), 1014);
    ASSERT_EQ(styles->count(), 4);
    EXPECT_EQ(styles->itemText(0), QStringLiteral("不用了"));
    EXPECT_EQ(styles->itemText(3), QStringLiteral("粗描边"));
    EXPECT_EQ(styles->currentIndex(), 3);
    EXPECT_FALSE(findControlAs<QCheckBox>(e.dlg.get(), 1015)->isChecked());
    EXPECT_TRUE(findControlAs<QCheckBox>(e.dlg.get(), 1016)->isChecked());
    EXPECT_TRUE(findControlAs<QCheckBox>(e.dlg.get(), 1017)->isChecked());
    EXPECT_EQ(findControlAs<CColorPickerButton>(e.dlg.get(), 1012)->color(), makeColorRef(1, 2, 3));
    EXPECT_EQ(findControlAs<CColorPickerButton>(e.dlg.get(), 1013)->color(), makeColorRef(4, 5, 6));
    auto* fonts = findControlAs<QComboBox>(e.dlg.get(), 1010);
    for (int i = 0; i < fonts->count(); ++i)
        EXPECT_FALSE(fonts->itemText(i).startsWith(QLatin1Char('@')));

    // The user changes them; closing stores them as defaults.
    sizes->setCurrentIndex(2);  // "10"
    styles->setCurrentIndex(1);
    findControlAs<QCheckBox>(e.dlg.get(), 1015)->setChecked(true);
    findControlAs<CColorPickerButton>(e.dlg.get(), 1012)->setColor(makeColorRef(9, 8, 7));
    e.dlg->reject();
    EXPECT_EQ(e.dlg->result(), QDialog::Rejected);
    EXPECT_EQ(e.settings.defaultFontSize, 10);
    EXPECT_EQ(e.settings.defaultFontBkStyle, 1);
    EXPECT_TRUE(e.settings.defaultFontBold);
    EXPECT_EQ(e.settings.defaultFontColor, makeColorRef(9, 8, 7));
    if (fonts->count() > 0) {
        EXPECT_EQ(e.settings.defaultFontName, fonts->currentText().left(31));
    }
    EXPECT_EQ(e.dlg->strip()->count(), 0);  // items released, records kept
    EXPECT_EQ(e.seq.count(), 2);
}

TEST(AddTextDlg, LayoutFollowsTheSizeWithAMinimum)
{
    Editor e;
    e.dlg->resize(500, 300);
    e.drain();
    EXPECT_EQ(e.dlg->size(), QSize(900, 602));

    e.dlg->resize(1200, 800);
    e.drain();
    QWidget* list = e.dlg->captionListControl();
    const int fromRight = 1200 - (list->x() + list->width());
    const int fromBottom = 800 - e.button(5)->y();
    const int listFromBottom = 800 - list->y();
    const QPoint topButton = e.button(9)->pos();
    e.dlg->resize(1400, 900);
    e.drain();
    EXPECT_EQ(1400 - (list->x() + list->width()), fromRight);  // stretches
    EXPECT_EQ(900 - e.button(5)->y(), fromBottom);
    EXPECT_EQ(900 - list->y(), listFromBottom);
    EXPECT_EQ(e.button(9)->pos(), topButton);
    // Strip: left column down to the bottom; picture area between the rows.
    EXPECT_EQ(e.dlg->strip()->geometry(), QRect(0, 0, e.button(5)->x() - 2, 900));
    const QRect area = e.dlg->pictureArea();
    EXPECT_EQ(area.left(), e.button(5)->x() - 5);
    EXPECT_EQ(area.top(), e.button(7)->y() + e.button(7)->height() + 1);
    EXPECT_EQ(area.left() + area.width(), 1400);
    EXPECT_EQ(area.top() + area.height(), e.button(5)->y() - 5);
}

TEST(AddTextDlg, PictureAreaShowsTheFrameShrunkAndCentredOverHatching)
{
    Editor e(2, 1600, 1200);
    const QRect area = e.dlg->pictureArea();
    const QImage shot = e.dlg->renderPictureArea();
    ASSERT_EQ(shot.size(), area.size());
    const float scale = std::max(1600.0f / area.width(), 1200.0f / area.height());
    EXPECT_FLOAT_EQ(e.dlg->displayScale(), std::max(1.0f, scale));
    const QRect img = e.dlg->displayedImageRect();
    EXPECT_EQ(img.width(), int(1600 / e.dlg->displayScale()));
    EXPECT_EQ(img.height(), int(1200 / e.dlg->displayScale()));
    EXPECT_TRUE(area.contains(img));
    const QPoint mid = img.center() - area.topLeft();
    const RgbQuad c = tagColour(1);
    EXPECT_EQ(QColor(shot.pixel(mid)), QColor(c.red, c.green, c.blue));
    // Outside the image: only white and the grey hatching.
    const QRgb corner = shot.pixel(0, 0);
    EXPECT_TRUE(corner == qRgb(255, 255, 255) || corner == qRgb(191, 191, 191));
    bool hatched = false;
    for (int x = 0; x < 20; ++x)
        hatched |= shot.pixel(x, 3) == qRgb(191, 191, 191);
    EXPECT_TRUE(hatched);

    // A deleted frame shows only the hatching and keeps the rectangle.
    e.seq.at(0)->setIncluded(false);
    const QImage hidden = e.dlg->renderPictureArea();
    EXPECT_NE(QColor(hidden.pixel(mid)), QColor(c.red, c.green, c.blue));
    EXPECT_EQ(e.dlg->displayedImageRect(), img);
    // A frame number without a record too.
    sendWindowMessage(e.dlg.get(), UM_SHOW_FRAME, 0, 9);
    EXPECT_EQ(e.dlg->currentFrame(), 9);
    const QImage none = e.dlg->renderPictureArea();
    EXPECT_NE(QColor(none.pixel(mid)), QColor(c.red, c.green, c.blue));
}

TEST(AddTextDlg, SmallFramesAreNotEnlarged)
{
    Editor e(1, 320, 240);
    e.dlg->renderPictureArea();
    const QRect area = e.dlg->pictureArea();
    EXPECT_FLOAT_EQ(e.dlg->displayScale(), 1.0f);
    const QRect img = e.dlg->displayedImageRect();
    EXPECT_EQ(img.size(), QSize(320, 240));
    const int cx = (area.left() + area.left() + area.width()) / 2;
    const int cy = (area.top() + area.top() + area.height()) / 2;
    EXPECT_EQ(img.left(), cx - 160);
    EXPECT_EQ(img.top(), cy - 120);
}

namespace {

// A tool that records what the editor asked of it.
struct ProbeTool : EditorTool {
    EditorHost* host = nullptr;
    std::vector<int> commands;
    std::vector<int> framesDrawn;
    int presses = 0;
    int overImage = 0;
    int overArea = 0;
    int closings = 0;
    bool claimCrop = false;
    void attach(EditorHost& h) override { host = &h; }
    bool command(int id) override
    {
        commands.push_back(id);
        if (id == IDC_EDITOR_CROP && claimCrop) {
            if (host->mode() == EditorMode::Crop)
                host->leaveMode();
            else
                host->enterMode(EditorMode::Crop);
            return true;
        }
        return false;
    }
    bool mousePress(const EditorMouseEvent& ev) override
    {
        ++presses;
        return host->displayedImageRect().contains(ev.pos);
    }
    void drawOnFrame(RasterImage& frame, int n) override
    {
        framesDrawn.push_back(n);
        frame.setColor(0, 0, RgbQuad{1, 2, 3, 0});  // visible in the buffer only
    }
    void paintOverImage(QPainter&, const QRect&) override { ++overImage; }
    void paintOverArea(QPainter&) override { ++overArea; }
    void closing() override { ++closings; }
};

}  // namespace

TEST(AddTextDlg, ToolsGetCommandsMouseAndPaintHooks)
{
    Editor e(3);
    auto probe = std::make_unique<ProbeTool>();
    ProbeTool* t = probe.get();
    t->claimCrop = true;
    e.dlg->installTool(std::move(probe));
    ASSERT_EQ(t->host, e.dlg.get());

    e.dlg->renderPictureArea();
    EXPECT_EQ(t->framesDrawn, (std::vector<int>{1}));
    EXPECT_EQ(t->overImage, 1);
    // The frame itself is untouched by the buffer drawing.
    EXPECT_EQ(e.seq.at(0)->image->getColor(0, 0), tagColour(1));

    e.dlg->repaint();
    EXPECT_GE(t->overArea, 1);

    const QPoint inside = e.dlg->displayedImageRect().center();
    QTest::mouseClick(e.dlg.get(), Qt::LeftButton, {}, inside);
    EXPECT_GE(t->presses, 1);

    // Crop mode: every mode control off except 10, back on when it ends.
    e.click(IDC_EDITOR_CROP);
    EXPECT_EQ(e.dlg->mode(), EditorMode::Crop);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_EQ(findControl(e.dlg.get(), id)->isEnabled(), id == IDC_EDITOR_CROP) << id;
    EXPECT_FALSE(e.dlg->enterMode(EditorMode::Cinemagraph));  // one mode at a time
    e.click(IDC_EDITOR_CROP);
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_TRUE(findControl(e.dlg.get(), id)->isEnabled()) << id;

    EXPECT_TRUE(e.dlg->enterMode(EditorMode::Cinemagraph));
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_FALSE(findControl(e.dlg.get(), id)->isEnabled()) << id;
    e.dlg->reject();
    EXPECT_EQ(t->closings, 1);
    for (int id : CAddTextDlg::modeControlIds())
        EXPECT_TRUE(findControl(e.dlg.get(), id)->isEnabled()) << id;
}

TEST(AddTextDlg, CropOnADeletedFrameStaysUnchecked)
{
    Editor e(2);
    e.seq.at(0)->setIncluded(false);
    e.click(IDC_EDITOR_CROP);
    EXPECT_EQ(e.button(IDC_EDITOR_CROP)->getCheck(), 0);
    EXPECT_EQ(e.dlg->mode(), EditorMode::Normal);
}

TEST(AddTextDlg, ReverseSpeedAndRotateThroughTheirMenus)
{
    Editor e(5);
    sendWindowMessage(e.dlg.get(), UM_SHOW_FRAME, 0, 2);
    e.choose(IDC_EDITOR_REVERSE, CAddTextDlg::CmdReverse);
    EXPECT_EQ(e.dlg->currentFrame(), 4);
    EXPECT_EQ(e.tagOfIndex(0), 5);
    EXPECT_EQ(e.dlg->strip()->items()[0].record, e.seq.at(0));
    EXPECT_TRUE(e.dlg->strip()->selectedIndices().empty());

    e.seq.at(0)->delay = 1;
    e.seq.at(1)->delay = 2;
    e.seq.at(2)->delay = 999;
    e.choose(IDC_EDITOR_SPEED, CAddTextDlg::CmdFaster);
    EXPECT_EQ(e.seq.at(0)->delay, 1);
    EXPECT_EQ(e.seq.at(1)->delay, 1);
    e.choose(IDC_EDITOR_SPEED, CAddTextDlg::CmdSlower);
    EXPECT_EQ(e.seq.at(2)->delay, 999);
    EXPECT_EQ(e.seq.at(3)->delay, 10);

    e.choose(IDC_EDITOR_REVERSE, CAddTextDlg::CmdRotateLeft);
    EXPECT_EQ(e.seq.frameRect(), (FrameRect{0, 0, 240, 320}));
    EXPECT_EQ(e.seq.at(4)->image->width(), 240);
    e.choose(IDC_EDITOR_REVERSE, 0);  // dismissed: nothing changes
    EXPECT_EQ(e.seq.frameRect(), (FrameRect{0, 0, 240, 320}));
}

TEST(AddTextDlg, DeleteMenuTogglesAndRemovesTheSelection)
{
    Editor e(5);
    XListView* strip = e.dlg->strip();
    e.seq.at(2)->setIncluded(false);
    strip->selectOnly(1);
    // (select 2 and 3 as a Ctrl-click would)
    const_cast<StripItem&>(strip->items()[2]).selected = true;
    e.choose(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdToggleDeleted);
    EXPECT_FALSE(e.seq.at(1)->included());
    EXPECT_FALSE(e.seq.at(2)->included());
    e.choose(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdToggleDeleted);
    EXPECT_TRUE(e.seq.at(1)->included());
    EXPECT_TRUE(e.seq.at(2)->included());

    ScriptedPrompts prompts;
    // Cancelled: nothing removed.
    prompts.answerMessageBox(AnswerCancel);
    e.choose(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdRemoveFrames);
    EXPECT_EQ(e.seq.count(), 5);
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked()[0].type, unsigned(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(prompts.asked()[0].text.startsWith(QStringLiteral("确定要删除选中的帧吗？")));
    // Everything selected: refused silently.
    strip->selectAll();
    prompts.answerMessageBox(AnswerOk);
    e.choose(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdRemoveFrames);
    EXPECT_EQ(e.seq.count(), 5);
    // Frames 2 and 3 go; frame 1 is shown, nothing selected.
    strip->selectOnly(1);
    const_cast<StripItem&>(strip->items()[2]).selected = true;
    sendWindowMessage(e.dlg.get(), UM_SHOW_FRAME, 0, 3);
    prompts.answerMessageBox(AnswerOk);
    e.choose(IDC_EDITOR_DELETE_FRAMES, CAddTextDlg::CmdRemoveFrames);
    e.drain();
    EXPECT_EQ(e.seq.count(), 3);
    EXPECT_EQ(e.tagOfIndex(1), 4);
    EXPECT_EQ(strip->count(), 3);
    EXPECT_TRUE(strip->selectedIndices().empty());
    EXPECT_EQ(e.dlg->currentFrame(), 1);
}

TEST(AddTextDlg, InsertMenuNamesTheCurrentFrame)
{
    Editor e(3);
    sendWindowMessage(e.dlg.get(), UM_SHOW_FRAME, 0, 2);
    auto menu = e.dlg->makeInsertMenu();
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("在第 2 帧之前插入"));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("在第 2 帧之后插入"));
}

TEST(AddTextDlg, PlaybackSkipsDeletedFramesAndStopsWhenAllAre)
{
    Editor e(5);
    e.seq.at(1)->setIncluded(false);
    e.seq.at(2)->setIncluded(false);
    e.click(IDC_EDITOR_SLOW_PLAY);
    ASSERT_TRUE(e.dlg->isPlaying());
    EXPECT_EQ(e.button(6)->getCheck(), 1);
    EXPECT_TRUE(e.button(6)->isEnabled());
    EXPECT_FALSE(e.button(7)->isEnabled());
    EXPECT_EQ(e.dlg->currentFrame(), 1);
    std::vector<int> shown;
    for (int i = 0; i < 4; ++i) {
        const int before = e.dlg->currentFrame();
        ASSERT_TRUE(testenv::waitUntil([&] { return e.dlg->currentFrame() != before; }, 5000));
        shown.push_back(e.dlg->currentFrame());
    }
    EXPECT_EQ(shown, (std::vector<int>{4, 5, 1, 4}));
    EXPECT_EQ(e.dlg->strip()->selectedIndices(), (std::vector<int>{3}));
    // A frame shown from the strip stops playback.
    sendWindowMessage(e.dlg.get(), UM_SHOW_FRAME, 0, 2);
    EXPECT_FALSE(e.dlg->isPlaying());
    EXPECT_EQ(e.button(6)->getCheck(), 0);
    EXPECT_TRUE(e.button(7)->isEnabled());

    for (int i = 0; i < 5; ++i)
        e.seq.at(i)->setIncluded(false);
    e.click(IDC_EDITOR_SLOW_PLAY);
    ASSERT_TRUE(e.dlg->isPlaying());
    EXPECT_TRUE(testenv::waitUntil([&] { return !e.dlg->isPlaying(); }, 5000));
    EXPECT_EQ(e.button(6)->getCheck(), 0);
}

TEST(AddTextDlg, FilterLabelFollowsUmFilterChosen)
{
    Editor e(2);
    EXPECT_EQ(e.button(11)->text(), QStringLiteral("滤镜: 无"));
    e.settings.filterNumber = 4;
    sendWindowMessage(e.dlg.get(), UM_FILTER_CHOSEN, 0, 9999);  // no such filter file
    EXPECT_EQ(e.button(11)->text(), QStringLiteral("滤镜: 无"));
    EXPECT_EQ(e.settings.filterNumber, 0);
    EXPECT_EQ(e.dlg->filterPreview(), nullptr);
    sendWindowMessage(e.dlg.get(), UM_FILTER_CHOSEN, 0, 0);
    EXPECT_EQ(e.button(11)->text(), QStringLiteral("滤镜: 无"));
}

TEST(AddTextDlg, GenerateClosesOnlyOnOk)
{
    Editor e(2, 640, 480);
    QPoint sizeAt;
    e.dlg->setSizeDialogRunner([&](CSizeDlg& d) {
        sizeAt = d.pos();
        return false;
    });
    e.click(IDC_EDITOR_GENERATE);
    EXPECT_TRUE(e.dlg->isVisible());
    QWidget* b6 = e.button(6);
    EXPECT_EQ(sizeAt, b6->mapToGlobal(QPoint(b6->width(), b6->height())));
    e.dlg->setSizeDialogRunner([&](CSizeDlg& d) {
        d.accept();
        return true;
    });
    e.click(IDC_EDITOR_GENERATE);
    EXPECT_FALSE(e.dlg->isVisible());
    EXPECT_EQ(e.dlg->result(), CAddTextDlg::Generate);
    EXPECT_EQ(e.dlg->strip()->count(), 0);
}

TEST(AddTextDlg, EnterDoesNothingEscapeCloses)
{
    Editor e(2);
    QTest::keyClick(e.dlg.get(), Qt::Key_Return);
    EXPECT_TRUE(e.dlg->isVisible());
    QTest::keyClick(e.dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(e.dlg->isVisible());
    EXPECT_EQ(e.dlg->result(), QDialog::Rejected);
}

TEST(AddTextDlg, PlaybackNeedsMoreThanOneFrame)
{
    Editor e(1);
    e.click(IDC_EDITOR_SLOW_PLAY);
    EXPECT_FALSE(e.dlg->isPlaying());
    EXPECT_EQ(e.button(6)->getCheck(), 0);
    EXPECT_TRUE(e.button(7)->isEnabled());
}
