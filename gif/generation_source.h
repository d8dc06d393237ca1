// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Where a generation reads its records from. The worker hands it the frame
// sequence (FrameSequenceSource); the command line hands it pictures that are
// only decoded when composition reaches them, so decoding runs on the
// generation's threads too.
//
// count(), frameWidth(), frameHeight(), included() and delay() are asked on the
// generating thread before composition starts. image(i) is called at most once
// per included record, possibly from several threads at once for different i.
#include <memory>

class RasterImage;

class GenerationSource {
public:
    virtual ~GenerationSource() = default;

    virtual int count() const = 0;       // records, deleted ones included
    virtual int frameWidth() const = 0;  // the frame rectangle the output is scaled from
    virtual int frameHeight() const = 0;
    virtual bool included(int i) const = 0;
    virtual int delay(int i) const = 0;  // hundredths of a second

    // The 24-bit image of record i. Either returns a borrowed image that stays
    // valid for the whole generation, or fills `owned` and returns owned.get().
    // Null when the record has no usable image (it is then left out).
    virtual const RasterImage* image(int i, std::unique_ptr<RasterImage>& owned) = 0;

    // The lowest record whose image failed in a way that fails the whole
    // generation (a picture the command line was given does not decode), -1
    // while there is none. Composition stops once every record before it is
    // composed, and the generation fails; a source whose missing images are
    // only left out keeps the default. Safe to ask while image() runs.
    virtual int fatalRecord() const { return -1; }
};
