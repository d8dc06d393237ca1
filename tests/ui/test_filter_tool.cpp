// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Button 11 of the editor, offscreen: the filter dialog opens right of the
// frame strip at the editor's top with previews of the current frame; its
// "应用 >>" reaches the editor, which shows "滤镜: %d" and the filtered
// frame, "原图" sends 0, and a filter whose file does not load chooses none.
#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <filesystem>

#include "editor/x_list_view.h"
#include "editor_fixture.h"
#include "effects/filter_dialog.h"
#include "effects/filter_list_view.h"
#include "effects/filter_lut.h"
#include "effects/filter_tool.h"
#include "res/resource.h"
#include "test_env.h"
#include "wait_until.h"

using testenv::EditorFixture;

namespace {

// Filters 2 and 3 in a folder of this test's own.
struct FilterFiles {
    testenv::TempDir dir;
    FilterFiles()
    {
        for (int n : {2, 3})
            std::filesystem::copy_file(testenv::sourceDir() + "/res/filters/" + std::to_string(n) + ".fff",
                                       dir.file(std::to_string(n) + ".fff"));
    }
    FilterLoader loader() const
    {
        const QString folder = QString::fromStdString(dir.path());
        return [folder](int n) -> std::unique_ptr<FilterLut> {
            const QString file = folder + QStringLiteral("/%1.fff").arg(n);
            return QFile::exists(file) ? FilterLut::loadFile(file) : nullptr;
        };
    }
};

void clickApply(FilterListView* list, int i)
{
    list->setScrollPosition(list->layout().itemRect(i).top());
    QCoreApplication::processEvents();
    const QPoint p = list->layout().applyRect(i).center() - QPoint(0, list->scrollPosition());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);  // select
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);  // "应用 >>"
}

}  // namespace

TEST(FilterTool, ChoosingInTheDialogReachesTheEditor)
{
    FilterFiles files;
    EditorFixture e(3, 320, 240);
    e.open();
    FilterTool* tool = e.tool<FilterTool>();
    ASSERT_TRUE(tool);
    tool->setFilterLoader(files.loader());
    e.dlg->showFrame(2);
    int runs = 0;
    tool->setDialogRunner([&](CFilterDialog& d) {
        ++runs;
        d.show();
        QCoreApplication::processEvents();
        const QRect frame = e.dlg->frameGeometry();
        EXPECT_EQ(d.pos(), QPoint(frame.left() + e.dlg->strip()->viewport()->width(), frame.top()));
        FilterListView* list = d.list();
        ASSERT_EQ(list->count(), 16);
        EXPECT_TRUE(list->item(3).available);
        EXPECT_FALSE(list->item(4).available);
        // The previews are of the current frame (frame 2's blue tag).
        const QImage original = list->item(0).thumbnail;
        ASSERT_FALSE(original.isNull());
        EXPECT_NEAR(qRed(original.pixel(original.width() / 2, original.height() / 2)), 40, 2);

        clickApply(list, 3);
        ASSERT_TRUE(testenv::waitUntil([&] { return e.settings.filterNumber == 3; }, 2000));
        EXPECT_EQ(e.button(IDC_EDITOR_FILTER)->text(), QStringLiteral("滤镜: 3"));
        EXPECT_TRUE(e.dlg->filterPreview());
        clickApply(list, 0);  // "原图"
        ASSERT_TRUE(testenv::waitUntil([&] { return e.settings.filterNumber == 0; }, 2000));
        EXPECT_EQ(e.button(IDC_EDITOR_FILTER)->text(), QStringLiteral("滤镜: 无"));
        EXPECT_FALSE(e.dlg->filterPreview());
        clickApply(list, 4);  // no file: none
        QCoreApplication::processEvents();
        EXPECT_EQ(e.settings.filterNumber, 0);
        clickApply(list, 2);
        ASSERT_TRUE(testenv::waitUntil([&] { return e.settings.filterNumber == 2; }, 2000));
    });
    e.click(IDC_EDITOR_FILTER);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(e.button(IDC_EDITOR_FILTER)->text(), QStringLiteral("滤镜: 2"));

    // The editor shows the frame through the filter.
    const QImage filtered = e.dlg->renderPictureArea();
    const QPoint mid = e.dlg->displayedImageRect().center() - e.dlg->pictureArea().topLeft();
    const RgbQuad raw = e.seq.at(1)->image->getColor(160, 120);
    EXPECT_NE(QColor(filtered.pixel(mid)), QColor(raw.red, raw.green, raw.blue));
}
