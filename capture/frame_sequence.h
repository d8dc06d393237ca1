// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The in-memory recording: an ordered array of frames with the frame
// rectangle and the recording parameters. Held by the worker (CWorkerThread);
// no lock: the capture window's state decides which thread may touch it.
//
// Frame numbers (FrameImage) count from 1; indices (at, insert, remove) from 0.
// The sequence owns its records and the records own their images: removing a
// record destroys it with its image.
#include <climits>
#include <cstddef>
#include <deque>
#include <memory>

#include "capture/frame_record.h"

struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    // right - left and bottom - top, limited to the int range (a rectangle
    // spanning more than it is as wide as it can be).
    int width() const { return span(left, right); }
    int height() const { return span(top, bottom); }
    bool operator==(const FrameRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const FrameRect& o) const { return !(*this == o); }

private:
    static int span(int from, int to)
    {
        const long long d = static_cast<long long>(to) - from;
        return d > INT_MAX ? INT_MAX : (d < INT_MIN ? INT_MIN : int(d));
    }
};

class FrameSequence {
public:
    // Start values of a new worker: rectangle (150, 200, 550, 450), mouse-track
    // mode 0, 20 frames per second, last-ten-seconds off, no frames.
    static constexpr FrameRect kStartRect{150, 200, 550, 450};
    static constexpr int kStartFps = 20;

    FrameSequence() = default;
    ~FrameSequence() = default;
    FrameSequence(const FrameSequence&) = delete;
    FrameSequence& operator=(const FrameSequence&) = delete;

    // --- the frames ---------------------------------------------------------
    int count() const { return int(frames_.size()); }
    bool empty() const { return frames_.empty(); }
    // Record at 0-based index i; null outside 0..count-1.
    FrameRecord* at(int i);
    const FrameRecord* at(int i) const;
    // Image of frame number n (1-based); null when n < 1 or n > count.
    // FrameImage(1) tells whether the sequence holds any frame.
    RasterImage* FrameImage(int n);
    const RasterImage* FrameImage(int n) const;

    // Takes ownership. A null record or one without an image is refused (false).
    bool append(std::unique_ptr<FrameRecord> record);
    // Inserts so that the record gets index i (clamped to 0..count); the records
    // from i on move up by one.
    bool insert(int i, std::unique_ptr<FrameRecord> record);
    // Destroys `n` records starting at index i (the range is limited to the
    // array); the records that follow move down.
    void remove(int i, int n = 1);
    // Hands record i over to the caller (null outside); the rest move down.
    std::unique_ptr<FrameRecord> take(int i);
    // Exchanges the records at i and j (nothing when either is outside).
    void swap(int i, int j);
    // Destroys every record, in order.
    void clear();

    // --- recording -----------------------------------------------------------
    // Delay of a recorded frame at `fps` frames per second: trunc(100 / fps)
    // hundredths (25 -> 4, 15 -> 6, 3 -> 33, 1 -> 100). A rate below 1 counts
    // as 1.
    static int recordingDelay(int fps);
    // Appends a grabbed frame (include mark 1, delay recordingDelay(fps())) and,
    // with the last-ten-seconds flag on, drops the oldest frame while there are
    // more than fps * 10. Refuses (false) a null or invalid image.
    bool appendRecorded(std::unique_ptr<RasterImage> image);

    // --- frame rectangle and recording parameters -----------------------------
    // Stores rectangle and mouse-track mode only when right >= left and
    // bottom >= top; an inverted rectangle changes neither. Returns whether it
    // was stored.
    bool SetFrameRectangle(int left, int top, int right, int bottom, int mouseTrackMode);
    const FrameRect& frameRect() const { return rect_; }
    int frameWidth() const { return rect_.width(); }
    int frameHeight() const { return rect_.height(); }
    int mouseTrackMode() const { return mouseTrackMode_; }

    int fps() const { return fps_; }
    void setFps(int fps) { fps_ = fps; }
    bool lastTenSeconds() const { return lastTenSeconds_; }
    void setLastTenSeconds(bool on) { lastTenSeconds_ = on; }

    // Range-for over the records (each a std::unique_ptr<FrameRecord>).
    auto begin() { return frames_.begin(); }
    auto end() { return frames_.end(); }
    auto begin() const { return frames_.begin(); }
    auto end() const { return frames_.end(); }

private:
    // A deque keeps trimming at the front cheap during long recordings.
    std::deque<std::unique_ptr<FrameRecord>> frames_;
    FrameRect rect_ = kStartRect;
    int mouseTrackMode_ = 0;
    int fps_ = kStartFps;
    bool lastTenSeconds_ = false;
};
