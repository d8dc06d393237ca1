// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo decode FILE --out DIR: every decoded frame as DIR/0001.png, 0002.png, ...
// plus DIR/frames.tsv (index, delay in 1/100 s, width, height; one line per frame,
// the index being the number in the file name).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/cli_commands.h"
#include "app/cli_parser.h"
#include "capture/frame_folder_writer.h"
#include "capture/frame_sequence.h"
#include "imaging/gif_decoder.h"
#include "imaging/raster_image.h"

namespace {
// A GIF that is cut short (or damaged) decodes to the frames before the cut;
// the frames are written, and stderr says that the rest is missing.
void warnIfCutShort(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GifDecoder decoder(bytes.data(), bytes.size());
    std::string error;
    if (!decoder.readHeader(error))
        return;
    int frames = 0;
    GifFrame frame;
    while (decoder.nextFrame(frame, false) == GifDecoder::Result::Frame)
        ++frames;
    if (decoder.truncated())
        std::fprintf(stderr, "vexlo decode: warning: %s is cut short after %d %s (%s); the rest is missing\n",
                     path.c_str(), frames, frames == 1 ? "frame" : "frames", decoder.stopReason().c_str());
}
}  // namespace

int runDecodeCommand(int argc, char** argv)
{
    CliParser cli(
        "decode", "FILE --out DIR",
        "Writes every decoded frame of FILE (GIF: every composed frame) as DIR/0001.png, 0002.png, ...\n"
        "and DIR/frames.tsv: index, delay in 1/100 s, width, height, one line per frame.");
    cli.addArgument("FILE", "the picture or animation to decode");
    cli.addValueOption({QStringLiteral("o"), QStringLiteral("out")}, "DIR",
                       "the folder to write (made when missing)");
    if (int status = 0; !cli.parse(argc, argv, status))
        return status;
    const std::vector<std::string> files = cli.stdArguments();
    if (files.empty())
        return cli.usageError("no FILE given");
    if (files.size() > 1)
        return cli.usageError("only one FILE may be given");
    const std::string& input = files.front();
    const std::string outDir = cli.stdValue("out");
    if (outDir.empty())
        return cli.usageError("--out needs a folder");

    RasterImage image;
    image.setRetrieveAllFrames(true);
    if (!image.decodeFile(input, imageTypeFromPath(input))) {
        const std::string reason = image.lastError().empty() ? "cannot decode" : image.lastError();
        return cli.failure(input + ": " + reason);
    }
    if (image.typeCode() == ImageTypeGif)
        warnIfCutShort(input);

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
            return cli.failure("frame " + std::to_string(i + 1) + " is missing");
    if (retrieved == 0 && !add(image))
        return cli.failure("frame 1 is missing");
    std::string error;
    if (!writeFrameFolder(outDir, frames, &error))
        return cli.failure(error);
    return 0;
}
