// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The editor's commands on the frame sequence, without any window: they change
// the records in place (deleted ones included unless said otherwise) and tell
// what the editor must show next. Frame numbers count from 1, indices from 0.
#include <memory>
#include <vector>

class FrameSequence;
class RasterImage;
struct FrameRecord;

namespace frameops {

inline constexpr int kMinDelay = 1;
inline constexpr int kMaxDelay = 999;
inline constexpr int kInsertedDelay = 100;

// A typed delay: 1 for v <= 0, 999 above 998.
int clampDelay(int v);

// "加快动画速度" (step -1, never below 1) / "减慢动画速度" (step +1, never above
// 999), on every record.
void faster(FrameSequence& seq);
void slower(FrameSequence& seq);

// "在时间上逆序": with 2 or more records the order is reversed and the new
// current frame number (n - current + 1) returned; otherwise nothing changes
// and `current` is returned.
int reverse(FrameSequence& seq, int current);

// Rotations set the frame rectangle to (0, 0, w, h) of the first image after
// turning every image; flips only turn the images. False when the sequence is
// empty or an image could not be turned (the others are still turned).
bool rotateLeft(FrameSequence& seq);
bool rotateRight(FrameSequence& seq);
bool flipVertical(FrameSequence& seq);
bool flipHorizontal(FrameSequence& seq);

// "删除或取消删除": every index in `selected` (strip order) gets the opposite of
// the include mark of the first one. False (nothing changed) when none is given.
bool toggleIncluded(FrameSequence& seq, const std::vector<int>& selected);
// Sets the include mark of the given indices.
void setIncluded(FrameSequence& seq, const std::vector<int>& indices, bool on);

// "彻底移除(不可恢复)": destroys the records whose flag is set, last to first.
// Refused (false, nothing removed) when every record is flagged or none is, or
// when the flags do not cover the sequence.
bool removeSelected(FrameSequence& seq, const std::vector<bool>& selected);

// Sets the delay of the given indices (clamped to 1..999).
void setDelays(FrameSequence& seq, const std::vector<int>& indices, int delay);

// The next frame slow-motion playback shows after `current`: one on, wrapping
// to 1, skipping deleted frames; 0 when every frame is deleted (or there are
// none): playback then stops.
int nextPlaybackFrame(const FrameSequence& seq, int current);

// A still picture made into a frame of width x height: shrunk to fit (never
// enlarged; bicubic), centred on black with the odd pixel of the margin to
// the right and top, the picture's transparent colour left black. Include
// mark 1. Null when the picture is invalid or the size is not positive.
std::unique_ptr<RasterImage> fitPictureOnCanvas(const RasterImage& picture, int width, int height);

// Inserts the records at index `pos` (clamped) in their order; returns the
// number inserted.
int insertRecords(FrameSequence& seq, int pos, std::vector<std::unique_ptr<FrameRecord>> records);

}  // namespace frameops
