// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
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

// The GIF goes into a folder of this user's own (mode 0700) inside the
// temporary folder, so no other user can plant a file or a link under its
// predictable name.
// Returns the new output path. `dpiY` is the screen's vertical DPI (text
// watermark height). `level` > 0 (with `blackWhite`) makes it at that
// "压缩动画" level instead of the default encoding.
QString startGifGeneration(CWorkerThread& worker, const AppSettings& settings, const QString& previousOutput,
                           int dpiY, int level = 0, bool blackWhite = false);

// `tempFolder`/vexlo-<user id>, made with mode 0700 when missing. When that
// name is taken by something else than a folder of this user closed to others,
// a new folder `tempFolder`/vexlo-XXXXXX (mode 0700); empty when neither can be
// made (the GIF then goes into the temporary folder itself).
QString privateOutputFolder(const QString& tempFolder);

// Creates `path` empty, exclusively, and returns it; when a file of that name
// exists already (two generations, of this or another instance, in the same
// second with the same number), the same name with another number. The path
// unchanged when nothing can be created.
QString reserveOutputPath(const QString& path);
