// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/gif_generator.h"

#include <QDir>
#include <QtDebug>
#include <ctime>
#include <new>
#include <random>
#include <vector>

#include "gif/compose_stage.h"
#include "gif/encoder_stages.h"
#include "gif/generation_settings.h"
#include "gif/generation_source.h"
#include "gif/ordered_parallel.h"

namespace {

// GIF sizes are 16-bit fields.
constexpr int kMaxGifSide = 65535;

bool generateFile(GenerationSource& source, const CaptionList& captions, const GenerationSettings& settings,
                  int filterNumber, bool dither, GenerationRun& run, std::string* error)
{
    if (source.count() <= 0) {
        setGenerationError(error, "there are no frames");
        return false;
    }
    const int outW = GifGenerator::outputSide(source.frameWidth(), settings.outputScale);
    const int outH = GifGenerator::outputSide(source.frameHeight(), settings.outputScale);
    if (outW < 1 || outH < 1 || outW > kMaxGifSide || outH > kMaxGifSide) {
        qWarning("generation: output size %d x %d is not usable", outW, outH);
        setGenerationError(error, "the output size " + std::to_string(outW) + " x " + std::to_string(outH) +
                                      " is not usable");
        return false;
    }

    const EncodeJob job{settings, outW, outH, dither};
    std::unique_ptr<EncoderStages> encoder = makeEncoderStages(job);
    ComposeStage compose(source, captions, settings, filterNumber, outW, outH);
    std::vector<ComposedFrame> frames =
        compose.run(run, [&](const ComposedFrame& frame) { encoder->observe(frame, job); });
    run.mark("compose");
    if (const int fatal = source.fatalRecord(); fatal >= 0) {
        setGenerationError(error, "record " + std::to_string(fatal + 1) + " has no usable picture");
        return false;
    }
    if (frames.empty()) {
        setGenerationError(error, "every frame is deleted");
        return false;
    }
    return encoder->encode(frames, job, run, error);
}

}  // namespace

bool GifGenerator::generate(GenerationSource& source, const CaptionList& captions,
                            const GenerationSettings& settings, int filterNumber, bool dither,
                            const GenerationProgress& progress, std::string* error)
{
    GenerationRun run(generationThreadCount(), progress);
    try {
        return generateFile(source, captions, settings, filterNumber, dither, run, error);
    } catch (const std::bad_alloc&) {
        // Everything of this generation is released on the way out, and a file
        // begun is removed by the stage that began it.
        qWarning("generation: out of memory");
        setGenerationError(error, "out of memory");
        return false;
    }
}

int GifGenerator::outputSide(int side, float scale)
{
    // The product is a 32-bit float like the scale: an exact half (250 x 0.51
    // = 127.5) rounds up as the size dialog shows it, where a 64-bit product of
    // the inexact 0.51f would fall just below and round down.
    const float product = float(side) * scale;
    const double v = double(product) + 0.5;
    if (!(v > -2147483648.0 && v < 2147483648.0))
        return v > 0 ? INT32_MAX : 0;
    return int(v);  // truncation toward zero
}

QString GifGenerator::newOutputPath()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::minstd_rand random(static_cast<unsigned>(now));
    const int number = int(random() % 32768u);
    const QString name = QString::asprintf("%d-%d-%d-%d-%d-%d.gif", local.tm_hour, local.tm_min, local.tm_sec,
                                           local.tm_mon + 1, local.tm_mday, number);
    return QDir(QDir::tempPath()).filePath(name);
}
