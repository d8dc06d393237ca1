// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture window's main state, which also orders access to the frame
// sequence and the captions: while Recording or Generating only the worker
// touches them, while Idle or Stopped only the user-interface thread does.
//
//   Idle, Stopped   --Start-->                Recording
//   Recording       --Stop requested-->       Recording (the request is only posted)
//   Recording       --UM_CAPTURE_STOPPED-->   Stopped
//   Idle, Stopped   --import attempt-->       Stopped (also when it failed)
//   Stopped         --generation started-->   Generating
//   Generating      --UM_PROGRESS-->          Generating
//   Generating      --UM_GENERATED-->         Stopped
// The state starts Idle and never returns to it.

enum class CaptureState : int { Idle = 0, Recording = 1, Stopped = 2, Generating = 3 };

enum class CaptureEvent {
    Start,
    StopRequested,
    CaptureStopped,
    ImportAttempt,
    GenerationStarted,
    Progress,
    Generated,
};

// Whether `event` is allowed in `state`.
constexpr bool captureEventAllowed(CaptureState state, CaptureEvent event)
{
    switch (event) {
        case CaptureEvent::Start:
        case CaptureEvent::ImportAttempt:
            return state == CaptureState::Idle || state == CaptureState::Stopped;
        case CaptureEvent::StopRequested:
        case CaptureEvent::CaptureStopped:
            return state == CaptureState::Recording;
        case CaptureEvent::GenerationStarted:
            return state == CaptureState::Stopped;
        case CaptureEvent::Progress:
        case CaptureEvent::Generated:
            return state == CaptureState::Generating;
    }
    return false;
}

// The state after `event`; an event the state does not allow leaves it as it is.
// UM_PROGRESS always means a generation runs, so it sets Generating from any state
// (the window's handler does so).
constexpr CaptureState nextCaptureState(CaptureState state, CaptureEvent event)
{
    if (event == CaptureEvent::Progress)
        return CaptureState::Generating;
    if (!captureEventAllowed(state, event))
        return state;
    switch (event) {
        case CaptureEvent::Start:
        case CaptureEvent::StopRequested:
            return CaptureState::Recording;
        case CaptureEvent::CaptureStopped:
        case CaptureEvent::ImportAttempt:
        case CaptureEvent::Generated:
            return CaptureState::Stopped;
        case CaptureEvent::GenerationStarted:
        case CaptureEvent::Progress:
            return CaptureState::Generating;
    }
    return state;
}

// The capture window refuses to close (and asks the user to wait) while a
// GIF is being generated; commands that change frames or captions are refused
// while recording or generating.
constexpr bool captureStateBusy(CaptureState state)
{
    return state == CaptureState::Recording || state == CaptureState::Generating;
}
