// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/write_stage.h"

#include <QFile>
#include <QtDebug>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "gif/generation_run.h"
#include "gif/gif_frame_encoder.h"
#include "gif/ordered_parallel.h"
#include "platform/errno_text.h"

namespace {

constexpr int kMaxGifDelay = 65535;

bool writeWhole(std::FILE* file, const GdBuffer& buffer)
{
    if (buffer.data == nullptr || buffer.size < 0)
        return false;
    return buffer.size == 0 ||
           std::fwrite(buffer.data.get(), 1, size_t(buffer.size), file) == size_t(buffer.size);
}

}  // namespace

void WriteStage::removePartialFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    std::error_code ec;
    if (std::filesystem::is_regular_file(name.constData(), ec))
        std::remove(name.constData());
}

void WriteStage::FileCloser::operator()(std::FILE* f) const
{
    if (f != nullptr)
        std::fclose(f);
}

WriteStage::~WriteStage()
{
    file_.reset();
    if (begun_ && !whole_)
        removePartialFile(path_);
}

bool WriteStage::failed(std::string* error)
{
    const QByteArray path = QFile::encodeName(path_);
    const std::string reason = errnoText(writeErrno_ != 0 ? writeErrno_ : EIO);
    qWarning("generation: writing %s failed: %s", path.constData(), reason.c_str());
    setGenerationError(error, "cannot write " + path.toStdString() + ": " + reason);
    file_.reset();
    if (begun_)
        removePartialFile(path_);
    begun_ = false;
    return false;
}

bool WriteStage::begin(const gdImage& first, std::string* error)
{
    const QByteArray path = QFile::encodeName(path_);
    file_.reset(std::fopen(path.constData(), "wb"));
    if (!file_) {
        const std::string reason = errnoText(errno);
        qWarning("generation: cannot create %s: %s", path.constData(), reason.c_str());
        setGenerationError(error, "cannot create " + path.toStdString() + ": " + reason);
        return false;
    }
    begun_ = true;
    errno = 0;
    GdBuffer header;
    header.data.reset(
        gdImageGifAnimBeginPtr(const_cast<gdImagePtr>(&first), &header.size, 1, playOnce_ ? -1 : 0));
    if (!writeWhole(file_.get(), header)) {
        writeErrno_ = errno;
        return failed(error);
    }
    return true;
}

void WriteStage::encode(const gdImage& image, const gdImage* previous, int delay, EncodedFrame& out)
{
    delay = std::clamp(delay, 0, kMaxGifDelay);
    if (GifFrameEncoder::encode(image, previous, delay, out.bytes))
        return;
    out.bytes.clear();
    GdBuffer& b = out.fallback;
    b.data.reset(gdImageGifAnimAddPtr(const_cast<gdImagePtr>(&image), &b.size, 0, 0, 0, delay, 1,
                                      const_cast<gdImagePtr>(previous)));
}

bool WriteStage::add(EncodedFrame& frame, std::string* error)
{
    if (!file_)
        return false;
    errno = 0;
    const bool written = !frame.bytes.empty() ? std::fwrite(frame.bytes.data(), 1, frame.bytes.size(),
                                                            file_.get()) == frame.bytes.size()
                                              : writeWhole(file_.get(), frame.fallback);
    std::vector<uint8_t>().swap(frame.bytes);
    frame.fallback.data.reset();
    if (!written) {
        writeErrno_ = errno;
        return failed(error);
    }
    return true;
}

bool WriteStage::finish(std::string* error)
{
    if (!file_)
        return false;
    errno = 0;
    GdBuffer end;
    end.data.reset(gdImageGifAnimEndPtr(&end.size));
    bool ok = writeWhole(file_.get(), end) && std::fflush(file_.get()) == 0;
    if (!ok)
        writeErrno_ = errno;
    const int closeResult = std::fclose(file_.release());
    if (ok && closeResult != 0) {
        ok = false;
        writeErrno_ = errno;
    }
    if (!ok)
        return failed(error);
    whole_ = true;
    return true;
}

bool WriteStage::run(const std::vector<PaletteFrame>& frames, GenerationRun& run, std::string* error)
{
    if (!begin(*frames[0].image, error))
        return false;
    // Each frame is encoded by GifFrameEncoder where it can, else by libgd.
    std::vector<EncodedFrame> encoded(frames.size());
    const bool ok = runOrdered(
        int(frames.size()), run.threads(),
        [&](int e) {
            const gdImage* previous = e > 0 ? frames[size_t(e) - 1].image.get() : nullptr;
            encode(*frames[size_t(e)].image, previous, frames[size_t(e)].delay, encoded[size_t(e)]);
        },
        [&](int e) { return add(encoded[size_t(e)], error); },
        // Encoded frames wait for the file a few at a time, not all at once.
        run.threads() * 2);
    return ok && finish(error);
}
