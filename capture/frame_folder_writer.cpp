// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/frame_folder_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "capture/frame_sequence.h"

namespace {
bool fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}
}  // namespace

bool writeFrameFolder(const std::string& dir, const FrameSequence& sequence, std::string* error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return fail(error, "cannot create " + dir + ": " + ec.message());
    std::string tsv;
    int index = 0;
    for (const auto& record : sequence) {
        ++index;
        const RasterImage* image = record ? record->image.get() : nullptr;
        if (!image || !image->isValid())
            return fail(error, "frame " + std::to_string(index) + " has no picture");
        char name[32];
        std::snprintf(name, sizeof name, "%04d.png", index);
        const std::string path = dir + "/" + name;
        if (!image->encodeFile(path, ImageTypePng))
            return fail(error, "cannot write " + path);
        tsv += std::to_string(index) + '\t' + std::to_string(record->delay) + '\t' +
               std::to_string(image->width()) + '\t' + std::to_string(image->height()) + '\n';
    }
    const std::string tsvPath = dir + "/frames.tsv";
    std::ofstream out(tsvPath, std::ios::binary | std::ios::trunc);
    out << tsv;
    out.close();
    if (!out)
        return fail(error, "cannot write " + tsvPath);
    return true;
}
