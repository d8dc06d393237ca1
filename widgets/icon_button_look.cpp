// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/icon_button_look.h"

IconButtonLook iconButtonLook(const IconButtonState& s)
{
    IconButtonLook look;
    look.pressed = s.checkMode ? (s.selected || s.checked) : s.selected;
    look.blackFrame = !s.flat && (s.focused || s.isDefault);
    if (s.hovered || look.pressed)
        look.fillIndex = 0;
    else if (s.focused)
        look.fillIndex = 4;
    else
        look.fillIndex = 2;

    if (look.pressed) {
        if (!s.flat)
            look.border = IconButtonBorder::ShadowFrame;
        else if (s.drawBorder)
            look.border = IconButtonBorder::Sunken;
    } else {
        if (!s.flat)
            look.border = IconButtonBorder::Raised3D;
        else if (s.hovered && s.drawBorder)
            look.border = IconButtonBorder::RaisedEdge;
    }

    look.inIcon = s.checkMode ? look.pressed : (look.pressed || s.hovered);
    look.offset = (look.pressed && !s.checkMode) ? 1 : 0;
    if (s.hovered || look.pressed)
        look.textIndex = 1;
    else if (s.focused)
        look.textIndex = 5;
    else
        look.textIndex = 3;
    look.focusRect = !s.flat && s.focused;
    return look;
}

bool hoverAfterMouseMove(bool overButton, bool leftHeld, bool hovered)
{
    if (!overButton)
        return false;
    return hovered || !leftHeld;
}
