// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/more_menu_settings.h"

#include <iterator>

#include "app/app_settings.h"
#include "res/resource.h"

namespace {
struct RateItem {
    int command;
    int rate;
};
constexpr RateItem kRates[] = {{ID_RATE_25, 25}, {ID_RATE_20, 20}, {ID_RATE_15, 15}, {ID_RATE_10, 10},
                               {ID_RATE_5, 5},   {ID_RATE_3, 3},   {ID_RATE_1, 1}};
constexpr int kMouseCommands[] = {ID_MOUSE_NONE, ID_MOUSE_CURSOR, ID_MOUSE_RED, ID_MOUSE_GREEN,
                                  ID_MOUSE_YELLOW};
}  // namespace

int markedRateCommand(const AppSettings& settings)
{
    for (const RateItem& r : kRates) {
        if (r.rate == settings.rate1)
            return r.command;
    }
    return ID_RATE_20;
}

int markedMouseCommand(const AppSettings& settings)
{
    if (settings.mouse >= 1 && settings.mouse <= 4)
        return kMouseCommands[settings.mouse];
    return ID_MOUSE_NONE;
}

bool moreMenuItemChecked(int command, const AppSettings& s)
{
    switch (command) {
        case ID_TOPMOST:
            return s.topWnd;
        case ID_AERO_OFF:
            return !s.aero;
        case ID_RENDER:
            return s.file;
        case ID_PLAY_ONCE:
            return s.playOnce;
        case ID_KEEP_WHITE:
            return s.whiteBk;
        case ID_LAST_10S:
            return s.last10;
        default:
            return false;
    }
}

bool applyMoreMenuSetting(int command, AppSettings& s)
{
    for (const RateItem& r : kRates) {
        if (r.command == command) {
            s.rate1 = r.rate;
            return true;
        }
    }
    for (int mode = 0; mode < int(std::size(kMouseCommands)); ++mode) {
        if (kMouseCommands[mode] == command) {
            s.mouse = mode;
            return true;
        }
    }
    switch (command) {
        case ID_TOPMOST:
            s.topWnd = !s.topWnd;
            return true;
        case ID_AERO_OFF:
            s.aero = !s.aero;
            return true;
        case ID_RENDER:
            s.file = !s.file;
            return true;
        case ID_PLAY_ONCE:
            s.playOnce = !s.playOnce;
            return true;
        case ID_KEEP_WHITE:
            s.whiteBk = !s.whiteBk;
            return true;
        case ID_LAST_10S:
            s.last10 = !s.last10;
            return true;
        default:
            return false;
    }
}
