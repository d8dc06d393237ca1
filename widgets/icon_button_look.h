// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What an icon button paints for a given state: the drawing decisions, kept
// apart from the painting so they can be checked without a window.

struct IconButtonState {
    bool checkMode = false;
    bool selected = false;  // held down by mouse or keyboard
    bool checked = false;
    bool focused = false;
    bool disabled = false;
    bool hovered = false;
    bool isDefault = false;
    bool flat = true;
    bool drawBorder = true;
};

enum class IconButtonBorder {
    None,
    ShadowFrame,  // one-pixel frame in the shadow colour
    Sunken,       // shadow top-left, highlight bottom-right
    Raised3D,     // four lines: highlight, light, shadow, dark shadow
    RaisedEdge,   // highlight top-left, shadow bottom-right
};

struct IconButtonLook {
    bool pressed = false;
    bool blackFrame = false;  // one-pixel black frame before the fill
    int fillIndex = 2;        // colour index of the background
    IconButtonBorder border = IconButtonBorder::None;
    bool inIcon = false;  // the in icon (else the out icon when there is one)
    int offset = 0;       // image and text moved right and down by this
    int textIndex = 3;    // colour index of the text (not used when disabled)
    bool focusRect = false;
};

IconButtonLook iconButtonLook(const IconButtonState& s);

// Hover after a mouse move: the pointer over the button makes it hovered unless
// the left button is held (a button already hovered stays so); anywhere else the
// hover ends.
bool hoverAfterMouseMove(bool overButton, bool leftHeld, bool hovered);
