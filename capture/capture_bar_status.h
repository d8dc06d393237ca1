// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// What the bars of the capture frame show, handed to them by the capture
// window (built by CaptureController::barStatus()): the bars paint this and
// refuse drags while it says Recording; they hold no pointer to the state.
#include "capture/capture_geometry.h"
#include "capture/capture_state.h"

struct CaptureBarStatus {
    CaptureState state = CaptureState::Idle;
    CaptureRect captureRect{0, 0, 310, 250};
    int frameCount = 0;      // the displayed frame count
    bool blinkOn = false;    // the gold marks are drawn
    int percentage = 0;      // the last generation percentage
    int rate = 20;           // Rate1, for the seconds label
    bool windows10 = false;  // with dpiRatio: the labels show device pixels
    float dpiRatio = 1.0f;
    float uiScale = 1.0f;
};
