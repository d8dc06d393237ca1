// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Composition: an output-sized 24-bit picture for every kept record. In this
// order: the filter, the captions at capture size (numbered by record, deleted
// ones counted), bicubic resampling to the output size, the image watermark,
// the text watermark. A record that none of these change is used as the source
// hands it over, without a copy.
//
// run() composes the records on `threads` threads and hands each composed frame
// to `inOrder` on the calling thread in record order, while later records are
// still being composed (an encoder may look at each frame there). It reports progress 0..59, one
// report per record (deleted ones included).
#include <functional>
#include <memory>
#include <vector>

#include "gif/composed_frame.h"

class CaptionItem;
class CaptionList;
class CaptionRenderer;
class FilterLut;
class GenerationRun;
class GenerationSource;
struct GenerationSettings;

class ComposeStage {
public:
    // `filterNumber` below 1, or a filter that cannot be loaded, means none.
    ComposeStage(GenerationSource& source, const CaptionList& captions, const GenerationSettings& settings,
                 int filterNumber, int outWidth, int outHeight);
    ~ComposeStage();
    ComposeStage(const ComposeStage&) = delete;
    ComposeStage& operator=(const ComposeStage&) = delete;

    // Composes record i into `frame` (safe for different i at once); false when
    // the record is deleted or has no usable picture. `frame.rows` is not set.
    bool composeRecord(int i, ComposedFrame& frame);

    // Every kept record, composed, in record order, each with its rows set.
    std::vector<ComposedFrame> run(GenerationRun& run,
                                   const std::function<void(const ComposedFrame&)>& inOrder);

private:
    struct CaptionPass;
    void shareUnchangedRows(ComposedFrame& frame, const ComposedFrame* previous) const;

    GenerationSource& source_;
    const GenerationSettings& settings_;
    int outW_;
    int outH_;
    std::unique_ptr<FilterLut> filter_;
    std::unique_ptr<RasterImage> watermark_;
    bool textOn_ = false;
    int textBoxW_ = 20;
    int textBoxH_ = 15;
    std::vector<CaptionPass> captionPasses_;
    std::vector<char> included_;
    std::vector<int> delays_;
};
