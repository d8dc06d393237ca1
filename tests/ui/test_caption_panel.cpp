// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Captions in the editor, offscreen: the caption list's columns and rows,
// adding (place, range, text typed at once), editing cells, selecting from the
// list and in the picture, dragging, the controls acting on the active caption
// only, the record's length limit for vertical text, deleting, and the preview
// in the picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_editing.h"
#include "editor/caption_list.h"
#include "editor/caption_panel.h"
#include "editor/list_ctrl_ex.h"
#include "platform/control_id.h"
#include "res/resource.h"
#include "widgets/color_palette_popup.h"  // (color_picker_button.h uses it inline)
#include "widgets/color_picker_button.h"
#include "widgets/icon_button.h"

namespace {

constexpr ColorRef kYellow = makeColorRef(255, 255, 0);

std::unique_ptr<RasterImage> solid(int w, int h)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, RgbQuad{60, 40, 20, 0});
    return img;
}

std::unique_ptr<CaptionItem> caption(const QString& text, int x, int y, int first, int last)
{
    auto c = std::make_unique<CaptionItem>();
    c->setText(text);
    c->x = x;
    c->y = y;
    c->firstFrame = first;
    c->lastFrame = last;
    c->font.setFace(QStringLiteral("DejaVu Sans"));
    c->font.height = -27;
    c->font.weight = 400;
    c->textColor = makeColorRef(0, 255, 0);
    return c;
}

struct Editor {
    FrameSequence seq;
    CaptionList captions;
    AppSettings settings;
    std::unique_ptr<CAddTextDlg> dlg;

    explicit Editor(int frames = 5)
    {
        for (int i = 0; i < frames; ++i)
            seq.append(FrameRecord::make(solid(320, 240), 10));
        seq.SetFrameRectangle(0, 0, 320, 240, 0);
        settings.defaultFontName = QStringLiteral("DejaVu Sans");
        settings.defaultFontSize = 14;
        settings.defaultFontBold = true;
        settings.defaultFontColor = kYellow;
        settings.defaultFontBkStyle = 0;
    }
    void open()
    {
        dlg = std::make_unique<CAddTextDlg>(seq, captions, settings);
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        dlg->renderPictureArea();  // measures the captions on the shown frame
    }
    CListCtrlEx* list() const { return findControlAs<CListCtrlEx>(dlg.get(), IDC_EDITOR_CAPTION_LIST); }
    QLineEdit* cellEditor() const { return findControlAs<QLineEdit>(dlg.get(), IDC_EDITOR_CELL_EDIT); }
    template <typename T>
    T* control(int id) const
    {
        return findControlAs<T>(dlg.get(), id);
    }
    QPoint cell(int row, int column) const
    {
        return list()->visualRect(list()->model()->index(row, column)).center();
    }
    void clickRow(int row, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(list()->viewport(), b, Qt::NoModifier, cell(row, 0));
        QCoreApplication::processEvents();  // the posted UM_SHOW_FRAME
    }
    void type(const QString& text)
    {
        cellEditor()->selectAll();
        QTest::keyClicks(cellEditor(), text);
        QTest::keyClick(cellEditor(), Qt::Key_Return);
    }
    // A frame pixel as a point of the editor's client area.
    QPoint client(int fx, int fy) const
    {
        const QRect d = dlg->displayedImageRect();
        const float s = dlg->displayScale();
        return QPoint(d.left() + int(fx / s), d.top() + int(fy / s));
    }
    void mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons held)
    {
        QMouseEvent e(type, at, dlg->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(dlg.get(), &e);
    }
    void choose(QComboBox* combo, const QString& text)
    {
        combo->setCurrentIndex(combo->findText(text));
        emit combo->activated(combo->currentIndex());
    }
};

}  // namespace

TEST(CaptionPanel, ListHasItsColumnsAndOneRowPerCaptionNewestOnTop)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("first"), 5, 50, 1, 3));
    e.captions.append(caption(QStringLiteral("X\nY"), -2, 60, 2, 4));
    e.open();
    CListCtrlEx* list = e.list();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->columnCount(), 5);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(list->horizontalHeaderItem(k)->text(), caption_editing::columnHeading(k));
        EXPECT_EQ(list->horizontalHeader()->sectionSize(k), caption_editing::columnWidth(k));
    }
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->itemData(0), e.captions.at(1));
    const QStringList top = {"2", "4", "XY", "-2", "60"};
    const QStringList bottom = {"1", "3", "first", "5", "50"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(list->cellText(0, k), top[k]);
        EXPECT_EQ(list->cellText(1, k), bottom[k]);
    }
    EXPECT_EQ(list->editor(), e.cellEditor());
    EXPECT_FALSE(e.cellEditor()->isVisible());
}

TEST(CaptionPanel, AddedCaptionTakesTheControlsAndItsTextIsTypedAtOnce)
{
    Editor e;
    e.open();
    e.dlg->showFrame(2);
    e.dlg->button(IDC_EDITOR_ADD_CAPTION)->click();
    ASSERT_EQ(e.captions.count(), 1);
    CaptionItem* c = e.captions.at(0);
    EXPECT_GE(c->x, 0);
    EXPECT_LE(c->x, 4);
    EXPECT_GE(c->y, 216);
    EXPECT_LE(c->y, 220);
    EXPECT_EQ(c->firstFrame, 2);
    EXPECT_EQ(c->lastFrame, 5);
    EXPECT_EQ(c->text(), QStringLiteral("双击字幕栏的文字来修改内容"));
    EXPECT_EQ(c->font.face(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(c->font.weight, 700);
    EXPECT_EQ(c->font.height, CaptionFont::heightForPoints(14, e.dlg->logicalDpiY()));
    EXPECT_EQ(c->textColor, kYellow);
    EXPECT_FALSE(c->selected);

    // The text cell of the new top row is being edited.
    ASSERT_TRUE(e.list()->isEditing());
    EXPECT_EQ(e.list()->editingRow(), 0);
    EXPECT_EQ(e.list()->editingColumn(), CaptionColumnText);
    EXPECT_TRUE(e.cellEditor()->isVisible());
    EXPECT_EQ(e.cellEditor()->selectedText(), c->text());
    e.type(QStringLiteral("Hello"));
    EXPECT_EQ(c->text(), QStringLiteral("Hello"));
    EXPECT_EQ(e.list()->cellText(0, CaptionColumnText), QStringLiteral("Hello"));

    // Vertical: stored with breaks, shown without.
    e.control<QCheckBox>(IDC_EDITOR_VERTICAL)->setChecked(true);
    e.dlg->button(IDC_EDITOR_ADD_CAPTION)->click();
    ASSERT_EQ(e.captions.count(), 2);
    CaptionItem* v = e.captions.at(1);
    EXPECT_TRUE(v->isVertical());
    EXPECT_EQ(e.list()->itemData(0), v);
    e.type(QStringLiteral("XYZ"));
    EXPECT_EQ(v->text(), QStringLiteral("X\nY\nZ"));
    EXPECT_EQ(e.list()->cellText(0, CaptionColumnText), QStringLiteral("XYZ"));
    EXPECT_EQ(e.cellEditor()->maxLength(), 2048);

    // No frames: nothing is added.
    Editor none(0);
    none.dlg = std::make_unique<CAddTextDlg>(none.seq, none.captions, none.settings);
    none.dlg->button(IDC_EDITOR_ADD_CAPTION)->click();
    EXPECT_EQ(none.captions.count(), 0);
}

TEST(CaptionPanel, CellsTakeOnlyWhatTheirColumnAccepts)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("abc"), 5, 50, 2, 4));
    e.open();
    CaptionItem* c = e.captions.at(0);
    struct Case {
        int column;
        const char* typed;
        const char* cell;
    };
    const Case cases[] = {
        {0, "0", "2"},       {0, "5", "2"},
        {0, "3", "3"},  // v != 0 and v <= last
        {1, "2", "4"},       {1, "6", "4"},
        {1, "5", "5"},    // first <= v <= frames
        {3, "x7y", "7"},  // digits only
        {4, "123", "123"},   {2, "new text", "new text"},
        {2, "", "new text"},
    };
    for (const Case& k : cases) {
        QTest::mouseDClick(e.list()->viewport(), Qt::LeftButton, Qt::NoModifier, e.cell(0, k.column));
        ASSERT_TRUE(e.list()->isEditing()) << k.typed;
        e.cellEditor()->selectAll();
        QTest::keyClick(e.cellEditor(), Qt::Key_Delete);
        QTest::keyClicks(e.cellEditor(), QString::fromUtf8(k.typed));
        QTest::keyClick(e.cellEditor(), Qt::Key_Return);
        EXPECT_EQ(e.list()->cellText(0, k.column), QString::fromUtf8(k.cell)) << k.column << " " << k.typed;
    }
    EXPECT_EQ(c->firstFrame, 3);
    EXPECT_EQ(c->lastFrame, 5);
    EXPECT_EQ(c->x, 7);
    EXPECT_EQ(c->y, 123);
    EXPECT_EQ(c->text(), QStringLiteral("new text"));
    // Escape applies what was typed too.
    QTest::mouseDClick(e.list()->viewport(), Qt::LeftButton, Qt::NoModifier, e.cell(0, 3));
    e.cellEditor()->selectAll();
    QTest::keyClicks(e.cellEditor(), QStringLiteral("9"));
    QTest::keyClick(e.cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(c->x, 9);
    EXPECT_TRUE(e.dlg->isVisible());
}

TEST(CaptionPanel, ClickingARowSelectsItsCaptionLoadsTheControlsAndShowsItsFirstFrame)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("one"), 5, 50, 3, 4));
    auto two = caption(QStringLiteral("two"), 5, 80, 2, 5);
    two->font.weight = 700;
    two->font.italic = 1;
    two->backgroundStyle = CaptionBackgroundThickOutline;
    two->backgroundColor = makeColorRef(1, 2, 3);
    e.captions.append(std::move(two));
    e.open();
    CaptionItem* one = e.captions.at(0);
    CaptionItem* second = e.captions.at(1);

    e.clickRow(1);  // "one"
    EXPECT_TRUE(one->selected);
    EXPECT_FALSE(second->selected);
    EXPECT_EQ(e.dlg->currentFrame(), 3);
    EXPECT_EQ(e.control<QComboBox>(IDC_EDITOR_SIZE_LIST)->currentText(),
              QString::number(CaptionFont::pointsForHeight(-27, e.dlg->logicalDpiY())));
    EXPECT_FALSE(e.control<QCheckBox>(IDC_EDITOR_BOLD)->isChecked());

    e.clickRow(0, Qt::RightButton);  // "two"
    EXPECT_FALSE(one->selected);
    EXPECT_TRUE(second->selected);
    EXPECT_EQ(e.dlg->currentFrame(), 2);
    EXPECT_TRUE(e.control<QCheckBox>(IDC_EDITOR_BOLD)->isChecked());
    EXPECT_TRUE(e.control<QCheckBox>(IDC_EDITOR_ITALIC)->isChecked());
    EXPECT_EQ(e.control<QComboBox>(IDC_EDITOR_BK_STYLE)->currentIndex(), 3);
    EXPECT_EQ(e.control<CColorPickerButton>(IDC_EDITOR_BK_COLOR)->color(), makeColorRef(1, 2, 3));
    EXPECT_EQ(e.control<CColorPickerButton>(IDC_EDITOR_TEXT_COLOR)->color(), makeColorRef(0, 255, 0));
}

TEST(CaptionPanel, PressPicksDragMovesAndAPressOutsideDeselects)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("older"), 20, 100, 1, 5));
    e.captions.append(caption(QStringLiteral("newer"), 40, 110, 1, 5));
    e.captions.append(caption(QStringLiteral("later"), 20, 200, 4, 5));
    e.open();
    CaptionItem* older = e.captions.at(0);
    CaptionItem* newer = e.captions.at(1);
    CaptionItem* later = e.captions.at(2);
    ASSERT_GT(older->width, 0);  // measured by the preview
    ASSERT_GT(newer->height, 0);

    // In the overlap the older caption is picked.
    const QPoint overlap = e.client(45, 95);
    ASSERT_TRUE(older->boxContains(45, 95) && newer->boxContains(45, 95));
    e.mouse(QEvent::MouseButtonPress, overlap, Qt::LeftButton);
    EXPECT_TRUE(older->selected);
    EXPECT_FALSE(newer->selected);
    EXPECT_EQ(e.list()->selectedItemRow(), e.list()->findRow(older));

    // Dragging moves it by the pointer's way in frame pixels.
    const float s = e.dlg->displayScale();
    const QPoint to = overlap + QPoint(30, 20);
    e.mouse(QEvent::MouseMove, to, Qt::LeftButton);
    const QPoint f = e.dlg->toFramePixels(to);
    EXPECT_EQ(older->x, f.x() - 25);  // picked 25 right of its left edge
    EXPECT_EQ(older->y, f.y() + older->height - (95 - (100 - older->height)));
    const int row = e.list()->findRow(older);
    EXPECT_EQ(e.list()->cellText(row, CaptionColumnX), QString::number(older->x));
    EXPECT_EQ(e.list()->cellText(row, CaptionColumnY), QString::number(older->y));
    e.mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    (void)s;

    // Not on its frames: the later caption cannot be picked; the press deselects all.
    ASSERT_TRUE(later->boxContains(25, 195) || later->width == 0);
    e.mouse(QEvent::MouseButtonPress, e.client(25, 195), Qt::LeftButton);
    e.mouse(QEvent::MouseButtonRelease, e.client(25, 195), Qt::NoButton);
    EXPECT_FALSE(later->selected);
    EXPECT_FALSE(older->selected);
    // A move with the button held now moves nothing.
    const int x = older->x;
    e.mouse(QEvent::MouseMove, e.client(200, 200), Qt::LeftButton);
    EXPECT_EQ(older->x, x);
}

TEST(CaptionPanel, ControlsActOnTheActiveCaptionAndAreKeptForTheNext)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("text"), -5, 300, 2, 3));
    e.open();
    CaptionItem* c = e.captions.at(0);
    const int dpi = e.dlg->logicalDpiY();
    e.clickRow(0);
    ASSERT_TRUE(c->selected);
    ASSERT_EQ(e.dlg->currentFrame(), 2);

    e.choose(e.control<QComboBox>(IDC_EDITOR_SIZE_LIST), QStringLiteral("20"));
    EXPECT_EQ(c->font.height, CaptionFont::heightForPoints(20, dpi));
    e.control<QCheckBox>(IDC_EDITOR_BOLD)->click();
    EXPECT_EQ(c->font.weight, 700);
    e.control<QCheckBox>(IDC_EDITOR_ITALIC)->click();
    EXPECT_EQ(c->font.italic, 1);
    e.choose(e.control<QComboBox>(IDC_EDITOR_BK_STYLE), QStringLiteral("方框"));
    EXPECT_EQ(c->backgroundStyle, CaptionBackgroundBox);
    e.control<CColorPickerButton>(IDC_EDITOR_TEXT_COLOR)->setColor(makeColorRef(9, 8, 7), true);
    QCoreApplication::processEvents();
    EXPECT_EQ(c->textColor, makeColorRef(9, 8, 7));

    // Vertical: x raised to 0; horizontal again: y down to the displayed height.
    e.control<QCheckBox>(IDC_EDITOR_VERTICAL)->click();
    EXPECT_TRUE(c->isVertical());
    EXPECT_EQ(c->x, 0);
    EXPECT_EQ(e.list()->cellText(0, CaptionColumnX), QStringLiteral("0"));
    e.control<QCheckBox>(IDC_EDITOR_VERTICAL)->click();
    EXPECT_FALSE(c->isVertical());
    EXPECT_EQ(c->y, e.dlg->displayedImageRect().height());

    // Shown outside its range it is no longer active: only the controls change.
    e.dlg->showFrame(4);
    const int height = c->font.height;
    e.choose(e.control<QComboBox>(IDC_EDITOR_SIZE_LIST), QStringLiteral("36"));
    EXPECT_EQ(c->font.height, height);
    e.dlg->button(IDC_EDITOR_ADD_CAPTION)->click();
    ASSERT_EQ(e.captions.count(), 2);
    EXPECT_EQ(e.captions.at(1)->font.height, CaptionFont::heightForPoints(36, dpi));
    EXPECT_EQ(e.captions.at(1)->backgroundStyle, CaptionBackgroundBox);
    EXPECT_EQ(e.captions.at(1)->textColor, makeColorRef(9, 8, 7));
}

TEST(CaptionPanel, TextTooLongToBeVerticalStaysHorizontalAndWhole)
{
    Editor e;
    const QString longText(3000, QChar('w'));
    e.captions.append(caption(longText, -5, 100, 1, 5));
    e.open();
    CaptionItem* c = e.captions.at(0);
    e.clickRow(0);
    QCheckBox* vertical = e.control<QCheckBox>(IDC_EDITOR_VERTICAL);
    vertical->click();
    EXPECT_FALSE(c->isVertical());
    EXPECT_EQ(c->text(), longText);
    EXPECT_EQ(c->x, -5);
    EXPECT_FALSE(vertical->isChecked());
}

TEST(CaptionPanel, DeleteRemovesTheSelectedRowsCaption)
{
    Editor e;
    e.captions.append(caption(QStringLiteral("a"), 5, 50, 1, 5));
    e.captions.append(caption(QStringLiteral("b"), 5, 90, 1, 5));
    e.open();
    e.dlg->button(IDC_EDITOR_DELETE_CAPTION)->click();  // no row selected: nothing
    EXPECT_EQ(e.captions.count(), 2);
    e.clickRow(1);  // "a"
    e.dlg->button(IDC_EDITOR_DELETE_CAPTION)->click();
    ASSERT_EQ(e.captions.count(), 1);
    EXPECT_EQ(e.captions.at(0)->text(), QStringLiteral("b"));
    ASSERT_EQ(e.list()->rowCount(), 1);
    EXPECT_EQ(e.list()->cellText(0, CaptionColumnText), QStringLiteral("b"));
}

TEST(CaptionPanel, PictureShowsCaptionsOnTheirFramesOnly)
{
    Editor e;
    auto c = caption(QStringLiteral("Hi"), 10, 60, 2, 3);
    c->backgroundStyle = CaptionBackgroundBox;
    c->backgroundColor = makeColorRef(250, 0, 250);
    e.captions.append(std::move(c));
    e.open();
    auto magentaIn = [&](const QImage& area) {
        int n = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const QColor p = area.pixelColor(x, y);
                n += p.red() > 200 && p.green() < 60 && p.blue() > 200;
            }
        return n;
    };
    EXPECT_EQ(magentaIn(e.dlg->renderPictureArea()), 0);  // frame 1
    e.dlg->showFrame(2);
    EXPECT_GT(magentaIn(e.dlg->renderPictureArea()), 0);
    e.dlg->showFrame(4);
    EXPECT_EQ(magentaIn(e.dlg->renderPictureArea()), 0);
}

TEST(CaptionPanel, ClosingWhileTypingKeepsWhatWasTyped)
{
    Editor e;
    e.open();
    e.dlg->button(IDC_EDITOR_ADD_CAPTION)->click();
    ASSERT_TRUE(e.list()->isEditing());
    e.cellEditor()->selectAll();
    QTest::keyClicks(e.cellEditor(), QStringLiteral("typed"));
    e.dlg->reject();
    e.dlg.reset();
    ASSERT_EQ(e.captions.count(), 1);
    EXPECT_EQ(e.captions.at(0)->text(), QStringLiteral("typed"));
}
