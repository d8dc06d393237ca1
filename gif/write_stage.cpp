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

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f != nullptr)
            std::fclose(f);
    }
};

// Removes the file on the way out unless it was written whole.
class PartialFileGuard {
public:
    explicit PartialFileGuard(const QString& path) : path_(path) {}
    ~PartialFileGuard()
    {
        if (armed_)
            WriteStage::removePartialFile(path_);
    }
    PartialFileGuard(const PartialFileGuard&) = delete;
    PartialFileGuard& operator=(const PartialFileGuard&) = delete;
    void disarm() { armed_ = false; }

private:
    const QString& path_;
    bool armed_ = true;
};

}  // namespace

void WriteStage::removePartialFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    std::error_code ec;
    if (std::filesystem::is_regular_file(name.constData(), ec))
        std::remove(name.constData());
}

bool WriteStage::run(const std::vector<PaletteFrame>& frames, GenerationRun& run, std::string* error) const
{
    const QByteArray path = QFile::encodeName(path_);
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.constData(), "wb"));
    if (!file) {
        const std::string reason = errnoText(errno);
        qWarning("generation: cannot create %s: %s", path.constData(), reason.c_str());
        setGenerationError(error, "cannot create " + path.toStdString() + ": " + reason);
        return false;
    }
    PartialFileGuard guard(path_);
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
        begin.data.reset(gdImageGifAnimBeginPtr(frames[0].image.get(), &begin.size, 1, playOnce_ ? -1 : 0));
        ok = noteFailure(writeWhole(file.get(), begin));
    }
    if (ok) {
        // Each frame is encoded by GifFrameEncoder where it can, else by libgd.
        std::vector<std::vector<uint8_t>> encoded(frames.size());
        std::vector<GdBuffer> buffers(frames.size());
        ok = runOrdered(
            int(frames.size()), run.threads(),
            [&](int e) {
                const gdImagePtr image = frames[size_t(e)].image.get();
                const gdImagePtr previous = e > 0 ? frames[size_t(e) - 1].image.get() : nullptr;
                const int delay = std::clamp(frames[size_t(e)].delay, 0, kMaxGifDelay);
                if (GifFrameEncoder::encode(*image, previous, delay, encoded[size_t(e)]))
                    return;
                encoded[size_t(e)].clear();
                GdBuffer& b = buffers[size_t(e)];
                b.data.reset(gdImageGifAnimAddPtr(image, &b.size, 0, 0, 0, delay, 1, previous));
            },
            [&](int e) {
                std::vector<uint8_t>& bytes = encoded[size_t(e)];
                bool written;
                if (!bytes.empty()) {
                    written =
                        noteFailure(std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size());
                } else {
                    written = noteFailure(writeWhole(file.get(), buffers[size_t(e)]));
                    buffers[size_t(e)].data.reset();
                }
                std::vector<uint8_t>().swap(bytes);
                return written;
            },
            // Encoded frames wait for the file a few at a time, not all at once.
            run.threads() * 2);
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
        setGenerationError(error, "cannot write " + path.toStdString() + ": " + reason);
        return false;  // the guard removes the file
    }
    guard.disarm();
    return true;
}
