// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo record --rect X,Y,W,H [--fps N] [--seconds S] [--mouse M] [--last10] -o OUT
//
// Records the screen rectangle with the capture window's worker for S seconds
// (default 5) at N frames per second (default the settings' rate), then writes
// OUT: an animated GIF through the generation pipeline when OUT ends in .gif,
// otherwise a folder of PNG frames with frames.tsv (as `vexlo decode` writes).
// Exit status: 0 written, 1 no X display, nothing recorded or writing failed,
// 2 bad usage.
#include <unistd.h>

#include <QGuiApplication>
#include <QString>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "app/app_settings.h"
#include "app/cli_commands.h"
#include "app/cli_parser.h"
#include "capture/frame_folder_writer.h"
#include "capture/worker_thread.h"
#include "gif/generation_settings.h"
#include "platform/errno_text.h"
#include "platform/x11_screen_grabber.h"
#include "res/resource.h"

namespace {

constexpr int kMaxSeconds = 3600;

bool parseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < -1000000000L || v > 1000000000L)
        return false;
    value = int(v);
    return true;
}

bool parseRect(const std::string& text, int& x, int& y, int& w, int& h)
{
    int* parts[] = {&x, &y, &w, &h};
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', start);
        if ((i < 3) != (comma != std::string::npos))
            return false;
        if (!parseInt(text.substr(start, i < 3 ? comma - start : std::string::npos), *parts[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

bool endsWithGif(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".gif";
}

// Why OUT could not be written, found before the recording rather than after
// it; empty when the write can be tried. A GIF needs an existing folder it may
// write to; a frame folder an existing folder or one that can be created.
std::string outputRefusal(const std::string& out, bool gif)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(out);
    if (gif && fs::is_directory(path, ec))
        return out + ": is a folder";
    if (!gif && fs::exists(path, ec) && !fs::is_directory(path, ec))
        return out + ": is not a folder";
    // The folder the writing starts in: OUT's for a GIF, the nearest one that
    // exists for a frame folder (the rest is created).
    fs::path folder = gif ? path.parent_path() : path;
    if (!gif)
        while (!folder.empty() && !fs::exists(folder, ec) && folder.has_relative_path())
            folder = folder.parent_path();
    if (folder.empty())
        folder = ".";
    const std::string what = gif ? "cannot write " : "cannot create ";
    if (!fs::is_directory(folder, ec))
        return what + out + ": " + folder.string() +
               (fs::exists(folder, ec) ? " is not a folder" : " does not exist");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return what + out + ": " + folder.string() + ": " + errnoText(errno);
    return std::string();
}

// The worker's reports, waited for on this thread.
struct Reports {
    std::mutex mutex;
    std::condition_variable cv;
    int frames = 0;
    bool stopped = false;
    bool generated = false;
};

}  // namespace

int runRecordCommand(int argc, char** argv)
{
    CliParser cli(
        "record", "--rect X,Y,W,H [--fps N] [--seconds S] [--mouse M] [--last10] -o OUT",
        "Records a rectangle of the X screen with the capture worker, then writes OUT: an animated GIF\n"
        "when OUT ends in .gif, otherwise a folder of PNG frames with frames.tsv (as vexlo decode).");
    cli.addValueOption({QStringLiteral("rect")}, "X,Y,W,H", "the screen rectangle to record");
    cli.addValueOption({QStringLiteral("fps")}, "N", "frames per second (default: the settings' rate)");
    cli.addValueOption({QStringLiteral("seconds")}, "S", "how long to record (default 5)");
    cli.addValueOption({QStringLiteral("mouse")}, "M", "mouse-track mode 0..4 (default 0)");
    cli.addFlag({QStringLiteral("last10")}, "keep only the last ten seconds");
    cli.addValueOption({QStringLiteral("o"), QStringLiteral("out")}, "OUT", "the GIF or folder to write");
    if (int status = 0; !cli.parse(argc, argv, status))
        return status;
    if (!cli.arguments().isEmpty())
        return cli.usageError("unexpected argument " + cli.stdArguments().front());
    int x = 0, y = 0, w = 0, h = 0;
    int fps = 0;
    int seconds = 5;
    int mouse = 0;
    const bool last10 = cli.isSet("last10");
    const std::string out = cli.stdValue("out");
    if (!cli.isSet("rect") || !parseRect(cli.stdValue("rect"), x, y, w, h))
        return cli.usageError("--rect needs X,Y,W,H");
    if (!cli.intValue("fps", 1, kMaxRate, fps))
        return cli.usageError("--fps needs a rate from 1 to " + std::to_string(kMaxRate));
    if (!cli.intValue("seconds", 1, kMaxSeconds, seconds))
        return cli.usageError("--seconds needs a number from 1 to " + std::to_string(kMaxSeconds));
    if (!cli.intValue("mouse", 0, 4, mouse))
        return cli.usageError("--mouse needs a mode from 0 to 4");
    if (out.empty())
        return cli.usageError("-o needs an output path");
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide)
        return cli.usageError("the rectangle must be between 1 and " + std::to_string(kMaxImageSide) +
                              " pixels a side");

    if (const std::string refusal = outputRefusal(out, endsWithGif(out)); !refusal.empty())
        return cli.failure(refusal);

    std::string reason;
    std::unique_ptr<X11ScreenGrabber> grabber = X11ScreenGrabber::open(&reason);
    if (!grabber)
        return cli.failure(reason);

    // Fonts for a text watermark need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    AppSettings& settings = appSettings();
    LoadSettings(settings);
    if (fps == 0)
        fps = settings.rate1;

    Reports reports;
    CWorkerThread worker(std::move(grabber));
    worker.setMessageSink([&reports](int id, intptr_t, intptr_t l) {
        {
            std::lock_guard<std::mutex> lock(reports.mutex);
            if (id == UM_FRAME_COUNT)
                reports.frames = int(l);
            else if (id == UM_CAPTURE_STOPPED)
                reports.stopped = true;
            else if (id == UM_GENERATED)
                reports.generated = true;
        }
        reports.cv.notify_all();
    });
    worker.SetFrameRectangle(x, y, x + w, y + h, mouse);
    if (!worker.startWorker())
        return cli.failure("cannot start the worker thread");
    worker.post(UM_START_CAPTURE, last10 ? 1 : 0, 1000 / fps);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    worker.post(UM_STOP_CAPTURE);
    {
        std::unique_lock<std::mutex> lock(reports.mutex);
        reports.cv.wait(lock, [&] { return reports.stopped; });
    }
    // The worker is idle now: the sequence is ours to read.
    if (worker.sequence().empty())
        return cli.failure("no frame was grabbed");

    if (endsWithGif(out)) {
        worker.generationSettings() =
            GenerationSettings::fromAppSettings(settings, QString::fromStdString(out), 96);
        worker.post(UM_GENERATE, 0, settings.file ? 1 : 0);
        std::unique_lock<std::mutex> lock(reports.mutex);
        reports.cv.wait(lock, [&] { return reports.generated; });
        if (!worker.lastGenerationSucceeded())
            return cli.failure("cannot write " + out + ": " + worker.lastGenerationError());
    } else {
        std::string error;
        if (!writeFrameFolder(out, worker.sequence(), &error))
            return cli.failure(error);
    }
    // The frames written: with --last10 only the last ten seconds of those grabbed.
    const int written = worker.sequence().count();
    worker.quitAndJoin();
    std::printf("%d %s\n", written, written == 1 ? "frame" : "frames");
    return 0;
}
