// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The More menu's marks and the commands that only change a setting.
#include <gtest/gtest.h>

#include "app/app_settings.h"
#include "capture/more_menu_settings.h"
#include "res/resource.h"

TEST(MoreMenuSettings, RateMarkFallsBackTo20ButTheRateStays)
{
    AppSettings s;
    const std::pair<int, int> cases[] = {
        {25, ID_RATE_25}, {20, ID_RATE_20}, {15, ID_RATE_15}, {10, ID_RATE_10}, {5, ID_RATE_5},
        {3, ID_RATE_3},   {1, ID_RATE_1},   {12, ID_RATE_20}, {0, ID_RATE_20},  {1000, ID_RATE_20}};
    for (const auto& [rate, marked] : cases) {
        s.rate1 = rate;
        EXPECT_EQ(markedRateCommand(s), marked) << rate;
        EXPECT_EQ(s.rate1, rate);
    }
    EXPECT_TRUE(applyMoreMenuSetting(ID_RATE_5, s));
    EXPECT_EQ(s.rate1, 5);
}

TEST(MoreMenuSettings, MouseTrackModes)
{
    AppSettings s;
    const std::pair<int, int> cases[] = {{ID_MOUSE_NONE, 0},
                                         {ID_MOUSE_CURSOR, 1},
                                         {ID_MOUSE_RED, 2},
                                         {ID_MOUSE_GREEN, 3},
                                         {ID_MOUSE_YELLOW, 4}};
    for (const auto& [command, mode] : cases) {
        EXPECT_TRUE(applyMoreMenuSetting(command, s));
        EXPECT_EQ(s.mouse, mode);
        EXPECT_EQ(markedMouseCommand(s), command);
    }
    s.mouse = 9;  // not validated when read: marks "none"
    EXPECT_EQ(markedMouseCommand(s), ID_MOUSE_NONE);
}

TEST(MoreMenuSettings, ChecksFollowTheSettingsAndToggle)
{
    AppSettings s;
    s.topWnd = true;
    s.aero = true;
    s.file = true;
    s.playOnce = false;
    s.whiteBk = false;
    s.last10 = false;
    EXPECT_TRUE(moreMenuItemChecked(ID_TOPMOST, s));
    EXPECT_FALSE(moreMenuItemChecked(ID_AERO_OFF, s));  // checked when composition is off
    EXPECT_TRUE(moreMenuItemChecked(ID_RENDER, s));
    for (int command : {ID_TOPMOST, ID_AERO_OFF, ID_RENDER, ID_PLAY_ONCE, ID_KEEP_WHITE, ID_LAST_10S}) {
        const bool before = moreMenuItemChecked(command, s);
        EXPECT_TRUE(applyMoreMenuSetting(command, s));
        EXPECT_NE(moreMenuItemChecked(command, s), before) << command;
    }
    EXPECT_FALSE(s.topWnd);
    EXPECT_FALSE(s.aero);
    EXPECT_TRUE(s.playOnce);
    EXPECT_TRUE(s.last10);

    const AppSettings unchanged = s;
    for (int command : {ID_OPEN_GIF_FILE, ID_TEXT_WATERMARK, ID_APP_ABOUT, 0, 12345})
        EXPECT_FALSE(applyMoreMenuSetting(command, s)) << command;
    EXPECT_EQ(s.rate1, unchanged.rate1);
    EXPECT_EQ(s.topWnd, unchanged.topWnd);
}
