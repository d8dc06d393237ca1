// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The frame strip offscreen: item height from the width, clicks with and
// without Shift and Ctrl and the anchor, the check-box rule on a selection,
// keys, the wheel, the delay editor, inserting a picture and a multi-frame GIF
// at a position, saving a frame, removal and the context menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/ui_scale.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "editor/strip_layout.h"
#include "editor/x_list_view.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "platform/ui_prompts.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "scripted_prompts.h"
#include "test_env.h"
#include "widgets/num_edit.h"

namespace {

// The strip's parent: keeps the frame numbers posted with UM_SHOW_FRAME.
class Parent : public QWidget {
public:
    std::vector<int> shown;
    bool event(QEvent* e) override
    {
        if (const WindowMessage* m = asWindowMessage(e)) {
            if (m->id() == UM_SHOW_FRAME)
                shown.push_back(int(m->lParam()));
            return true;
        }
        return QWidget::event(e);
    }
};

std::unique_ptr<RasterImage> solid(int w, int h, uint8_t tag)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, RgbQuad{tag, 100, 50, 0});
    return img;
}

struct Strip {
    FrameSequence seq;
    Parent parent;
    XListView* strip = nullptr;

    explicit Strip(int frames = 5, int w = 400, int h = 300, int stripHeight = 400)
    {
        for (int i = 0; i < frames; ++i)
            seq.append(FrameRecord::make(solid(w, h, uint8_t(i + 1)), 10));
        seq.SetFrameRectangle(0, 0, w, h, 0);
        parent.resize(400, stripHeight);
        strip = new XListView(seq, &parent);
        strip->setGeometry(0, 0, 160, stripHeight);
        for (int i = 0; i < seq.count(); ++i)
            strip->addItem(seq.at(i));
        parent.show();
        strip->initialLayout();
        QCoreApplication::processEvents();
        strip->renderToImage();
    }
    int ih() const { return strip->itemHeight(); }
    // A point of item k (1-based) on the thumbnail, away from check box and label.
    QPoint onThumb(int k) const { return QPoint(60, (k - 1) * ih() - strip->scrollPosition() + 30); }
    QPoint onCheck(int k) const
    {
        return QPoint(10, (k - 1) * ih() - strip->scrollPosition() + int(15 * UiScale()) + 5);
    }
    QPoint onDelay(int k) const
    {
        const StripItemLayout l = stripItemLayout(strip->itemWidth(), UiScale());
        return QPoint(l.delay.left() + 5, (k - 1) * ih() - strip->scrollPosition() + l.delay.center().y());
    }
    void click(const QPoint& p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(strip->viewport(), b, mods, p);
        QCoreApplication::processEvents();
    }
    void key(int k, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(strip, Qt::Key(k), mods);
        QCoreApplication::processEvents();
    }
    std::vector<int> selected() const { return strip->selectedIndices(); }
};

QString writeGif(const std::string& path, int w, int h, int frames)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, w, h, 0);
    for (int i = 0; i < frames; ++i)
        seq.append(FrameRecord::make(solid(w, h, uint8_t(60 * i)), 7 + i));
    CaptionList captions;
    GenerationSettings settings;
    settings.outputPath = QString::fromStdString(path);
    FrameSequenceSource source(seq);
    EXPECT_TRUE(GifGenerator::generate(source, captions, settings, 0, false, {}));
    return settings.outputPath;
}

}  // namespace

TEST(XListView, ItemHeightComesFromTheClientWidth)
{
    Strip s;
    EXPECT_EQ(s.ih(), stripItemLayout(s.strip->viewport()->width(), UiScale()).height);
    // 5 items of ~116 pixels overflow a 400-pixel strip: scrolling is on.
    EXPECT_TRUE(s.strip->verticalScrollBar()->isEnabled());
    Strip few(2);
    EXPECT_FALSE(few.strip->verticalScrollBar()->isEnabled());
}

TEST(XListView, ClicksSelectWithTheAnchorRules)
{
    Strip s;
    // Shift-click before anything was clicked selects nothing.
    s.click(s.onThumb(3), Qt::ShiftModifier);
    EXPECT_TRUE(s.selected().empty());
    EXPECT_TRUE(s.parent.shown.empty());

    s.click(s.onThumb(2));
    EXPECT_EQ(s.selected(), (std::vector<int>{1}));
    EXPECT_EQ(s.strip->anchor(), 2);
    s.click(s.onThumb(4), Qt::ShiftModifier);
    EXPECT_EQ(s.selected(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.strip->anchor(), 2);
    s.click(s.onThumb(5), Qt::ControlModifier);
    EXPECT_EQ(s.selected(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(s.strip->anchor(), 5);
    s.click(s.onThumb(3), Qt::ControlModifier);  // unselects; the anchor stays
    EXPECT_EQ(s.selected(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(s.strip->anchor(), 5);
    EXPECT_EQ(s.parent.shown, (std::vector<int>{2, 5, 5}));

    // Below the last item nothing happens.
    Strip few(2);
    few.click(QPoint(60, 2 * few.ih() + 10));
    EXPECT_TRUE(few.selected().empty());
    EXPECT_TRUE(few.parent.shown.empty());
}

TEST(XListView, CheckBoxFlipsTheWholeSelectionToTheOppositeOfTheClickedFrame)
{
    Strip s;
    s.seq.at(1)->setIncluded(false);
    s.seq.at(3)->setIncluded(false);
    s.strip->selectAll();
    const_cast<StripItem&>(s.strip->items()[4]).selected = false;  // frames 1-4 selected
    s.click(s.onCheck(2));                                         // frame 2 is deleted: all four kept
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(s.seq.at(i)->included()) << i;
    s.click(s.onCheck(2));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(s.seq.at(i)->included()) << i;
    EXPECT_TRUE(s.seq.at(4)->included());
    EXPECT_EQ(s.strip->anchor(), 2);

    // Not selected: it becomes the only selected item.
    s.strip->selectOnly(0);
    s.click(s.onCheck(3));
    EXPECT_TRUE(s.seq.at(2)->included());
    EXPECT_FALSE(s.seq.at(1)->included());
    EXPECT_EQ(s.selected(), (std::vector<int>{2}));
    EXPECT_EQ(s.parent.shown.back(), 3);
}

TEST(XListView, KeysMoveTheSelection)
{
    Strip s;
    s.key(Qt::Key_Down);  // nothing selected: frame 2
    EXPECT_EQ(s.selected(), (std::vector<int>{1}));
    EXPECT_EQ(s.parent.shown.back(), 2);
    s.key(Qt::Key_Up);
    s.key(Qt::Key_Up);  // stays at the first
    EXPECT_EQ(s.selected(), (std::vector<int>{0}));
    for (int i = 0; i < 6; ++i)
        s.key(Qt::Key_PageDown);
    EXPECT_EQ(s.selected(), (std::vector<int>{4}));
    EXPECT_EQ(s.strip->anchor(), 5);
    EXPECT_GT(s.strip->scrollPosition(), 0);  // the last item was scrolled into view
    const size_t posted = s.parent.shown.size();
    s.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(s.selected().size(), 5u);
    EXPECT_EQ(s.parent.shown.size(), posted);
}

TEST(XListView, WheelScrollsOneItemOnlyWhenItemsOverflow)
{
    Strip s;
    QWheelEvent down(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(s.strip->viewport(), &down);
    EXPECT_EQ(s.strip->scrollPosition(), s.ih());
    Strip few(2);
    QCoreApplication::sendEvent(few.strip->viewport(), &down);
    EXPECT_EQ(few.strip->scrollPosition(), 0);
}

TEST(XListView, DelayEditorClampsAndCoversTheSelection)
{
    Strip s;
    s.click(s.onDelay(1));
    CNumEdit* edit = s.strip->delayEditor();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), QStringLiteral(" 10"));
    EXPECT_EQ(edit->width(), 23);
    edit->setText(QStringLiteral("1500"));
    edit->commit();
    QCoreApplication::processEvents();
    EXPECT_EQ(s.seq.at(0)->delay, 999);
    EXPECT_EQ(s.selected(), (std::vector<int>{0}));

    s.strip->applyDelay(2, 0);
    EXPECT_EQ(s.seq.at(1)->delay, 1);

    // Item 3 belongs to a selection of three: all three get the delay.
    s.strip->selectOnly(2);
    const_cast<StripItem&>(s.strip->items()[3]).selected = true;
    const_cast<StripItem&>(s.strip->items()[4]).selected = true;
    s.strip->applyDelay(3, 42);
    EXPECT_EQ(s.seq.at(2)->delay, 42);
    EXPECT_EQ(s.seq.at(3)->delay, 42);
    EXPECT_EQ(s.seq.at(4)->delay, 42);
    EXPECT_EQ(s.seq.at(1)->delay, 1);
}

TEST(XListView, InsertingAGifPutsItsFramesAtThePositionSelected)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("four.gif"), 80, 60, 4);
    Strip s(5, 400, 300);
    struct Probe : ModalProgress {
        std::vector<std::string>* log;
        explicit Probe(std::vector<std::string>* l) : log(l) {}
        bool beginModal(const QString& t, bool) override
        {
            return log->push_back("begin " + t.toStdString()), true;
        }
        void setRange(int lo, int hi, int) override
        {
            log->push_back("range " + std::to_string(lo) + " " + std::to_string(hi));
        }
        void setText(const QString& t) override { log->push_back("text " + t.toStdString()); }
        bool advance() override { return log->push_back("advance"), true; }
    };
    std::vector<std::string> log;
    s.strip->setProgressFactory([&] { return std::make_unique<Probe>(&log); });
    s.strip->selectOnly(0);
    ASSERT_TRUE(s.strip->insertPictureFile(gif, 2));  // after frame 2
    QCoreApplication::processEvents();
    ASSERT_EQ(s.seq.count(), 9);
    EXPECT_EQ(s.strip->count(), 9);
    EXPECT_EQ(s.selected(), (std::vector<int>{2, 3, 4, 5}));
    for (int i = 2; i <= 5; ++i) {
        EXPECT_EQ(s.seq.at(i)->image->width(), 400);
        EXPECT_EQ(s.seq.at(i)->image->height(), 300);
        EXPECT_TRUE(s.seq.at(i)->included());
        EXPECT_EQ(s.strip->items()[size_t(i)].record, s.seq.at(i));
    }
    EXPECT_EQ(s.seq.at(2)->delay, 7);
    EXPECT_EQ(s.seq.at(5)->delay, 10);
    EXPECT_EQ(s.seq.at(6)->image->getColor(0, 0).blue, 3);  // old frame 3 moved up
    EXPECT_EQ(s.parent.shown.back(), 3);
    EXPECT_EQ(s.strip->anchor(), 3);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "begin Progress");
    EXPECT_EQ(log[1], "range 0 6");
    EXPECT_EQ(log[2], "text Loading...");
}

TEST(XListView, InsertingAPictureMakesOneFrameWithDelay100)
{
    testenv::TempDir dir;
    const std::string png = dir.file("pic.png");
    ASSERT_TRUE(solid(200, 150, 77)->encodeFile(png, ImageTypePng));
    Strip s(2, 400, 300);
    ScriptedPrompts prompts;
    prompts.answerOpenFile(QString::fromStdString(png));
    s.strip->insertPictures(0);
    ASSERT_EQ(s.seq.count(), 3);
    EXPECT_EQ(prompts.asked()[0].file.filter,
              QStringLiteral("All Formats|*.JPG;*.JPEG;*.BMP;*.PNG;*.GIF|Bitmap Files (*.BMP)|*.BMP|JPEG "
                             "(*.JPG;*.JPEG)|*.JPG;*.JPEG|GIF (*.GIF)|*.GIF|PNG (*.PNG)|*.PNG||"));
    EXPECT_EQ(s.seq.at(0)->delay, 100);
    EXPECT_EQ(s.seq.at(0)->image->getColor(200, 150).blue, 77);
    EXPECT_EQ(s.seq.at(0)->image->getColor(50, 50), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(s.selected(), (std::vector<int>{0}));

    // A file that does not decode inserts nothing; cancelling asks nothing more.
    const std::string junk = dir.file("junk.png");
    FILE* f = fopen(junk.c_str(), "wb");
    fputs("not a picture", f);
    fclose(f);
    EXPECT_FALSE(s.strip->insertPictureFile(QString::fromStdString(junk), 1));
    prompts.answerOpenFile(QString());
    s.strip->insertPictures(1);
    EXPECT_EQ(s.seq.count(), 3);
}

TEST(XListView, SavesAFrameByTheExtensionOnly)
{
    testenv::TempDir dir;
    Strip s(2, 40, 30);
    EXPECT_TRUE(s.strip->saveFrameFile(2, QString::fromStdString(dir.file("f.png"))));
    RasterImage back;
    ASSERT_TRUE(back.decodeFile(dir.file("f.png"), ImageTypePng));
    EXPECT_EQ(back.width(), 40);
    EXPECT_EQ(back.getColor(3, 3).blue, 2);
    EXPECT_TRUE(s.strip->saveFrameFile(1, QString::fromStdString(dir.file("f.bmp"))));
    EXPECT_TRUE(s.strip->saveFrameFile(1, QString::fromStdString(dir.file("f.jpg"))));
    EXPECT_FALSE(s.strip->saveFrameFile(1, QString::fromStdString(dir.file("f.gif"))));
    EXPECT_FALSE(s.strip->saveFrameFile(1, QString::fromStdString(dir.file("noext"))));
}

TEST(XListView, RightClickSelectsAndOffersTheMenu)
{
    testenv::TempDir dir;
    Strip s(3, 40, 30);
    QStringList offered;
    int pick = 1;  // "删除/取消"
    s.strip->setMenuRunner([&](QMenu& m, const QPoint&) -> QAction* {
        for (QAction* a : m.actions())
            offered << a->text();
        return m.actions().value(pick);
    });
    int deleteMenus = 0;
    QObject::connect(s.strip, &XListView::deleteMenuRequested, [&] { ++deleteMenus; });
    s.click(s.onThumb(2), {}, Qt::RightButton);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("保存该帧为静态图像"), QStringLiteral("删除/取消")}));
    EXPECT_EQ(s.selected(), (std::vector<int>{1}));
    EXPECT_EQ(s.parent.shown.back(), 2);
    EXPECT_EQ(deleteMenus, 1);

    ScriptedPrompts prompts;
    prompts.answerSaveFile(QString::fromStdString(dir.file("two.png")));
    pick = 0;
    s.click(s.onThumb(2), {}, Qt::RightButton);
    EXPECT_EQ(prompts.asked().back().file.filter,
              QStringLiteral("BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png||"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("two.png"))));

    // Below the last item: no menu.
    offered.clear();
    s.click(QPoint(60, 3 * s.ih() + 5), {}, Qt::RightButton);
    EXPECT_TRUE(offered.isEmpty());
}

TEST(XListView, RemovingKeepsTheRestAndShowsFrameOne)
{
    Strip s(4);
    s.strip->selectAll();
    EXPECT_FALSE(s.strip->removeSelected());
    EXPECT_EQ(s.seq.count(), 4);
    s.strip->selectOnly(1);
    const_cast<StripItem&>(s.strip->items()[3]).selected = true;
    ASSERT_TRUE(s.strip->removeSelected());
    QCoreApplication::processEvents();
    EXPECT_EQ(s.seq.count(), 2);
    EXPECT_EQ(s.strip->count(), 2);
    EXPECT_EQ(s.seq.at(1)->image->getColor(0, 0).blue, 3);
    EXPECT_EQ(s.strip->items()[1].record, s.seq.at(1));
    EXPECT_EQ(s.strip->anchor(), 1);
    EXPECT_EQ(s.parent.shown.back(), 1);
    EXPECT_EQ(s.strip->scrollPosition(), 0);
}

TEST(XListView, PaintsTicksOnlyForKeptFrames)
{
    Strip s(2, 40, 30);
    s.seq.at(1)->setIncluded(false);
    const QImage img = s.strip->renderToImage();
    auto darkInCheck = [&](int k) {
        const QRect c = s.strip->items()[size_t(k)].check.adjusted(2, 2, -2, -2);
        int dark = 0;
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                dark += qGray(img.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(darkInCheck(0), 3);
    EXPECT_EQ(darkInCheck(1), 0);
}

TEST(XListView, ThumbDragSnapsToAWholeItemWhenReleased)
{
    Strip s(8);
    QScrollBar* bar = s.strip->verticalScrollBar();
    bar->setValue(s.ih() + s.ih() / 2 + 3);  // more than half past item 2
    emit bar->sliderReleased();
    EXPECT_EQ(s.strip->scrollPosition(), 2 * s.ih());
    bar->setValue(s.ih() + s.ih() / 2 - 3);
    emit bar->sliderReleased();
    EXPECT_EQ(s.strip->scrollPosition(), s.ih());
    EXPECT_EQ(bar->singleStep(), s.ih());
    EXPECT_EQ(bar->pageStep() % s.ih(), 0);
}
