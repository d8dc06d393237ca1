// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo decode FILE --out DIR: every decoded frame as DIR/0001.png, 0002.png, ...
// plus DIR/frames.tsv (index, delay in 1/100 s, width, height; one line per frame,
// the index being the number in the file name).
#include <cstdio>
#include <memory>
#include <string>

#include "app/cli_commands.h"
#include "capture/frame_folder_writer.h"
#include "capture/frame_sequence.h"
#include "imaging/raster_image.h"

namespace {

int refuse(const std::string& why)
{
    std::fprintf(stderr, "vexlo decode: %s\n", why.c_str());
    return 2;
}

}  // namespace

int runDecodeCommand(int argc, char** argv)
{
    std::string input;
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" || arg == "-o") {
            if (i + 1 >= argc)
                return refuse("--out needs a folder");
            outDir = argv[++i];
        } else if (arg.rfind("--out=", 0) == 0) {
            outDir = arg.substr(6);
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return refuse("unknown option " + arg);
        } else if (input.empty()) {
            input = arg;
        } else {
            return refuse("only one FILE may be given");
        }
    }
    if (input.empty() || outDir.empty())
        return refuse("usage: vexlo decode FILE --out DIR");

    RasterImage image;
    image.setRetrieveAllFrames(true);
    if (!image.decodeFile(input, imageTypeFromPath(input))) {
        const std::string reason = image.lastError().empty() ? "cannot decode" : image.lastError();
        return refuse(input + ": " + reason);
    }

    // The decoded frames (GIF: every composed frame; other types: the image)
    // move into a frame sequence, which the frame folder writer lays out.
    FrameSequence frames;
    auto add = [&frames](RasterImage& picture) {
        const int delay = picture.frameDelay();
        return frames.append(
            std::make_unique<FrameRecord>(std::make_unique<RasterImage>(std::move(picture)), delay));
    };
    const int retrieved = image.retrievedFrameCount();
    for (int i = 0; i < retrieved; ++i)
        if (!add(*image.frame(i)))
            return refuse("frame " + std::to_string(i + 1) + " is missing");
    if (retrieved == 0 && !add(image))
        return refuse("frame 1 is missing");
    std::string error;
    if (!writeFrameFolder(outDir, frames, &error))
        return refuse(error);
    return 0;
}
