// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// GIF decode throughput on the corpus' largest animations: every frame
// composed (retrieve-all-frames), as importing a GIF does. For comparison the
// same files go through ImageMagick's `convert FILE -coalesce null:` (a new
// process each time, measured in wall-clock time), when it is installed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/raster_image.h"

namespace {

const char* const kFiles[] = {
    "wuffs-gifplayer-muybridge/gifplayer-muybridge.gif",  // 380 delta frames
    "pillow-iss634/iss634.gif",                           // 42 frames, a local palette each
    "nsgif-waves/waves.gif",
    "imagegif-moon_impact/moon_impact.gif",
    "pillow-chi/chi.gif",
};

std::string corpusPath(const char* file)
{
    return std::string(VEXLO_CORPUS_DIR) + "/gif/" + file;
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void decodeAllFrames(benchmark::State& state, const char* file)
{
    const std::vector<uint8_t> bytes = readFile(corpusPath(file));
    if (bytes.empty()) {
        state.SkipWithError("corpus file missing");
        return;
    }
    int frames = 0;
    int64_t pixels = 0;
    for (auto _ : state) {
        RasterImage image;
        image.setRetrieveAllFrames(true);
        if (!image.decodeMemory(bytes.data(), bytes.size(), ImageTypeGif)) {
            state.SkipWithError(image.lastError().c_str());
            return;
        }
        frames = image.retrievedFrameCount();
        pixels = int64_t(frames) * image.width() * image.height();
        benchmark::DoNotOptimize(image.frame(-1)->bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    state.counters["frames"] = frames;
    state.counters["frames/s"] =
        benchmark::Counter(double(frames) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["Mpx/s"] =
        benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

std::string imageMagick()
{
    for (const char* p : {"/usr/bin/convert", "/usr/local/bin/convert"})
        if (std::ifstream(p).good())
            return p;
    return {};
}

void imageMagickCoalesce(benchmark::State& state, const char* file)
{
    const std::string convert = imageMagick();
    if (convert.empty()) {
        state.SkipWithError("ImageMagick not installed");
        return;
    }
    const std::string cmd = convert + " '" + corpusPath(file) + "' -coalesce null: >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("convert failed");
            return;
        }
}

// Back to back: ours, then ImageMagick, for each file.
const int kRegistered = [] {
    for (const char* f : kFiles) {
        const std::string name = std::string(f).substr(0, std::string(f).find('/'));
        benchmark::RegisterBenchmark(("GifDecode/" + name).c_str(), decodeAllFrames, f)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("ImageMagickCoalesce/" + name).c_str(), imageMagickCoalesce, f)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(5);
    }
    return 0;
}();

}  // namespace

BENCHMARK_MAIN();
