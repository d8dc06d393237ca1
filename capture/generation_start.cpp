#include "capture/generation_start.h"

#include <QFile>

#include "app/app_settings.h"
#include "capture/worker_thread.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "res/resource.h"

QString startGifGeneration(CWorkerThread& worker, const AppSettings& settings, const QString& previousOutput,
                           int dpiY)
{
    if (!previousOutput.isEmpty() && QFile::exists(previousOutput) && !QFile::remove(previousOutput))
        qWarning("cannot delete the previous output %s", qPrintable(previousOutput));
    const QString path = GifGenerator::newOutputPath();
    // Written before the post; the post orders the writes before the worker reads them.
    worker.generationSettings() = GenerationSettings::fromAppSettings(settings, path, dpiY);
    worker.post(UM_GENERATE, settings.filterNumber, settings.file ? 1 : 0);
    return path;
}
