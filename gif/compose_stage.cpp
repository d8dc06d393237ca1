// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/compose_stage.h"

#include <QtDebug>
#include <algorithm>
#include <cstring>

#include "editor/caption_list.h"
#include "editor/caption_renderer.h"
#include "effects/filter_lut.h"
#include "gif/generation_run.h"
#include "gif/generation_settings.h"
#include "gif/generation_source.h"
#include "gif/ordered_parallel.h"

// One renderer per caption that covers any record, in list order.
struct ComposeStage::CaptionPass {
    const CaptionItem* caption;
    std::unique_ptr<CaptionRenderer> renderer;
};

ComposeStage::ComposeStage(GenerationSource& source, const CaptionList& captions,
                           const GenerationSettings& settings, int filterNumber, int outWidth, int outHeight)
    : source_(source), settings_(settings), outW_(outWidth), outH_(outHeight)
{
    if (filterNumber >= 1)
        filter_ = FilterLut::load(filterNumber);
    if (settings.imageWatermark.enabled)
        watermark_ = settings.imageWatermark.prepare();
    const TextWatermark& textMark = settings.textWatermark;
    textOn_ = textMark.enabled && !textMark.text.isEmpty();
    if (textMark.enabled)
        textMark.measure(textBoxW_, textBoxH_);

    const int n = source.count();
    for (const auto& caption : captions) {
        if (caption && caption->lastFrame >= 1 && caption->firstFrame <= n &&
            caption->firstFrame <= caption->lastFrame)
            captionPasses_.push_back({caption.get(), std::make_unique<CaptionRenderer>(*caption)});
    }
    included_.assign(size_t(std::max(n, 0)), 0);
    delays_.assign(size_t(std::max(n, 0)), 0);
    for (int i = 0; i < n; ++i) {
        included_[size_t(i)] = source.included(i) ? 1 : 0;
        delays_[size_t(i)] = source.delay(i);
    }
}

ComposeStage::~ComposeStage() = default;

bool ComposeStage::composeRecord(int i, ComposedFrame& frame)
{
    if (i < 0 || size_t(i) >= included_.size() || !included_[size_t(i)])
        return false;
    std::unique_ptr<RasterImage> owned;
    const RasterImage* src = source_.image(i, owned);
    if (src == nullptr || !src->isValid()) {
        // (A record that fails the whole generation is not left out: the
        // source says why the generation fails.)
        if (source_.fatalRecord() != i)
            qWarning("generation: record %d has no usable picture; left out", i + 1);
        return false;
    }
    const int frameNumber = i + 1;
    bool hasCaption = false;
    for (const CaptionPass& pass : captionPasses_)
        hasCaption = hasCaption || pass.caption->encloses(frameNumber);
    const bool changes = filter_ || hasCaption || src->width() != outW_ || src->height() != outH_ ||
                         watermark_ || textOn_ || src->depth() != 24;
    // (A transparent colour would only be cleared: it changes no pixel.)
    frame.delay = delays_[size_t(i)];
    frame.record = i;
    if (!changes) {
        frame.owned = std::move(owned);
        frame.image = frame.owned ? frame.owned.get() : src;
        return true;
    }
    std::unique_ptr<RasterImage> copy = owned ? std::move(owned) : std::make_unique<RasterImage>(*src);
    if (!copy->isValid() || !copy->increaseTo24Bits()) {
        qWarning("generation: record %d cannot be copied; left out", i + 1);
        return false;
    }
    if (filter_)
        filter_->apply(*copy);
    for (const CaptionPass& pass : captionPasses_)
        if (pass.caption->encloses(frameNumber))
            pass.renderer->draw(*copy);
    if ((copy->width() != outW_ || copy->height() != outH_) && !copy->resampleSmooth(outW_, outH_)) {
        qWarning("generation: record %d cannot be resampled to %d x %d; left out", i + 1, outW_, outH_);
        return false;
    }
    if (watermark_)
        ImageWatermark::blend(*copy, *watermark_, settings_.imageWatermark.corner);
    if (textOn_)
        settings_.textWatermark.draw(*copy, textBoxW_, textBoxH_);
    copy->clearTransparency();
    frame.owned = std::move(copy);
    frame.image = frame.owned.get();
    return true;
}

void ComposeStage::shareUnchangedRows(ComposedFrame& c, const ComposedFrame* previous) const
{
    const RasterImage& img = *c.image;
    const size_t rowBytes = size_t(outW_) * 3;
    c.rows.resize(size_t(outH_));
    int changed = outH_;
    std::vector<char> same;
    if (c.owned && previous != nullptr) {
        same.resize(size_t(outH_));
        changed = 0;
        for (int y = 0; y < outH_; ++y) {
            same[size_t(y)] = std::memcmp(img.row(y), previous->rows[size_t(y)], rowBytes) == 0;
            changed += !same[size_t(y)];
        }
    }
    if (changed * 2 < outH_) {
        // Keep the changed rows only and let the picture go.
        c.changedRows.reset(new uint8_t[std::max<size_t>(1, size_t(changed) * rowBytes)]);
        uint8_t* out = c.changedRows.get();
        for (int y = 0; y < outH_; ++y) {
            if (same[size_t(y)]) {
                c.rows[size_t(y)] = previous->rows[size_t(y)];
            } else {
                std::memcpy(out, img.row(y), rowBytes);
                c.rows[size_t(y)] = out;
                out += rowBytes;
            }
        }
        c.owned.reset();
        c.image = nullptr;
    } else {
        for (int y = 0; y < outH_; ++y)
            c.rows[size_t(y)] = img.row(y);
    }
}

std::vector<ComposedFrame> ComposeStage::run(GenerationRun& run,
                                             const std::function<void(const ComposedFrame&)>& inOrder)
{
    const int n = int(included_.size());
    std::vector<ComposedFrame> pending(static_cast<size_t>(n));
    std::vector<char> present(size_t(n), 0);
    const double step = 60.0 / std::max(n, 1);
    const ComposedFrame* previous = nullptr;
    int composed = 0;
    int handed = 0;  // records given to inOrder's turn; those after a stop are dropped
    const int threads = run.threads();
    runOrdered(
        n, threads, [&](int i) { present[size_t(i)] = composeRecord(i, pending[size_t(i)]) ? 1 : 0; },
        [&](int i) {
            handed = i + 1;
            if (present[size_t(i)]) {
                ComposedFrame& c = pending[size_t(i)];
                shareUnchangedRows(c, previous);
                inOrder(c);
                previous = &c;
                ++composed;
            }
            const int p = int(i * step);
            if (p < 60)
                run.report(p);
            // Every record up to i is composed: a fatal failure among them is
            // the earliest there will be, and nothing after it is needed.
            const int fatal = source_.fatalRecord();
            return fatal < 0 || fatal > i;
        },
        threads * 2);

    // Moving the frames keeps the rows they share where they are.
    std::vector<ComposedFrame> frames;
    frames.reserve(size_t(composed));
    for (int i = 0; i < handed; ++i)
        if (present[size_t(i)])
            frames.push_back(std::move(pending[size_t(i)]));
    return frames;
}
