// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Reduction, merging and writing as one stream: the frames become palette
// images run by run on the generation's threads, the calling thread merges
// identical neighbours in frame order as the runs come in, a merged frame is
// encoded (on the same threads, ahead of further runs) as soon as the next
// different frame shows its delay is complete, and the encoded frames are
// written in order. A palette image is let go as soon as the frames after it
// no longer need it, so only a few runs' worth are held at a time, and the
// reduction of later runs overlaps the encoding of earlier frames.
//
// The file is the one ReduceStage::run, mergeIdenticalFrames and
// WriteStage::run make one after the other, byte for byte, for any number of
// threads. Progress 60..95 as frames are merged, 100 at the end.
#include <string>
#include <vector>

#include "gif/composed_frame.h"

class GenerationRun;
class ReduceStage;
class WriteStage;

// True when the file was written whole. False with `error` set when no frame
// could be made (no file is created then) or the file cannot be written (it
// is removed). May throw std::bad_alloc.
bool reduceMergeWrite(const std::vector<ComposedFrame>& composed, ReduceStage& reduce, WriteStage& writer,
                      GenerationRun& run, std::string* error);
