// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/frame_ops.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>

#include "capture/frame_sequence.h"
#include "imaging/raster_image.h"

namespace frameops {

int clampDelay(int v)
{
    if (v <= 0)
        return kMinDelay;
    if (v > kMaxDelay - 1)
        return kMaxDelay;
    return v;
}

void faster(FrameSequence& seq)
{
    for (auto& r : seq)
        if (r->delay > kMinDelay)
            r->delay -= 1;
}

void slower(FrameSequence& seq)
{
    for (auto& r : seq)
        if (r->delay < kMaxDelay)
            r->delay = std::max(r->delay, kMinDelay - 1) + 1;
}

int reverse(FrameSequence& seq, int current)
{
    const int n = seq.count();
    if (n < 2)
        return current;
    for (int k = 1; k <= n / 2; ++k)
        seq.swap(k - 1, n - k);
    return n - current + 1;
}

namespace {

template <typename Op>
bool forEachImage(FrameSequence& seq, Op op)
{
    if (seq.empty())
        return false;
    bool ok = true;
    for (auto& r : seq)
        if (!r->image || !op(*r->image))
            ok = false;
    return ok;
}

bool resetRectangle(FrameSequence& seq, bool ok)
{
    const RasterImage* first = seq.FrameImage(1);
    if (first && first->isValid())
        seq.SetFrameRectangle(0, 0, first->width(), first->height(), 0);
    return ok;
}

}  // namespace

bool rotateLeft(FrameSequence& seq)
{
    return resetRectangle(seq, forEachImage(seq, [](RasterImage& i) { return i.rotateLeft(); }));
}

bool rotateRight(FrameSequence& seq)
{
    return resetRectangle(seq, forEachImage(seq, [](RasterImage& i) { return i.rotateRight(); }));
}

bool flipVertical(FrameSequence& seq)
{
    return forEachImage(seq, [](RasterImage& i) { return i.flip(); });
}

bool flipHorizontal(FrameSequence& seq)
{
    return forEachImage(seq, [](RasterImage& i) { return i.mirror(); });
}

bool toggleIncluded(FrameSequence& seq, const std::vector<int>& selected)
{
    const FrameRecord* first = selected.empty() ? nullptr : seq.at(selected.front());
    if (!first)
        return false;
    setIncluded(seq, selected, !first->included());
    return true;
}

void setIncluded(FrameSequence& seq, const std::vector<int>& indices, bool on)
{
    for (int i : indices)
        if (FrameRecord* r = seq.at(i))
            r->setIncluded(on);
}

bool removeSelected(FrameSequence& seq, const std::vector<bool>& selected)
{
    const int n = seq.count();
    if (int(selected.size()) != n)
        return false;
    const auto marked = std::count(selected.begin(), selected.end(), true);
    if (marked == 0 || marked == n)
        return false;
    for (int i = n - 1; i >= 0; --i)
        if (selected[size_t(i)])
            seq.remove(i);
    return true;
}

void setDelays(FrameSequence& seq, const std::vector<int>& indices, int delay)
{
    const int d = clampDelay(delay);
    for (int i : indices)
        if (FrameRecord* r = seq.at(i))
            r->delay = d;
}

int nextPlaybackFrame(const FrameSequence& seq, int current)
{
    const int n = seq.count();
    if (n <= 0)
        return 0;
    int c = current + 1;
    if (c > n || c < 1)
        c = 1;
    for (int skipped = 0; skipped <= n; ++skipped) {
        const FrameRecord* r = seq.at(c - 1);
        if (r && r->included())
            return c;
        c = c >= n ? 1 : c + 1;
    }
    return 0;
}

std::unique_ptr<RasterImage> fitPictureOnCanvas(const RasterImage& picture, int width, int height)
{
    if (!picture.isValid() || width <= 0 || height <= 0)
        return nullptr;
    RasterImage pic(picture);
    if (!pic.increaseTo24Bits())
        return nullptr;
    const bool keyed = pic.hasTransparentColor();
    const RgbQuad key = pic.transparentColor();
    const int w = pic.width();
    const int h = pic.height();
    const double rx = double(w) / width;
    const double ry = double(h) / height;
    if (!(rx < 1 && ry < 1)) {
        int nw = width;
        int nh = height;
        if (rx > ry)
            nh = std::max(1, int(h / rx));
        else
            nw = std::max(1, int(w / ry));
        if ((nw != w || nh != h) && !pic.resampleSmooth(nw, nh))
            return nullptr;
    }
    auto canvas = RasterImage::make(width, height, 24);
    if (!canvas)
        return nullptr;
    for (int y = 0; y < height; ++y)
        std::memset(canvas->row(y), 0, size_t(width) * 3);
    const int pw = std::min(width, pic.width());
    const int ph = std::min(height, pic.height());
    const int left = (width - pw) / 2;
    const int bottomMargin = (height - ph) / 2;
    const int top = height - bottomMargin - ph;  // the odd row of the margin goes to the top
    for (int y = 0; y < ph; ++y) {
        const uint8_t* s = pic.row(y);
        uint8_t* d = canvas->row(top + y) + size_t(left) * 3;
        if (!keyed) {
            std::memcpy(d, s, size_t(pw) * 3);
            continue;
        }
        for (int x = 0; x < pw; ++x, s += 3, d += 3)
            if (s[0] != key.blue || s[1] != key.green || s[2] != key.red)
                std::memcpy(d, s, 3);
    }
    canvas->setFlags(1);
    return canvas;
}

int insertRecords(FrameSequence& seq, int pos, std::vector<std::unique_ptr<FrameRecord>> records)
{
    int at = std::clamp(pos, 0, seq.count());
    int inserted = 0;
    for (auto& r : records)
        if (r && seq.insert(at, std::move(r))) {
            ++at;
            ++inserted;
        }
    return inserted;
}

}  // namespace frameops
