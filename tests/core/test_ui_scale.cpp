// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include "app/ui_scale.h"

TEST(UiScale, FromExpandFont)
{
    struct Case {
        int expandFont;
        float scale;
    };
    // No clamping of the usual steps, 0 included; values that give no usable
    // scale fall back to 1.0.
    const Case cases[] = {{1, 1.0f},  {2, 1.5f},  {3, 2.0f}, {0, 0.5f},      {7, 4.0f},
                          {-1, 1.0f}, {-5, 1.0f}, {8, 1.0f}, {1000000, 1.0f}};
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(uiScaleFromExpandFont(c.expandFont), c.scale) << c.expandFont;
}

TEST(UiScale, StartupScales)
{
    AppSettings s;
    EXPECT_FLOAT_EQ(s.uiScale, 1.0f);  // until the capture window initialises
    EXPECT_FLOAT_EQ(s.dpiRatio, 1.0f);
    s.expandFont = 2;
    applyStartupScales(s);
    EXPECT_FLOAT_EQ(s.uiScale, 1.5f);
    EXPECT_TRUE(s.windows10);
    // The offscreen test screen has a ratio of 1; a display that cannot be read
    // would give 0, which is never used as a ratio.
    EXPECT_GT(s.dpiRatio, 0.0f);
    EXPECT_FLOAT_EQ(s.dpiRatio, DisplayScaleRatio() > 0 ? DisplayScaleRatio() : 1.0f);
    EXPECT_EQ(ClassicWindowsVersion(), 0);

    // The process-wide accessors read and write the one record.
    const float before = UiScale();
    setUiScale(2.0f);
    EXPECT_FLOAT_EQ(appSettings().uiScale, 2.0f);
    setUiScale(before);
}
