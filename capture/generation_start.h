#pragma once
// The worker's side of starting a generation: the previous output file is
// deleted, a new output path is made in the temporary folder, the generation
// settings (scale, path, play-once, keep-white, both watermarks) are written
// into the worker and UM_GENERATE is posted with the filter number and the
// dithering flag (File). The window hides its preview before and enters
// Generating after.
#include <QString>

struct AppSettings;
class CWorkerThread;

// Returns the new output path. `dpiY` is the screen's vertical DPI (text
// watermark height).
QString startGifGeneration(CWorkerThread& worker, const AppSettings& settings, const QString& previousOutput,
                           int dpiY);
