// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The filter dialog, offscreen: size, place and title, sixteen previews of the
// current frame (a placeholder for a filter whose file is missing), choosing
// through "应用 >>" ("原图" sends 0, an unavailable filter sets none), keys,
// the wheel and snapping, Enter not closing, the fixed width.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>

#include "app/app_settings.h"
#include "effects/filter_dialog.h"
#include "effects/filter_list_view.h"
#include "effects/filter_lut.h"
#include "platform/control_id.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "test_env.h"
#include "wait_until.h"

namespace {

// Receives what the dialog sends to the editor.
class EditorStub : public QObject {
public:
    std::vector<int> chosen;
    bool event(QEvent* e) override
    {
        if (const WindowMessage* m = asWindowMessage(e)) {
            if (m->id() == UM_FILTER_CHOSEN)
                chosen.push_back(int(m->lParam()));
            return true;
        }
        return QObject::event(e);
    }
};

// A program folder with every filter file but `missing`.
struct FilterFolder {
    testenv::TempDir dir;
    explicit FilterFolder(int missing = 0)
    {
        for (int n = 1; n <= 15; ++n) {
            if (n == missing)
                continue;
            const std::string name = std::to_string(n) + ".fff";
            std::filesystem::copy_file(testenv::sourceDir() + "/res/filters/" + name, dir.file(name));
        }
    }
    QString path() const { return QString::fromStdString(dir.path()); }
    // Reads the filters from this folder only (the build's own filters/
    // folder beside the tests would be found otherwise).
    FilterLoader loader() const
    {
        const QString folder = path();
        return [folder](int n) -> std::unique_ptr<FilterLut> {
            const QString file = folder + QStringLiteral("/%1.fff").arg(n);
            return QFile::exists(file) ? FilterLut::loadFile(file) : nullptr;
        };
    }
};

RasterImage frame(int w, int h)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setColor(x, y, RgbQuad{uint8_t(x), uint8_t(y), uint8_t(x + y), 0});
    return img;
}

void clickAt(QWidget* w, const QPoint& p)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
}

// A point of item i's apply area, in viewport pixels.
QPoint applyPoint(FilterListView* list, int i)
{
    const QRect r = list->layout().applyRect(i);
    return r.center() - QPoint(0, list->scrollPosition());
}

}  // namespace

TEST(FilterDialog, OpensBesideTheStripWithSixteenPreviews)
{
    FilterFolder folder(7);
    EditorStub editor;
    AppSettings settings;
    const RasterImage f = frame(320, 240);
    CFilterDialog dlg(&editor, &f, settings, QPoint(210, 120), nullptr, folder.loader());
    dlg.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("滤镜"));
    EXPECT_EQ(controlId(&dlg), IDD_FILTER_DIALOG);
    EXPECT_EQ(dlg.pos(), QPoint(210, 120));
    EXPECT_EQ(dlg.size(), QSize(160, 640));
    FilterListView* list = dlg.list();
    EXPECT_EQ(list->width(), 150);
    EXPECT_EQ(list->height(), 640);
    ASSERT_EQ(list->count(), 16);
    EXPECT_EQ(list->layout().itemHeight(), list->itemWidth() + 22);
    const QSize space = list->thumbnailSpace();
    for (int i = 0; i < 16; ++i) {
        const FilterListView::Item& it = list->item(i);
        EXPECT_EQ(it.number, i);
        EXPECT_EQ(it.available, i != 7) << i;
        ASSERT_FALSE(it.thumbnail.isNull()) << i;
        EXPECT_LE(it.thumbnail.width(), space.width());
        EXPECT_LE(it.thumbnail.height(), space.height());
    }
    EXPECT_EQ(list->item(0).label, QStringLiteral("原图"));
    EXPECT_EQ(list->item(12).label, QStringLiteral("滤镜12: 蓝调"));
    // The thumbnails keep the frame's aspect ratio.
    EXPECT_NEAR(list->item(0).thumbnail.width() * 3, list->item(0).thumbnail.height() * 4, 4);
    // "原图" is the frame itself, a filter recolours it as generation would.
    const QImage original = list->item(0).thumbnail;
    auto lut = FilterLut::load(3, folder.path());
    ASSERT_TRUE(lut);
    RasterImage small = RasterImage::fromQImage(original);
    lut->apply(small);
    // Filter and shrink do not commute exactly; the colours agree closely.
    const QImage filtered = list->item(3).thumbnail;
    ASSERT_EQ(filtered.size(), original.size());
    const QRgb a = filtered.pixel(40, 30);
    const RgbQuad b = small.getColor(40, 30);
    EXPECT_NEAR(qRed(a), b.red, 24);
    EXPECT_NEAR(qGreen(a), b.green, 24);
    EXPECT_NEAR(qBlue(a), b.blue, 24);
    EXPECT_NE(filtered.pixel(40, 30), original.pixel(40, 30));
}

TEST(FilterDialog, ApplyAreaChoosesTheFilter)
{
    FilterFolder folder(5);
    EditorStub editor;
    AppSettings settings;
    settings.filterNumber = 9;
    const RasterImage f = frame(200, 100);
    CFilterDialog dlg(&editor, &f, settings, QPoint(0, 0), nullptr, folder.loader());
    dlg.show();
    QCoreApplication::processEvents();
    FilterListView* list = dlg.list();
    QWidget* vp = list->viewport();

    // The first click selects; only a click on the selected item's "应用 >>" chooses.
    clickAt(vp, applyPoint(list, 0));
    EXPECT_EQ(list->selected(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(editor.chosen.empty());
    clickAt(vp, applyPoint(list, 0));
    ASSERT_TRUE(testenv::waitUntil([&] { return !editor.chosen.empty(); }, 2000));
    EXPECT_EQ(editor.chosen, std::vector<int>{0});  // "原图" sends 0
    EXPECT_EQ(settings.filterNumber, 0);

    // A filter that loads.
    clickAt(vp, QPoint(20, list->layout().boxRect(1).top() + 10));
    EXPECT_EQ(list->selected(), 1);
    clickAt(vp, applyPoint(list, 1));
    ASSERT_TRUE(testenv::waitUntil([&] { return editor.chosen.size() == 2; }, 2000));
    EXPECT_EQ(editor.chosen.back(), 1);
    EXPECT_EQ(settings.filterNumber, 1);
    EXPECT_EQ(dlg.currentFilter(), 1);
    EXPECT_TRUE(dlg.isVisible());  // the dialog stays open

    // The placeholder of a missing file chooses none.
    list->setScrollPosition(list->layout().itemRect(5).top());
    QCoreApplication::processEvents();
    clickAt(vp, applyPoint(list, 5));
    EXPECT_EQ(list->selected(), 5);
    clickAt(vp, applyPoint(list, 5));
    ASSERT_TRUE(testenv::waitUntil([&] { return editor.chosen.size() == 3; }, 2000));
    EXPECT_EQ(editor.chosen.back(), 0);
    EXPECT_EQ(settings.filterNumber, 0);
}

TEST(FilterDialog, KeysWheelAndSnapping)
{
    FilterFolder folder;
    EditorStub editor;
    AppSettings settings;
    const RasterImage f = frame(64, 64);
    CFilterDialog dlg(&editor, &f, settings, QPoint(0, 0), nullptr, folder.loader());
    dlg.show();
    QCoreApplication::processEvents();
    FilterListView* list = dlg.list();
    const int h = list->layout().itemHeight();
    const int visible = list->viewport()->height() / h;
    ASSERT_GE(visible, 1);
    list->setFocus();

    QTest::keyClick(list, Qt::Key_Up);  // nothing selected: the first
    EXPECT_EQ(list->selected(), 0);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->selected(), 0);
    for (int i = 0; i < visible; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selected(), visible);
    EXPECT_EQ(list->scrollPosition(), visible * h);  // scrolled to its top
    QTest::keyClick(list, Qt::Key_PageUp);
    EXPECT_EQ(list->selected(), visible - 1);
    EXPECT_EQ(list->scrollPosition(), (visible - 1) * h);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(list, Qt::Key_PageDown);
    EXPECT_EQ(list->selected(), 15);

    // The scroll bar ends every scroll on an item boundary.
    QScrollBar* bar = list->verticalScrollBar();
    EXPECT_TRUE(bar->isEnabled());
    bar->setValue(h + h / 2 + 3);
    EXPECT_EQ(bar->value(), 2 * h);
    bar->setValue(h / 2 - 1);
    EXPECT_EQ(bar->value(), 0);

    // One item per wheel notch.
    QWheelEvent down(QPointF(20, 20), list->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list->viewport(), &down);
    EXPECT_EQ(list->scrollPosition(), h);
    QWheelEvent up(QPointF(20, 20), list->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 240),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list->viewport(), &up);
    EXPECT_EQ(list->scrollPosition(), 0);

    // Enter does nothing, Escape closes.
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(editor.chosen.empty());
}

TEST(FilterDialog, WidthStaysWhileTheListFollowsTheHeight)
{
    FilterFolder folder;
    EditorStub editor;
    AppSettings settings;
    CFilterDialog dlg(&editor, nullptr, settings, QPoint(0, 0), nullptr, folder.loader());
    dlg.show();
    QCoreApplication::processEvents();
    dlg.resize(400, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.width(), 160);
    EXPECT_EQ(dlg.list()->height(), 300);
    // Without a frame the entries have no previews but still choose.
    ASSERT_EQ(dlg.list()->count(), 16);
    EXPECT_TRUE(dlg.list()->item(0).thumbnail.isNull());
    EXPECT_TRUE(dlg.list()->item(4).available);
}
