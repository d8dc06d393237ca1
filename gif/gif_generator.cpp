// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/gif_generator.h"

#include <QDir>
#include <QFile>
#include <QtDebug>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <new>
#include <random>
#include <vector>

#include "editor/caption_list.h"
#include "editor/caption_renderer.h"
#include "effects/filter_lut.h"
#include "gif/frame_reducer.h"
#include "gif/frame_sequence_source.h"
#include "gif/gd_handles.h"
#include "gif/generation_settings.h"
#include "gif/generation_source.h"
#include "gif/level_generation.h"
#include "gif/ordered_parallel.h"
#include "imaging/octree_quantizer.h"
#include "imaging/palette_lookup.h"
#include "imaging/raster_image.h"
#include "platform/errno_text.h"

namespace {

// GIF sizes are 16-bit fields.
constexpr int kMaxGifSide = 65535;
constexpr int kMaxGifDelay = 65535;
// Shortest limit on a run of frames reduced one after the other on one thread
// (longer recordings get longer runs, a few per thread).
constexpr int kMinRunLimit = 12;

// One composed record: the picture that goes into the palette and the GIF,
// as top-down rows of B, G, R. When composition changes nothing the source
// picture is used as it is (`image` borrowed). A record that differs from the
// one before it in few rows keeps only those rows (`changedRows`) and shares
// the others with its predecessor, so a long recording of a mostly still
// screen is held in little memory and decoded pictures are released at once.
struct Composed {
    const RasterImage* image = nullptr;      // the whole picture while it is kept
    std::unique_ptr<RasterImage> owned;      // ... when it belongs to the generation
    std::unique_ptr<uint8_t[]> changedRows;  // rows of its own when the picture is not kept
    std::vector<const uint8_t*> rows;        // every row, top-down
    int delay = 0;
};

// One frame of the animation.
struct GifFrame {
    GdImageHandle image;
    int delay = 0;
};

// With VEXLO_GENERATION_TIMES set, the time of each stage goes to the log.
class StageTimer {
public:
    StageTimer()
        : on_(qEnvironmentVariableIsSet("VEXLO_GENERATION_TIMES")), last_(std::chrono::steady_clock::now())
    {
    }
    void mark(const char* stage)
    {
        if (!on_)
            return;
        const auto now = std::chrono::steady_clock::now();
        qInfo("generation: %-9s %7.1f ms", stage,
              std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }

private:
    bool on_;
    std::chrono::steady_clock::time_point last_;
};

void report(const GenerationProgress& progress, int percent)
{
    if (progress)
        progress(percent);
}

void setError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}

// Gives `frame` the colour table of `palette` the way gdImagePaletteCopy does
// (colours copied, every entry in use, the same number of colours). The
// pixel remapping that gdImagePaletteCopy also does is the identity here:
// every pixel holds the first table entry of its colour, because the nearest
// search never picks a later duplicate, and libgd maps each index to the
// first closest entry of the same table.
void sharePalette(gdImagePtr frame, const gdImagePtr palette)
{
    for (int i = 0; i < palette->colorsTotal; ++i) {
        frame->red[i] = palette->red[i];
        frame->green[i] = palette->green[i];
        frame->blue[i] = palette->blue[i];
        frame->alpha[i] = palette->alpha[i];
        frame->open[i] = 0;
    }
    for (int i = palette->colorsTotal; i < frame->colorsTotal; ++i)
        frame->open[i] = 1;
    frame->colorsTotal = palette->colorsTotal;
}

bool writeWhole(std::FILE* file, const GdBuffer& buffer)
{
    if (buffer.data == nullptr || buffer.size < 0)
        return false;
    return buffer.size == 0 ||
           std::fwrite(buffer.data.get(), 1, size_t(buffer.size), file) == size_t(buffer.size);
}

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f != nullptr)
            std::fclose(f);
    }
};

}  // namespace

int GifGenerator::outputSide(int side, float scale)
{
    // The product is a 32-bit float like the scale: an exact half (250 x 0.51
    // = 127.5) rounds up as the size dialog shows it, where a 64-bit product of
    // the inexact 0.51f would fall just below and round down.
    const float product = float(side) * scale;
    const double v = double(product) + 0.5;
    if (!(v > -2147483648.0 && v < 2147483648.0))
        return v > 0 ? INT32_MAX : 0;
    return int(v);  // truncation toward zero
}

QString GifGenerator::newOutputPath()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::minstd_rand random(static_cast<unsigned>(now));
    const int number = int(random() % 32768u);
    const QString name = QString::asprintf("%d-%d-%d-%d-%d-%d.gif", local.tm_hour, local.tm_min, local.tm_sec,
                                           local.tm_mon + 1, local.tm_mday, number);
    return QDir(QDir::tempPath()).filePath(name);
}

namespace {

// Removes an output file left unfinished: only a file of ours, never a device
// the path happened to name.
void removePartialFile(const QByteArray& path)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path.constData(), ec))
        std::remove(path.constData());
}

// The generation; `partialFile` is true while the output file exists but is
// not yet written whole.
bool generateFile(GenerationSource& source, const CaptionList& captions, const GenerationSettings& settings,
                  int filterNumber, bool dither, const GenerationProgress& progress, std::string* error,
                  bool& partialFile)
{
    // The filter of this generation; a filter that cannot be loaded means none.
    std::unique_ptr<FilterLut> filter;
    if (filterNumber >= 1)
        filter = FilterLut::load(filterNumber);

    const int n = source.count();
    if (n <= 0) {
        setError(error, "there are no frames");
        return false;
    }

    // ---- composition ---------------------------------------------------------
    const int outW = GifGenerator::outputSide(source.frameWidth(), settings.outputScale);
    const int outH = GifGenerator::outputSide(source.frameHeight(), settings.outputScale);
    if (outW < 1 || outH < 1 || outW > kMaxGifSide || outH > kMaxGifSide) {
        qWarning("generation: output size %d x %d is not usable", outW, outH);
        setError(error,
                 "the output size " + std::to_string(outW) + " x " + std::to_string(outH) + " is not usable");
        return false;
    }

    const std::unique_ptr<RasterImage> watermark =
        settings.imageWatermark.enabled ? settings.imageWatermark.prepare() : nullptr;
    const TextWatermark& textMark = settings.textWatermark;
    const bool textOn = textMark.enabled && !textMark.text.isEmpty();
    int textBoxW = 20;
    int textBoxH = 15;
    if (textMark.enabled)
        textMark.measure(textBoxW, textBoxH);

    // One renderer per caption that covers any record, in list order.
    struct CaptionPass {
        const CaptionItem* caption;
        std::unique_ptr<CaptionRenderer> renderer;
    };
    std::vector<CaptionPass> captionPasses;
    for (const auto& caption : captions) {
        if (caption && caption->lastFrame >= 1 && caption->firstFrame <= n &&
            caption->firstFrame <= caption->lastFrame)
            captionPasses.push_back({caption.get(), std::make_unique<CaptionRenderer>(*caption)});
    }

    std::vector<char> included(size_t(n), 0);
    std::vector<int> delays(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        included[size_t(i)] = source.included(i) ? 1 : 0;
        delays[size_t(i)] = source.delay(i);
    }

    std::vector<Composed> pending(static_cast<size_t>(n));
    std::vector<char> present(size_t(n), 0);
    auto compose = [&](int i) {
        if (!included[size_t(i)])
            return;
        std::unique_ptr<RasterImage> owned;
        const RasterImage* src = source.image(i, owned);
        if (src == nullptr || !src->isValid()) {
            qWarning("generation: record %d has no usable picture; left out", i + 1);
            return;
        }
        const int frameNumber = i + 1;
        bool hasCaption = false;
        for (const CaptionPass& pass : captionPasses)
            hasCaption = hasCaption || pass.caption->encloses(frameNumber);
        const bool changes = filter || hasCaption || src->width() != outW || src->height() != outH ||
                             watermark || textOn || src->depth() != 24;
        // (A transparent colour would only be cleared: it changes no pixel.)
        Composed& slot = pending[size_t(i)];
        slot.delay = delays[size_t(i)];
        if (!changes) {
            slot.owned = std::move(owned);
            slot.image = slot.owned ? slot.owned.get() : src;
            present[size_t(i)] = 1;
            return;
        }
        std::unique_ptr<RasterImage> copy = owned ? std::move(owned) : std::make_unique<RasterImage>(*src);
        if (!copy->isValid() || !copy->increaseTo24Bits()) {
            qWarning("generation: record %d cannot be copied; left out", i + 1);
            return;
        }
        if (filter)
            filter->apply(*copy);
        for (const CaptionPass& pass : captionPasses)
            if (pass.caption->encloses(frameNumber))
                pass.renderer->draw(*copy);
        if ((copy->width() != outW || copy->height() != outH) && !copy->resampleSmooth(outW, outH)) {
            qWarning("generation: record %d cannot be resampled to %d x %d; left out", i + 1, outW, outH);
            return;
        }
        if (watermark)
            ImageWatermark::blend(*copy, *watermark, settings.imageWatermark.corner);
        if (textOn)
            textMark.draw(*copy, textBoxW, textBoxH);
        copy->clearTransparency();
        slot.owned = std::move(copy);
        slot.image = slot.owned.get();
        present[size_t(i)] = 1;
    };

    // The palette is fed in list order while later records are still being
    // composed.
    StageTimer timer;
    OctreeQuantizer octree(256, 8);
    const double step = 60.0 / n;
    int composedCount = 0;
    const size_t rowBytes = size_t(outW) * 3;
    const Composed* previous = nullptr;
    const int threads = generationThreadCount();
    runOrdered(
        n, threads, compose,
        [&](int i) {
            if (present[size_t(i)]) {
                Composed& c = pending[size_t(i)];
                const RasterImage& img = *c.image;
                octree.feedBgrRows(img.bits(), img.width(), img.height(), img.stride());
                ++composedCount;
                c.rows.resize(size_t(outH));
                int changed = outH;
                if (c.owned && previous != nullptr) {
                    changed = 0;
                    for (int y = 0; y < outH; ++y)
                        changed += std::memcmp(img.row(y), previous->rows[size_t(y)], rowBytes) != 0;
                }
                if (changed * 2 < outH) {
                    // Keep the changed rows only and let the picture go.
                    c.changedRows.reset(new uint8_t[std::max<size_t>(1, size_t(changed) * rowBytes)]);
                    uint8_t* out = c.changedRows.get();
                    for (int y = 0; y < outH; ++y) {
                        if (std::memcmp(img.row(y), previous->rows[size_t(y)], rowBytes) == 0) {
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
                    for (int y = 0; y < outH; ++y)
                        c.rows[size_t(y)] = img.row(y);
                }
                previous = &c;
            }
            const int p = int(i * step);
            if (p < 60)
                report(progress, p);
            return true;
        },
        threads * 2);
    timer.mark("compose");

    if (composedCount == 0) {
        setError(error, "every frame is deleted");
        return false;
    }

    // ---- encoding --------------------------------------------------------------
    std::vector<Composed> composed;
    composed.reserve(size_t(composedCount));
    for (int i = 0; i < n; ++i)
        if (present[size_t(i)])
            composed.push_back(std::move(pending[size_t(i)]));
    pending.clear();
    const int m = int(composed.size());
    if (settings.level > 0) {
        // A "压缩动画" level: its own encoder from here on.
        std::vector<LevelFrame> levelFrames;
        for (const Composed& c : composed)
            levelFrames.push_back(LevelFrame{c.rows, c.delay});
        return writeLevelGif(
            levelFrames, settings, outW, outH, dither, [&](int p) { report(progress, p); }, error, threads);
    }

    RgbQuad table[256] = {};
    const int used = std::clamp(octree.colorTable(table, 256), 1, 256);
    if (settings.keepWhite) {
        // The brightest entry in use among 0..254 (lowest index on ties, and
        // only with a sum above 0) becomes white.
        int best = -1;
        int bestSum = 0;
        for (int k = 0; k < std::min(used, 255); ++k) {
            const int sum = table[k].red + table[k].green + table[k].blue;
            if (sum > bestSum) {
                bestSum = sum;
                best = k;
            }
        }
        if (best >= 0)
            table[best] = RgbQuad{255, 255, 255, table[best].reserved};
    }
    // Entries beyond the quantizer's colours repeat entry 0: the nearest search
    // takes the first of equal entries, so no pixel ever gets one of them.
    for (int k = used; k < 256; ++k)
        table[k] = table[0];
    const PaletteLookup lookup(table, 256);
    timer.mark("palette");

    // The palette image every frame takes its colour table from.
    GdImageHandle paletteImage(gdImageCreate(1, 1));
    if (!paletteImage) {
        setError(error, "out of memory");
        return false;
    }
    for (int k = 0; k < 256; ++k)
        gdImageColorAllocate(paletteImage.get(), table[k].red, table[k].green, table[k].blue);

    std::vector<GifFrame> frames(static_cast<size_t>(m));
    // Frames are reduced in runs of alike neighbours (each run on one thread,
    // reusing what the previous frame of the run worked out); runs are kept
    // short so that they spread over the threads.
    std::vector<char> alike(static_cast<size_t>(m), 0);
    runOrdered(
        m, generationThreadCount(),
        [&](int j) {
            if (j > 0)
                alike[size_t(j)] = FrameReducer::worthReusing(
                    composed[size_t(j)].rows.data(), composed[size_t(j) - 1].rows.data(), outW, outH);
        },
        [](int) { return true; });
    const int runLimit =
        std::max(kMinRunLimit, (m + 2 * generationThreadCount() - 1) / (2 * generationThreadCount()));
    std::vector<std::pair<int, int>> runs;  // first frame, frame count
    for (int j = 0; j < m; ++j) {
        if (j == 0 || !alike[size_t(j)] || runs.back().second >= runLimit)
            runs.push_back({j, 1});
        else
            ++runs.back().second;
    }
    // Diffusion state pictures are handed from run to run instead of being
    // made anew for each.
    std::mutex statesMutex;
    std::vector<std::unique_ptr<RasterImage>> freeStates;
    auto reduceRun = [&](int r) {
        std::unique_ptr<RasterImage> state;
        {
            std::lock_guard<std::mutex> lock(statesMutex);
            if (!freeStates.empty()) {
                state = std::move(freeStates.back());
                freeStates.pop_back();
            }
        }
        if (!state)
            state = std::make_unique<RasterImage>();
        FrameReducer reducer(lookup, dither, outW, outH, *state);
        const int first = runs[size_t(r)].first;
        const int last = first + runs[size_t(r)].second - 1;
        bool havePrevious = false;
        for (int j = first; j <= last; ++j) {
            Composed& c = composed[size_t(j)];
            GdImageHandle im(gdImageCreate(outW, outH));
            bool ok = false;
            if (im) {
                ok = havePrevious ? reducer.reduceNext(c.rows.data(), composed[size_t(j) - 1].rows.data(),
                                                       frames[size_t(j) - 1].image->pixels, im->pixels)
                                  : reducer.reduceFirst(c.rows.data(), im->pixels);
            }
            havePrevious = ok;
            if (!ok) {
                qWarning("generation: frame %d cannot be made into a palette image; left out", j + 1);
                continue;
            }
            sharePalette(im.get(), paletteImage.get());
            frames[size_t(j)].image = std::move(im);
            frames[size_t(j)].delay = c.delay;
        }
        std::lock_guard<std::mutex> lock(statesMutex);
        freeStates.push_back(std::move(state));
    };
    runOrdered(int(runs.size()), generationThreadCount(), reduceRun, [&](int r) {
        for (int j = runs[size_t(r)].first; j < runs[size_t(r)].first + runs[size_t(r)].second; ++j) {
            const int p = int(60 + j * 35.0 / m);
            if (p < 95)
                report(progress, p);
        }
        return true;
    });
    composed.clear();
    timer.mark("reduce");
    report(progress, 95);
    paletteImage.reset();

    // Frames that could not be made are left out.
    frames.erase(std::remove_if(frames.begin(), frames.end(), [](const GifFrame& f) { return !f.image; }),
                 frames.end());
    if (frames.empty()) {
        setError(error, "no frame could be encoded");
        report(progress, 100);
        return false;
    }

    // Identical neighbours become one frame showing for the sum of their delays.
    // Equality of pictures is transitive, so comparing each frame with the one
    // before it finds the same runs as comparing with the run's first frame.
    std::vector<char> sameAsPrevious(frames.size(), 0);
    runOrdered(
        int(frames.size()), generationThreadCount(),
        [&](int j) {
            if (j > 0)
                sameAsPrevious[size_t(j)] =
                    gdImageCompare(frames[size_t(j) - 1].image.get(), frames[size_t(j)].image.get()) == 0;
        },
        [](int) { return true; });
    std::vector<GifFrame> merged;
    merged.reserve(frames.size());
    for (size_t j = 0; j < frames.size(); ++j) {
        // The GIF's delay field holds 16 bits: a longer run keeps the longest
        // delay it can rather than wrapping to a short one.
        if (sameAsPrevious[j])
            merged.back().delay =
                int(std::min<int64_t>(int64_t(merged.back().delay) + frames[j].delay, kMaxGifDelay));
        else
            merged.push_back(std::move(frames[j]));
    }
    frames.clear();
    timer.mark("merge");

    // ---- the file ----------------------------------------------------------------
    const QByteArray path = QFile::encodeName(settings.outputPath);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.constData(), "wb"));
    partialFile = bool(file);
    if (!file) {
        const std::string reason = errnoText(errno);
        qWarning("generation: cannot create %s: %s", path.constData(), reason.c_str());
        setError(error, "cannot create " + path.toStdString() + ": " + reason);
        report(progress, 100);
        return false;
    }
    bool ok = true;
    int writeErrno = 0;
    auto noteFailure = [&](bool written) {
        if (!written && writeErrno == 0)
            writeErrno = errno != 0 ? errno : EIO;
        return written;
    };
    errno = 0;
    {
        GdBuffer begin;
        begin.data.reset(
            gdImageGifAnimBeginPtr(merged[0].image.get(), &begin.size, 1, settings.playOnce ? -1 : 0));
        ok = noteFailure(writeWhole(file.get(), begin));
    }
    if (ok) {
        std::vector<GdBuffer> buffers(merged.size());
        ok = runOrdered(
            int(merged.size()), generationThreadCount(),
            [&](int e) {
                GdBuffer& b = buffers[size_t(e)];
                gdImagePtr previous = e > 0 ? merged[size_t(e) - 1].image.get() : nullptr;
                b.data.reset(gdImageGifAnimAddPtr(merged[size_t(e)].image.get(), &b.size, 0, 0, 0,
                                                  std::clamp(merged[size_t(e)].delay, 0, kMaxGifDelay), 1,
                                                  previous));
            },
            [&](int e) {
                const bool written = noteFailure(writeWhole(file.get(), buffers[size_t(e)]));
                buffers[size_t(e)].data.reset();
                return written;
            });
    }
    if (ok) {
        GdBuffer end;
        end.data.reset(gdImageGifAnimEndPtr(&end.size));
        ok = noteFailure(writeWhole(file.get(), end));
    }
    if (ok)
        ok = noteFailure(std::fflush(file.get()) == 0);
    const int closeResult = std::fclose(file.release());
    ok = ok && noteFailure(closeResult == 0);
    if (!ok) {
        const std::string reason = errnoText(writeErrno != 0 ? writeErrno : EIO);
        qWarning("generation: writing %s failed: %s", path.constData(), reason.c_str());
        setError(error, "cannot write " + path.toStdString() + ": " + reason);
        removePartialFile(path);
    }
    partialFile = false;
    merged.clear();
    timer.mark("write");
    report(progress, 100);
    return ok;
}

}  // namespace

bool GifGenerator::generate(GenerationSource& source, const CaptionList& captions,
                            const GenerationSettings& settings, int filterNumber, bool dither,
                            const GenerationProgress& progress, std::string* error)
{
    bool partialFile = false;
    try {
        return generateFile(source, captions, settings, filterNumber, dither, progress, error, partialFile);
    } catch (const std::bad_alloc&) {
        // Everything of this generation is released on the way out; a file
        // begun is removed.
        qWarning("generation: out of memory");
        setError(error, "out of memory");
        if (partialFile)
            removePartialFile(QFile::encodeName(settings.outputPath));
        return false;
    }
}

bool GenerateGif(const FrameSequence& sequence, const CaptionList& captions,
                 const GenerationSettings& settings, int filterNumber, bool dither,
                 const GenerationProgress& progress, std::string* error)
{
    FrameSequenceSource source(sequence);
    return GifGenerator::generate(source, captions, settings, filterNumber, dither, progress, error);
}
