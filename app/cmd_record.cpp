// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo record --rect X,Y,W,H [--fps N] [--seconds S] [--mouse M] [--last10] -o OUT
//
// Records the screen rectangle with the capture window's worker for S seconds
// (default 5) at N frames per second (default the settings' rate), then writes
// OUT: an animated GIF through the generation pipeline when OUT ends in .gif,
// otherwise a folder of PNG frames with frames.tsv (as `vexlo decode` writes).
// Exit status: 0 written, 1 nothing recorded or writing failed, 2 bad usage or
// no X display.
#include <QGuiApplication>
#include <QString>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "app/app_settings.h"
#include "app/cli_commands.h"
#include "capture/frame_folder_writer.h"
#include "capture/worker_thread.h"
#include "gif/generation_settings.h"
#include "platform/x11_screen_grabber.h"
#include "res/resource.h"

namespace {

constexpr int kMaxSeconds = 3600;

int refuse(const std::string& why)
{
    std::fprintf(stderr, "vexlo record: %s\n", why.c_str());
    return 2;
}

int failure(const std::string& why)
{
    std::fprintf(stderr, "vexlo record: %s\n", why.c_str());
    return 1;
}

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
    const char* usage =
        "usage: vexlo record --rect X,Y,W,H [--fps N] [--seconds S] [--mouse M] [--last10] -o OUT";
    bool haveRect = false;
    int x = 0, y = 0, w = 0, h = 0;
    int fps = 0;
    int seconds = 5;
    int mouse = 0;
    bool last10 = false;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= argc)
                return false;
            v = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--rect") {
            if (!value(v) || !parseRect(v, x, y, w, h))
                return refuse("--rect needs X,Y,W,H");
            haveRect = true;
        } else if (arg == "--fps") {
            if (!value(v) || !parseInt(v, fps) || fps < 1 || fps > kMaxRate)
                return refuse("--fps needs a rate from 1 to " + std::to_string(kMaxRate));
        } else if (arg == "--seconds") {
            if (!value(v) || !parseInt(v, seconds) || seconds < 1 || seconds > kMaxSeconds)
                return refuse("--seconds needs a number from 1 to " + std::to_string(kMaxSeconds));
        } else if (arg == "--mouse") {
            if (!value(v) || !parseInt(v, mouse) || mouse < 0 || mouse > 4)
                return refuse("--mouse needs a mode from 0 to 4");
        } else if (arg == "--last10") {
            last10 = true;
        } else if (arg == "-o" || arg == "--out") {
            if (!value(out))
                return refuse("-o needs an output path");
        } else {
            return refuse("unknown argument " + arg + " (" + usage + ")");
        }
    }
    if (!haveRect || out.empty())
        return refuse(usage);
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide)
        return refuse("the rectangle must be between 1 and " + std::to_string(kMaxImageSide) +
                      " pixels a side");

    std::string reason;
    std::unique_ptr<X11ScreenGrabber> grabber = X11ScreenGrabber::open(&reason);
    if (!grabber)
        return refuse(reason);

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
        return failure("cannot start the worker thread");
    worker.post(UM_START_CAPTURE, last10 ? 1 : 0, 1000 / fps);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    worker.post(UM_STOP_CAPTURE);
    {
        std::unique_lock<std::mutex> lock(reports.mutex);
        reports.cv.wait(lock, [&] { return reports.stopped; });
    }
    // The worker is idle now: the sequence is ours to read.
    if (worker.sequence().empty())
        return failure("no frame was grabbed");

    if (endsWithGif(out)) {
        worker.generationSettings() =
            GenerationSettings::fromAppSettings(settings, QString::fromStdString(out), 96);
        worker.post(UM_GENERATE, 0, settings.file ? 1 : 0);
        std::unique_lock<std::mutex> lock(reports.mutex);
        reports.cv.wait(lock, [&] { return reports.generated; });
        if (!worker.lastGenerationSucceeded())
            return failure("cannot write " + out + ": " + worker.lastGenerationError());
    } else {
        std::string error;
        if (!writeFrameFolder(out, worker.sequence(), &error))
            return failure(error);
    }
    worker.quitAndJoin();
    std::printf("%d frames\n", reports.frames);
    return 0;
}
