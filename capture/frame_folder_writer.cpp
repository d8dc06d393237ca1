// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/frame_folder_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "capture/frame_sequence.h"

namespace {
bool fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

// Writes the whole file; false with errno's reason in `why`. A file that
// could not be written whole is removed.
bool writeWhole(const std::string& path, const uint8_t* data, size_t size, std::string& why)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            why = n < 0 ? std::strerror(errno) : "nothing could be written";
            ::close(fd);
            ::unlink(path.c_str());
            return false;
        }
        done += size_t(n);
    }
    if (::close(fd) != 0) {
        why = std::strerror(errno);
        ::unlink(path.c_str());
        return false;
    }
    return true;
}
}  // namespace

bool writeFrameFolder(const std::string& dir, const FrameSequence& sequence, std::string* error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return fail(error, "cannot create " + dir + ": " + ec.message());
    // What this call wrote; all of it goes again when a later write fails, so
    // the folder never holds a partial set.
    std::vector<std::string> written;
    auto failAndRemove = [&](const std::string& why) {
        for (const std::string& path : written)
            ::unlink(path.c_str());
        return fail(error, why + (written.empty() ? "" : "; the frames written before were removed"));
    };
    std::string tsv;
    int index = 0;
    std::vector<uint8_t> bytes;
    for (const auto& record : sequence) {
        ++index;
        const RasterImage* image = record ? record->image.get() : nullptr;
        if (!image || !image->isValid())
            return failAndRemove("frame " + std::to_string(index) + " has no picture");
        char name[32];
        std::snprintf(name, sizeof name, "%04d.png", index);
        const std::string path = dir + "/" + name;
        bytes.clear();
        if (!image->encodeMemory(ImageTypePng, bytes))
            return failAndRemove("cannot encode frame " + std::to_string(index) + " as PNG");
        std::string why;
        if (!writeWhole(path, bytes.data(), bytes.size(), why))
            return failAndRemove("cannot write " + path + ": " + why);
        written.push_back(path);
        tsv += std::to_string(index) + '\t' + std::to_string(record->delay) + '\t' +
               std::to_string(image->width()) + '\t' + std::to_string(image->height()) + '\n';
    }
    const std::string tsvPath = dir + "/frames.tsv";
    std::string why;
    if (!writeWhole(tsvPath, reinterpret_cast<const uint8_t*>(tsv.data()), tsv.size(), why))
        return failAndRemove("cannot write " + tsvPath + ": " + why);
    return true;
}
