// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// CStyledLabel: style flags, font height from the text scale, painting.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>
#include <algorithm>

#include "app/ui_scale.h"
#include "platform/sys_colors.h"
#include "widgets/styled_label.h"

TEST(StyledLabel, Defaults)
{
    CStyledLabel label;
    EXPECT_EQ(label.face(), QStringLiteral("Verdana"));
    EXPECT_EQ(label.fontSize(), 14);
    EXPECT_FALSE(label.bold() || label.italic() || label.underlined() || label.strikeOut() || label.smooth());
    EXPECT_EQ(label.textAlignment(), Qt::AlignLeft);
    EXPECT_EQ(label.textColor(), makeColorRef(0, 0, 0));
    EXPECT_FALSE(label.ownBackground());
}

TEST(StyledLabel, StyleFlagsOnlySwitchOn)
{
    CStyledLabel label;
    label.setLabelStyle(CStyledLabel::StyleBold | CStyledLabel::StyleItalic | CStyledLabel::StyleCenter);
    EXPECT_TRUE(label.bold());
    EXPECT_TRUE(label.italic());
    EXPECT_EQ(label.textAlignment(), Qt::AlignHCenter);
    label.setLabelStyle(CStyledLabel::StyleUnderline | CStyledLabel::StyleRight);
    EXPECT_TRUE(label.bold()) << "not switched off";
    EXPECT_TRUE(label.underlined());
    EXPECT_EQ(label.textAlignment(), Qt::AlignRight);
    label.setLabelStyle(CStyledLabel::StyleCenter | CStyledLabel::StyleRight);
    EXPECT_EQ(label.textAlignment(), Qt::AlignHCenter) << "centre wins";
    label.setLabelStyle(CStyledLabel::StyleStrikeOut | CStyledLabel::StyleSmooth);
    EXPECT_TRUE(label.strikeOut());
    EXPECT_TRUE(label.smooth());
    EXPECT_EQ(label.textAlignment(), Qt::AlignLeft);

    label.setLabelFont(QStringLiteral("DejaVu Sans"), 20, makeColorRef(1, 2, 3), 0);
    EXPECT_EQ(label.face(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(label.fontSize(), 20);
    EXPECT_EQ(label.textColor(), makeColorRef(1, 2, 3));
    EXPECT_TRUE(label.bold());
}

TEST(StyledLabel, FontHeightFollowsTheTextScale)
{
    const float before = UiScale();
    CStyledLabel label;
    label.setLabelStyle(CStyledLabel::StyleBold);
    setUiScale(1.0f);
    const QFont f1 = label.paintFont();
    setUiScale(2.0f);
    const QFont f2 = label.paintFont();
    setUiScale(before);
    EXPECT_EQ(f1.weight(), QFont::Black);  // 900
    const QFontMetrics m1(f1);
    const QFontMetrics m2(f2);
    EXPECT_LE(m1.ascent() + m1.descent(), 14);
    EXPECT_LE(m2.ascent() + m2.descent(), 28);
    EXPECT_GT(m2.ascent() + m2.descent(), m1.ascent() + m1.descent() + 8);

    CStyledLabel plain;
    EXPECT_EQ(plain.paintFont().weight(), QFont::Normal);  // 400
}

TEST(StyledLabel, PaintsBackgroundAndText)
{
    CStyledLabel label(QStringLiteral("WWWW"));
    label.resize(120, 30);
    label.setTextColor(makeColorRef(200, 0, 0));
    label.show();
    QImage img = label.grab().toImage();
    EXPECT_EQ(img.pixel(119, 29) | 0xFF000000u, sysQColor(SysColor::ButtonFace).rgb());
    bool sawText = false;
    for (int y = 0; y < img.height() && !sawText; ++y)
        for (int x = 0; x < img.width() && !sawText; ++x)
            sawText = (img.pixel(x, y) | 0xFF000000u) == qRgb(200, 0, 0);
    EXPECT_TRUE(sawText);

    label.setBackgroundColor(makeColorRef(0, 0, 90));
    EXPECT_TRUE(label.ownBackground());
    img = label.grab().toImage();
    EXPECT_EQ(img.pixel(119, 29) | 0xFF000000u, qRgb(0, 0, 90));
}

TEST(StyledLabel, PaintsAtItsAlignment)
{
    // Horizontal extent of the pixels that differ from the background.
    auto inkSpan = [](CStyledLabel& label) {
        const QImage img = label.grab().toImage();
        const QRgb face = img.pixel(0, img.height() - 1) | 0xFF000000u;
        int lo = img.width(), hi = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) | 0xFF000000u) != face) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
        return std::pair{lo, hi};
    };
    struct Case {
        int flags;
        const char* name;
    };
    for (const Case& c : {Case{0, "left"}, Case{CStyledLabel::StyleCenter, "centre"},
                          Case{CStyledLabel::StyleRight, "right"}}) {
        CStyledLabel label(QStringLiteral("WW"));
        label.resize(200, 30);
        label.setLabelStyle(c.flags);
        label.show();
        const auto [lo, hi] = inkSpan(label);
        ASSERT_LE(lo, hi) << c.name << ": nothing painted";
        if (c.flags == 0) {
            EXPECT_LT(lo, 5) << c.name;
        } else if (c.flags == CStyledLabel::StyleRight) {
            EXPECT_GT(hi, 194) << c.name;
        } else {
            EXPECT_NEAR((lo + hi) / 2.0, 100.0, 4.0) << c.name;
        }
    }
}
