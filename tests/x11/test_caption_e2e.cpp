// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// A caption from the editor to the GIF on a real X server: record a changing
// pattern, open the editor with "编辑", add a caption, type its text and its
// frames, drag it, generate; the GIF shows the caption's colours inside the
// dragged box on exactly its frames, where the editor showed them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/app_settings.h"
#include "capture/capture_dlg.h"
#include "capture/frame_sequence.h"
#include "capture_session.h"
#include "editor/add_text_dlg.h"
#include "editor/caption_editing.h"
#include "editor/caption_list.h"
#include "editor/list_ctrl_ex.h"
#include "editor/size_dlg.h"
#include "imaging/raster_image.h"
#include "platform/control_id.h"
#include "res/resource.h"
#include "settings_folder.h"
#include "share/preview_dlg.h"
#include "wait_until.h"
#include "widgets/icon_button.h"
#include "widgets/my_bitmap_button.h"

namespace {
using testenv::ColourCycleWindow;
using testenv::SettingsFolder;
using testenv::waitUntil;

const std::vector<QColor> kColours = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255),
                                      QColor(255, 255, 0)};
constexpr ColorRef kBox = makeColorRef(255, 0, 255);
constexpr ColorRef kText = makeColorRef(0, 255, 255);

bool near(int r, int g, int b, ColorRef c)
{
    return std::abs(r - colorRefRed(c)) <= 24 && std::abs(g - colorRefGreen(c)) <= 24 &&
           std::abs(b - colorRefBlue(c)) <= 24;
}
bool isCaptionColour(const RgbQuad& q)
{
    return near(q.red, q.green, q.blue, kBox) || near(q.red, q.green, q.blue, kText);
}

// Bounding box of the pixels in the caption's colours.
QRect captionPixels(const RasterImage& f)
{
    QRect r;
    for (int y = 0; y < f.height(); ++y)
        for (int x = 0; x < f.width(); ++x)
            if (isCaptionColour(f.getColor(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}

QRect captionPixels(const QImage& img, const QRect& within)
{
    QRect r;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (near(c.red(), c.green(), c.blue(), kBox) || near(c.red(), c.green(), c.blue(), kText))
                r |= QRect(x - within.left(), y - within.top(), 1, 1);
        }
    return r;
}

void typeIntoCell(CAddTextDlg& editor, CListCtrlEx& list, int row, int column, const QString& text)
{
    const QPoint at = list.visualRect(list.model()->index(row, column)).center();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    auto* edit = findControlAs<QLineEdit>(&editor, IDC_EDITOR_CELL_EDIT);
    ASSERT_TRUE(edit && edit->isVisible());
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// In the editor: add a caption, type its text and its frames (3 to 8), pick
// it in the picture and drag it up and right. Returns the caption's block as
// the editor showed it, in frame pixels (empty when something failed).
QRect editCaption(CAddTextDlg& editor, CaptionList& captions)
{
    auto* list = findControlAs<CListCtrlEx>(&editor, IDC_EDITOR_CAPTION_LIST);
    auto* edit = findControlAs<QLineEdit>(&editor, IDC_EDITOR_CELL_EDIT);
    EXPECT_TRUE(list && edit);
    if (!list || !edit)
        return QRect();
    QTest::mouseClick(editor.button(IDC_EDITOR_ADD_CAPTION), Qt::LeftButton);
    EXPECT_EQ(captions.count(), 1);
    if (captions.count() != 1)
        return QRect();
    CaptionItem* caption = captions.at(0);
    EXPECT_TRUE(list->isEditing());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Vexlo"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(caption->text(), QStringLiteral("Vexlo"));
    typeIntoCell(editor, *list, 0, CaptionColumnFirst, QStringLiteral("3"));
    typeIntoCell(editor, *list, 0, CaptionColumnLast, QStringLiteral("8"));
    EXPECT_EQ(caption->firstFrame, 3);
    EXPECT_EQ(caption->lastFrame, 8);

    // Frame 3, then a press on the caption and a drag up and right.
    editor.showFrame(3);
    editor.renderPictureArea();
    EXPECT_GT(caption->width, 0);
    EXPECT_EQ(editor.displayScale(), 1.0f);
    const QRect shown = editor.displayedImageRect();
    const QPoint grip = shown.topLeft() + QPoint(caption->x + 5, caption->y - caption->height / 2);
    const QPoint drop = grip + QPoint(40, -50);
    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent e(type, at, editor.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&editor, &e);
    };
    const QPoint before(caption->x, caption->y);
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    EXPECT_TRUE(caption->selected);
    mouse(QEvent::MouseMove, grip + QPoint(20, -25), Qt::LeftButton);
    mouse(QEvent::MouseMove, drop, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, drop, Qt::NoButton);
    EXPECT_EQ(caption->x, before.x() + 40);
    EXPECT_EQ(caption->y, before.y() - 50);
    EXPECT_EQ(list->cellText(0, CaptionColumnX), QString::number(caption->x));
    EXPECT_EQ(list->cellText(0, CaptionColumnY), QString::number(caption->y));

    // Where the editor shows it (without the selection outline).
    caption->selected = false;
    const QImage area = editor.renderPictureArea();
    const QRect inEditor = captionPixels(area, shown.translated(-editor.pictureArea().topLeft()));
    const QRect box(caption->x, caption->y - caption->height + 1, caption->width, caption->height);
    EXPECT_EQ(inEditor, box);
    return inEditor;
}

}  // namespace

TEST(CaptionEndToEnd, CaptionFromTheEditorLandsInTheGifOnItsFrames)
{
    SettingsFolder folder(
        "[POS]\nWndPosLeft=300\nWndPosTop=200\nWndPosEmptyWidth=160\nWndPosEmptyHeight=120\n"
        "[Param]\nRate1=10\nTopWnd=0\nMouse=0\nNotice=1\n");
    appSettings().outputScale = 1.0f;
    QCursor::setPos(5, 5);

    CCaptureDlg capture;
    ASSERT_TRUE(testenv::showCapture(capture));
    const QRect r = testenv::captureArea(capture);
    ASSERT_EQ(r.width(), 160);
    ASSERT_EQ(r.height(), 120);
    ColourCycleWindow pattern(r, kColours, ColourCycleWindow::Fill::LeftHalf);
    ASSERT_TRUE(testenv::showAndSettle(pattern));

    ASSERT_TRUE(testenv::recordThenStop(capture, 12));
    pattern.hide();
    FrameSequence& seq = capture.controller().sequence();
    ASSERT_GE(seq.count(), 12);

    // The caption defaults the editor's controls start with.
    AppSettings& settings = capture.controller().settings();
    settings.defaultFontName = QStringLiteral("DejaVu Sans");
    settings.defaultFontSize = 12;
    settings.defaultFontColor = kText;
    settings.defaultFontBkColor = kBox;
    settings.defaultFontBkStyle = CaptionBackgroundBox;
    settings.defaultFontVertical = false;
    CaptionList& captions = capture.controller().captions();
    ASSERT_TRUE(captions.empty());

    // "编辑" opens the editor modally: drive it from a timer once it is up.
    bool edited = false;
    bool sizeSeen = false;
    QRect box;
    testenv::ModalDriver driver;
    driver.on<CSizeDlg>([&](CSizeDlg& size) {
        sizeSeen = true;
        QTest::mouseClick(size.okButton(), Qt::LeftButton);
    });
    driver.once<CAddTextDlg>([&](CAddTextDlg& editor) {
        edited = true;
        box = editCaption(editor, captions);
        QTest::mouseClick(editor.button(IDC_EDITOR_GENERATE), Qt::LeftButton);
    });
    driver.start();
    QTest::mouseClick(capture.button(IDC_CAPTURE_EDIT), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return capture.preview() && capture.preview()->isVisible(); }, 30000));
    driver.stop();
    ASSERT_TRUE(edited);
    EXPECT_TRUE(sizeSeen);
    ASSERT_FALSE(box.isEmpty());
    const QString gif = capture.controller().outputPath();

    // Every GIF frame stands for a run of records (identical frames are
    // merged, their delays added); the records' delays are all the same.
    const int delay = seq.at(0)->delay;
    ASSERT_GT(delay, 0);
    RasterImage image;
    ASSERT_TRUE(testenv::decodeAllFrames(image, gif));
    const int records = seq.count();
    int record = 1;  // first record of the next GIF frame
    int withCaption = 0;
    for (int i = 0; i < image.retrievedFrameCount(); ++i) {
        const RasterImage* f = image.frame(i);
        ASSERT_TRUE(f);
        const int span = std::max(1, (f->frameDelay() + delay / 2) / delay);
        const int last = record + span - 1;
        const QRect pixels = captionPixels(*f);
        if (record >= 3 && last <= 8) {
            EXPECT_EQ(pixels, box) << "GIF frame " << i << " (records " << record << "-" << last << ")";
            ++withCaption;
        } else {
            EXPECT_TRUE(last < 3 || record > 8) << "a GIF frame mixes records with and without the caption";
            EXPECT_TRUE(pixels.isEmpty())
                << "GIF frame " << i << " (records " << record << "-" << last << ")";
        }
        record = last + 1;
    }
    EXPECT_EQ(record - 1, records);
    EXPECT_GE(withCaption, 1);

    capture.preview()->hide();
    EXPECT_TRUE(capture.closeCapture());
}
