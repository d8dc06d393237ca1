// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/gif_import.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "editor/caption_list.h"
#include "imaging/gif_composer.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"
#include "platform/sys_colors.h"

namespace {

const int kDefaultImportDelay = 5;  // frames shorter than 1/100 s are shown for 5

// The text after the last dot of the file name, lower-cased; empty without one.
QString lowerExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

bool readWholeFile(const QString& path, QByteArray& bytes)
{
    // Devices and pipes have no size to check and may never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file larger than everything its frames may decode to is not worth reading.
    if (uint64_t(file.size()) > kMaxDecodedBytes)
        return false;
    bytes = file.readAll();
    return file.error() == QFile::NoError;
}

// Bytes of n 24-bit frames of w x h (with an alpha plane when asked); saturates.
uint64_t frameBytes(uint64_t n, int w, int h, bool alpha)
{
    if (w <= 0 || h <= 0)
        return 0;
    const uint64_t perFrame = uint64_t(w) * uint64_t(h) * (alpha ? 4u : 3u);
    if (n != 0 && perFrame > UINT64_MAX / n)
        return UINT64_MAX;
    return perFrame * n;
}

void fillRect(RasterImage& image, int left, int top, int width, int height, RgbQuad colour)
{
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = std::min(image.width(), left + width), y1 = std::min(image.height(), top + height);
    for (int y = y0; y < y1; ++y) {
        uint8_t* p = image.row(y) + size_t(x0) * 3;
        for (int x = x0; x < x1; ++x, p += 3) {
            p[0] = colour.blue;
            p[1] = colour.green;
            p[2] = colour.red;
        }
    }
}

// Copies the rectangle (clipped to both images) from src to dst at the same place.
void copyRect(RasterImage& dst, const RasterImage& src, int left, int top, int width, int height)
{
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = std::min({dst.width(), src.width(), left + width});
    const int y1 = std::min({dst.height(), src.height(), top + height});
    if (x0 >= x1)
        return;
    for (int y = y0; y < y1; ++y)
        std::memcpy(dst.row(y) + size_t(x0) * 3, src.row(y) + size_t(x0) * 3, size_t(x1 - x0) * 3);
}

// Draws one stored GIF image onto the 24-bit canvas; its transparent pixels
// leave the canvas as it is, indices beyond the colour table show black.
void drawFrame(RasterImage& canvas, const GifFrame& frame)
{
    if (frame.indices.size() < size_t(frame.width) * size_t(frame.height))
        return;
    const int paletteSize = int(frame.palette.size());
    for (int j = 0; j < frame.height; ++j) {
        const int y = frame.top + j;
        if (y < 0 || y >= canvas.height())
            continue;
        const uint8_t* src = frame.indices.data() + size_t(j) * size_t(frame.width);
        uint8_t* row = canvas.row(y);
        for (int i = 0; i < frame.width; ++i) {
            const int x = frame.left + i;
            const int idx = src[i];
            if (idx == frame.transparentIndex || x < 0 || x >= canvas.width())
                continue;
            const RgbQuad c = idx < paletteSize ? frame.palette[size_t(idx)] : RgbQuad{};
            uint8_t* p = row + size_t(x) * 3;
            p[0] = c.blue;
            p[1] = c.green;
            p[2] = c.red;
        }
    }
}

struct Fit {
    int width = 0;   // w'
    int height = 0;  // h'
    int offsetX = 0;
    int offsetY = 0;
};

// How a w0 x h0 picture goes into width x height: kept and centred when it is
// smaller both ways, else scaled by the larger ratio.
Fit fitInto(int w0, int h0, int width, int height)
{
    Fit f;
    const double tx = double(w0) / double(width);
    const double ty = double(h0) / double(height);
    if (tx < 1.0 && ty < 1.0) {
        f.width = w0;
        f.height = h0;
        f.offsetX = (w0 - width) / 2;
        f.offsetY = (h0 - height) / 2;
    } else if (tx > ty) {
        f.width = width;
        f.height = std::max(1, int(double(h0) / tx));  // a sliver keeps one row
        f.offsetX = 0;
        f.offsetY = (f.height - height) / 2;
    } else {
        f.height = height;
        f.width = std::max(1, int(double(w0) / ty));
        f.offsetY = 0;
        f.offsetX = (f.width - width) / 2;
    }
    return f;
}

// Bytes the import holds besides its frames, per pixel of the logical screen:
// the canvas in colours, the saved canvas of disposal 3, and the palette
// indices the canvas leaves while it switches to colours.
const uint64_t kCanvasBytesPerPixel = 4 + 4 + 2;
// What a frame record and its image object cost besides the pixels.
const uint64_t kFrameOverheadBytes = 512;

QString mebibytes(uint64_t bytes)
{
    return QString::number((bytes + (uint64_t(1) << 20) - 1) >> 20);
}

}  // namespace

uint64_t GifImportBytes(uint64_t frames, int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    const uint64_t screen = uint64_t(width) * uint64_t(height);
    const uint64_t perFrame = screen * 3 + kFrameOverheadBytes;
    const uint64_t canvas = screen * kCanvasBytesPerPixel;
    if (frames != 0 && perFrame > (UINT64_MAX - canvas) / frames)
        return UINT64_MAX;
    return perFrame * frames + canvas;
}

QString GifImportRefusalMessage(const GifImportRefusal& refusal)
{
    switch (refusal.kind) {
        case GifImportRefusal::TooLarge:
            return QCoreApplication::translate(
                       "GifImportRefusal",
                       "这个GIF动画有%1帧，每帧%2×%3，打开需要%4 MB内存，超过了上限%5 MB，无法打开。")
                .arg(refusal.frames)
                .arg(refusal.width)
                .arg(refusal.height)
                .arg(refusal.neededBytes >> 20)
                .arg(refusal.budgetBytes >> 20);
        case GifImportRefusal::OutOfMemory:
            return QCoreApplication::translate("GifImportRefusal", "内存不足，无法打开这个GIF动画。");
        default:
            return QString();
    }
}

bool DecodeGifForImport(const QByteArray& bytes, uint64_t budget, const ModalProgressFactory& makeProgress,
                        std::vector<std::unique_ptr<FrameRecord>>& records, GifImportRefusal& refusal)
{
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const size_t size = size_t(bytes.size());
    GifComposer composer(data, size);
    std::string error;
    if (!composer.readHeader(error)) {
        refusal.kind = GifImportRefusal::Damaged;
        refusal.reason = QString::fromStdString(error);
        return false;
    }
    const int width = composer.decoder().width();
    const int height = composer.decoder().height();
    // Every image the file declares is counted before anything is decoded: a
    // file that would not fit is refused before the progress window opens.
    const int declared = GifDecoder::countImages(data, size);
    if (declared < 2) {
        refusal.kind = GifImportRefusal::TooFewFrames;
        refusal.reason =
            QStringLiteral("the GIF holds %1 frame, an animation needs two or more").arg(declared);
        return false;
    }
    const uint64_t needed = GifImportBytes(uint64_t(declared), width, height);
    if (needed > budget) {
        refusal.kind = GifImportRefusal::TooLarge;
        refusal.frames = declared;
        refusal.width = width;
        refusal.height = height;
        refusal.neededBytes = needed;
        refusal.budgetBytes = budget;
        refusal.reason = QStringLiteral(
                             "%1 frames of %2 x %3 need %4 MiB as 24-bit pictures, more than the %5 MiB "
                             "allowed")
                             .arg(declared)
                             .arg(width)
                             .arg(height)
                             .arg(mebibytes(needed), mebibytes(budget));
        return false;
    }
    if (!composer.allocateCanvas(error)) {
        refusal.kind = GifImportRefusal::OutOfMemory;
        refusal.reason = QString::fromStdString(error);
        return false;
    }
    const RgbQuad background = composer.backgroundColour();

    std::unique_ptr<ModalProgress> progress = makeProgress ? makeProgress() : nullptr;
    if (progress) {
        progress->beginModal(progressTitle(), false);
        progress->setRange(0, declared + 1, 1);
        progress->setText(progressLoadingText());
        progress->advance();
    }
    records.reserve(size_t(declared));
    while (composer.next()) {
        std::unique_ptr<RasterImage> image = composer.canvas().toOpaqueImage(background, error);
        if (!image) {
            refusal.kind = GifImportRefusal::OutOfMemory;
            refusal.reason = QString::fromStdString(error);
            return false;
        }
        image->setFlags(1);
        int delay = composer.frame().delay;
        if (delay < 1)
            delay = kDefaultImportDelay;
        records.push_back(std::make_unique<FrameRecord>(std::move(image), delay));
        if (progress)
            progress->advance();  // the import cannot be cancelled
    }
    const GifDecoder& decoder = composer.decoder();
    if (records.size() < 2) {
        refusal.kind = decoder.truncated() ? GifImportRefusal::Damaged : GifImportRefusal::TooFewFrames;
        refusal.reason =
            decoder.truncated()
                ? QStringLiteral("the GIF is damaged: %1").arg(QString::fromStdString(decoder.stopReason()))
                : QStringLiteral("the GIF holds %1 frame, an animation needs two or more")
                      .arg(records.size());
        return false;
    }
    if (decoder.truncated())
        qWarning("GIF import: the file is cut short after %zu of %d frames (%s); the rest is left out",
                 records.size(), declared, decoder.stopReason().c_str());
    return true;
}

namespace {

int fittedFrames(const QString& path, int width, int height, ModalProgress* progress,
                 std::vector<std::unique_ptr<FrameRecord>>& records);

}  // namespace

bool ImportGifFile(const QString& path, FrameSequence& sequence, CaptionList& captions, AppSettings& settings,
                   const ModalProgressFactory& makeProgress, int* frameCount, GifImportRefusal* refusal)
{
    GifImportRefusal why;
    if (lowerExtension(path) != QLatin1String("gif")) {
        qWarning("GIF import of %s refused: not a .gif file", qPrintable(path));
        if (refusal) {
            refusal->kind = GifImportRefusal::NotGif;
            refusal->reason = QStringLiteral("not a .gif file");
        }
        return false;
    }
    std::vector<std::unique_ptr<FrameRecord>> records;
    try {
        // Everything is decoded and converted before the current frames,
        // captions and settings are touched, so a refusal loses nothing.
        QByteArray bytes;
        if (!readWholeFile(path, bytes)) {
            why.kind = GifImportRefusal::Unreadable;
            why.reason = QStringLiteral("cannot read the file");
        } else if (!DecodeGifForImport(bytes, kMaxImportBytes, makeProgress, records, why) &&
                   why.kind == GifImportRefusal::None) {
            why.kind = GifImportRefusal::Damaged;
        }
    } catch (const std::bad_alloc&) {
        why = GifImportRefusal();
        why.kind = GifImportRefusal::OutOfMemory;
        why.reason = QStringLiteral("out of memory");
    }
    if (why.kind != GifImportRefusal::None) {
        qWarning("GIF import of %s refused: %s", qPrintable(path), qPrintable(why.reason));
        if (refusal)
            *refusal = why;
        return false;
    }
    const int n = int(records.size());
    const int gifWidth = records.front()->image->width();
    const int gifHeight = records.front()->image->height();

    captions.clear();
    sequence.clear();
    settings.outputScale = 1.0f;
    settings.filterNumber = 0;
    for (auto& record : records)
        sequence.append(std::move(record));
    if (frameCount)
        *frameCount = n;
    sequence.SetFrameRectangle(0, 0, gifWidth, gifHeight, 0);
    return true;
}

int AppendGifFramesFitted(const QString& path, int width, int height, ModalProgress* progress,
                          std::vector<std::unique_ptr<FrameRecord>>& target)
{
    std::vector<std::unique_ptr<FrameRecord>> records;
    int n = 0;
    try {
        n = fittedFrames(path, width, height, progress, records);
        if (n <= 0)
            return 0;
        target.reserve(target.size() + records.size());
    } catch (const std::bad_alloc&) {
        qWarning("GIF frames of %s: out of memory", qPrintable(path));
        return 0;
    }
    for (auto& record : records)
        target.push_back(std::move(record));
    return n;
}

namespace {

int fittedFrames(const QString& path, int width, int height, ModalProgress* progress,
                 std::vector<std::unique_ptr<FrameRecord>>& records)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return 0;
    QByteArray bytes;
    if (!readWholeFile(path, bytes) || bytes.size() < 3 || !bytes.startsWith("GIF")) {
        qWarning("GIF frames of %s: not a GIF file", qPrintable(path));
        return 0;
    }
    GifFile gif;
    std::string error;
    if (!parseGif(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), gif, error)) {
        qWarning("GIF frames of %s: %s", qPrintable(path), error.c_str());
        return 0;
    }
    bytes.clear();
    const size_t n = gif.frames.size();
    if (n < 2)
        return 0;
    // The stored pixels, the fitted frames, the composing canvas with the saved
    // canvas of disposal 3 and a resampled picture must fit the budget together.
    uint64_t needed = 0;
    for (const GifFrame& frame : gif.frames)
        needed += frame.indices.size();
    for (uint64_t part : {frameBytes(n, width, height, false), frameBytes(3, gif.width, gif.height, false)})
        needed = (part > kMaxDecodedBytes || needed > kMaxDecodedBytes) ? UINT64_MAX : needed + part;
    if (needed > kMaxDecodedBytes) {
        qWarning("GIF frames of %s: %zu frames exceed the memory budget", qPrintable(path), n);
        return 0;
    }

    RasterImage canvas;
    RasterImage black;
    if (!canvas.create(gif.width, gif.height, 24) || !black.create(width, height, 24))
        return 0;
    fillRect(canvas, 0, 0, gif.width, gif.height, rgbQuadFromColorRef(sysColor(SysColor::Menu)));
    fillRect(black, 0, 0, width, height, RgbQuad{});
    const RgbQuad buttonFace = rgbQuadFromColorRef(sysColor(SysColor::ButtonFace));

    const int w0 = gif.width;
    const int h0 = gif.height;
    const Fit fit = fitInto(w0, h0, width, height);
    const bool resample = fit.width != w0 || fit.height != h0;
    const int placeX = -fit.offsetX;
    const int placeY = height - fit.height + fit.offsetY;

    records.reserve(n);
    RasterImage before;
    for (size_t i = 0; i < n; ++i) {
        GifFrame& frame = gif.frames[i];
        if (frame.disposal == 3)
            before = canvas;
        drawFrame(canvas, frame);

        RasterImage picture(canvas);
        if (resample && !picture.resampleSmooth(fit.width, fit.height)) {
            qWarning("GIF frames of %s: cannot resample frame %zu", qPrintable(path), i);
            return 0;
        }
        auto image = std::make_unique<RasterImage>(black);
        if (!image->isValid())
            return 0;
        blendImage(*image, picture, placeX, placeY, BlendMode::CopyUnlessTransparent);
        image->setFlags(1);
        records.push_back(std::make_unique<FrameRecord>(std::move(image), frame.delay));

        if (frame.disposal == 2)
            fillRect(canvas, frame.left, frame.top, frame.width, frame.height, buttonFace);
        else if (frame.disposal == 3 && before.isValid())
            copyRect(canvas, before, frame.left, frame.top, frame.width, frame.height);
        // The pixels are drawn; free them as we go.
        std::vector<uint8_t>().swap(frame.indices);
        if (progress)
            progress->advance();
    }

    return int(n);
}

}  // namespace
