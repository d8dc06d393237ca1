// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/level_generation.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "gif/generation_settings.h"
#include "platform/errno_text.h"

namespace {

void setError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}

// Only a regular file of ours is removed, never a device the path named.
void removePartial(const QByteArray& name)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(name.constData(), ec))
        std::remove(name.constData());
}

}  // namespace

bool writeLevelGif(const std::vector<LevelFrame>& frames, const GenerationSettings& settings, int width,
                   int height, bool dither, const std::function<void(int percent)>& progress,
                   std::string* error, int threads)
{
    auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    LevelRequest request;
    request.width = width;
    request.height = height;
    request.playOnce = settings.playOnce;
    request.dither = dither;
    request.keepWhite = settings.keepWhite;
    request.options = LevelOptions::forLevel(settings.level, settings.blackWhite);
    std::vector<uint8_t> bytes;
    std::string reason;
    const bool made = LevelEncoder::encode(
        frames, request, bytes,
        [&](int percent) {
            const int p = 60 + percent * 35 / 100;
            if (p < 95)
                report(p);
        },
        &reason, threads);
    report(95);
    if (!made) {
        setError(error, reason);
        report(100);
        return false;
    }

    const QByteArray name = QFile::encodeName(settings.outputPath);
    std::FILE* file = std::fopen(name.constData(), "wb");
    if (file == nullptr) {
        setError(error, "cannot create " + name.toStdString() + ": " + errnoText(errno));
        report(100);
        return false;
    }
    errno = 0;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    const int savedErrno = errno;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        setError(error,
                 "cannot write " + name.toStdString() + ": " + errnoText(savedErrno != 0 ? savedErrno : EIO));
        removePartial(name);
    }
    report(100);
    return ok;
}
