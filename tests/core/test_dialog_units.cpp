// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include "platform/dialog_units.h"
#include "platform/sys_colors.h"

TEST(DialogUnits, MapDialogRectRounding)
{
    const DialogBaseUnits base{7, 15};  // a typical 9 pt font
    EXPECT_EQ(dialogUnitsToPixelsX(4, base), 7);
    EXPECT_EQ(dialogUnitsToPixelsX(10, base), 18);  // 17.5 rounds up
    EXPECT_EQ(dialogUnitsToPixelsY(8, base), 15);
    EXPECT_EQ(dialogUnitsToPixelsY(14, base), 26);  // 26.25
    EXPECT_EQ(dialogUnitsToPixelsX(-4, base), -7);
    EXPECT_EQ(mapDialogRect(QRect(7, 7, 50, 14), base), QRect(12, 13, 88, 26));

    const DialogBaseUnits fromFont = dialogBaseUnits();
    EXPECT_GT(fromFont.x, 0);
    EXPECT_GT(fromFont.y, 0);
}

TEST(SysColors, PaletteColoursAndFallback)
{
    // With an application object the palette answers; every colour is a real colour.
    for (int i = 0; i <= int(SysColor::HotLight); ++i) {
        const QColor c = sysQColor(SysColor(i));
        EXPECT_TRUE(c.isValid()) << i;
        EXPECT_EQ(sysColor(SysColor(i)), makeColorRef(c.red(), c.green(), c.blue())) << i;
    }
    EXPECT_EQ(classicSysColor(SysColor::ButtonFace), QColor(240, 240, 240));
}
