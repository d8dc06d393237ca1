// vexlo decode FILE --out DIR: every decoded frame as DIR/0001.png, 0002.png, ...
// plus DIR/frames.tsv (index, delay in 1/100 s, width, height; one line per frame,
// the index being the number in the file name).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "app/cli_commands.h"
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

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec)
        return refuse("cannot create " + outDir + ": " + ec.message());

    const int count = image.retrievedFrameCount() > 0 ? image.retrievedFrameCount() : 1;
    std::string tsv;
    for (int i = 0; i < count; ++i) {
        const RasterImage* frame = image.retrievedFrameCount() > 0 ? image.frame(i) : &image;
        if (!frame || !frame->isValid())
            return refuse("frame " + std::to_string(i + 1) + " is missing");
        char name[32];
        std::snprintf(name, sizeof name, "%04d.png", i + 1);
        const std::string path = outDir + "/" + name;
        if (!frame->encodeFile(path, ImageTypePng))
            return refuse("cannot write " + path);
        tsv += std::to_string(i + 1) + '\t' + std::to_string(frame->frameDelay()) + '\t' +
               std::to_string(frame->width()) + '\t' + std::to_string(frame->height()) + '\n';
    }
    const std::string tsvPath = outDir + "/frames.tsv";
    std::ofstream out(tsvPath, std::ios::binary | std::ios::trunc);
    out << tsv;
    out.close();
    if (!out)
        return refuse("cannot write " + tsvPath);
    return 0;
}
