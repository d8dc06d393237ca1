// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// System colours (what GetSysColor gives on Windows), taken from the
// application palette. Without a GUI application object the classic light-grey
// scheme is returned.
#include <QColor>

#include "imaging/raster_image.h"

enum class SysColor {
    Window,           // COLOR_WINDOW: background of edit fields and lists
    WindowText,       // COLOR_WINDOWTEXT
    Menu,             // COLOR_MENU: menu background
    MenuText,         // COLOR_MENUTEXT
    ButtonFace,       // COLOR_BTNFACE / COLOR_3DFACE: dialog background
    ButtonText,       // COLOR_BTNTEXT
    ButtonShadow,     // COLOR_BTNSHADOW / COLOR_3DSHADOW
    ButtonHighlight,  // COLOR_BTNHIGHLIGHT / COLOR_3DHILIGHT
    DarkShadow,       // COLOR_3DDKSHADOW
    Light,            // COLOR_3DLIGHT
    Highlight,        // COLOR_HIGHLIGHT: selection background
    HighlightText,    // COLOR_HIGHLIGHTTEXT
    GrayText,         // COLOR_GRAYTEXT: disabled text
    InactiveBorder,   // COLOR_INACTIVEBORDER
    InfoBackground,   // COLOR_INFOBK: tooltip background
    InfoText,         // COLOR_INFOTEXT
    HotLight,         // COLOR_HOTLIGHT: hyperlinks
};

QColor sysQColor(SysColor which);
ColorRef sysColor(SysColor which);  // red in the low byte
// The classic scheme's value (used when there is no application palette).
QColor classicSysColor(SysColor which);
