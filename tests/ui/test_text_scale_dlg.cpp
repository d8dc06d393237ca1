// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/app_settings.h"
#include "app/text_scale_dlg.h"
#include "app/ui_scale.h"
#include "platform/control_id.h"

namespace {
QStringList labelTexts(const QWidget& w)
{
    QStringList out;
    for (const QLabel* l : w.findChildren<QLabel*>())
        out << l->text();
    return out;
}
}  // namespace

TEST(TextScaleDlg, LayoutAndStartPosition)
{
    AppSettings s;
    s.expandFont = 2;
    CTextScaleDlg dlg(s);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("调节界面文字大小"));
    auto* slider = findControlAs<QSlider>(&dlg, 1068);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 3);
    EXPECT_EQ(slider->tickInterval(), 1);
    EXPECT_EQ(slider->value(), 2);
    const QStringList texts = labelTexts(dlg);
    for (const char* t : {"100%", "150%", "200%"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(
        texts.contains(QStringLiteral("在部分高分辨率电脑上，本软件的界面文字可能显示较小。你可以放大显示它们"
                                      "。\n\n显示比例（重启软件后有效）：")));
    EXPECT_TRUE(dlg.findChildren<QAbstractButton*>().isEmpty());  // no buttons
}

TEST(TextScaleDlg, CloseBoxStoresEscDoesNotEnterDoesNothing)
{
    const float scaleBefore = UiScale();
    {
        AppSettings s;
        s.expandFont = 1;
        CTextScaleDlg dlg(s);
        dlg.show();
        dlg.slider()->setValue(3);
        QTest::keyClick(&dlg, Qt::Key_Return);  // nothing happens
        QTest::keyClick(&dlg, Qt::Key_Enter);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(s.expandFont, 1);
        EXPECT_TRUE(dlg.close());  // the close box
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(s.expandFont, 3);
    }
    {
        AppSettings s;
        s.expandFont = 1;
        CTextScaleDlg dlg(s);
        dlg.show();
        dlg.slider()->setValue(2);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_EQ(s.expandFont, 1);
    }
    // The scale in use changes only at the next start.
    EXPECT_FLOAT_EQ(UiScale(), scaleBefore);
}

TEST(TextScaleDlg, OutOfRangeStoredValueShowsAtTheNearerEnd)
{
    for (const auto& [stored, shown] : {std::pair{0, 1}, std::pair{9, 3}}) {
        AppSettings s;
        s.expandFont = stored;
        CTextScaleDlg dlg(s);
        EXPECT_EQ(dlg.slider()->value(), shown);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_EQ(s.expandFont, stored);  // untouched unless closed with the close box
    }
}

// The slider shows a plain tick mark at every step: below the handle, at the
// positions of 1, 2 and 3, a dark line stands out from the dialog's ground.
TEST(TextScaleDlg, SliderDrawsItsTickMarks)
{
    AppSettings s;
    s.expandFont = 2;
    CTextScaleDlg dlg(s);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* slider = findControlAs<QSlider>(&dlg, 1068);
    ASSERT_NE(slider, nullptr);
    const QImage image = slider->grab().toImage();
    const QRgb ground = image.pixel(0, image.height() - 1);
    // Columns of the lower part holding a pixel much darker than the ground.
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = image.height() * 2 / 3; y < image.height(); ++y)
            if (qGray(ground) - qGray(image.pixel(x, y)) > 80) {
                columns.push_back(x);
                break;
            }
    std::vector<int> starts;
    for (size_t i = 0; i < columns.size(); ++i)
        if (i == 0 || columns[i] > columns[i - 1] + 2)
            starts.push_back(columns[i]);
    ASSERT_EQ(starts.size(), 3u) << columns.size() << " dark columns";
    // Evenly spaced, the outer ones near the ends.
    EXPECT_NEAR(starts[1] - starts[0], starts[2] - starts[1], 2);
    EXPECT_LT(starts[0], image.width() / 6);
    EXPECT_GT(starts[2], image.width() * 5 / 6);
}
