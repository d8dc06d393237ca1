// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// vexlo gif INPUT... -o OUT.gif: the generation pipeline without windows.
//
// INPUT is one GIF file (imported as the capture window imports it), a folder of
// pictures, or picture files; pictures are taken in name order, each shown for
// --delay hundredths of a second (or 100 / --fps, truncated; default 5), and a
// picture of another size than the first is fitted onto a black frame the way
// the editor inserts pictures. Watermarks come from the settings file.
//
// --level N (1 best picture .. 5 smallest file) or --bw N (the same in grey)
// encode at one of the preview's "压缩动画" levels instead of the default.
//
// Progress goes to stderr as "N%" lines, the written path to stdout. Refused
// input or a failed write: one line on stderr and status 2; the GIF is written
// to a temporary file beside OUT and only renamed into place when it is whole.
// Ctrl-C (or SIGTERM, SIGHUP) during the run removes that temporary file before
// the program ends.
#include <malloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/app_settings.h"
#include "app/cli_commands.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "gif/picture_files_source.h"
#include "imaging/raster_image.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultDelay = 5;
constexpr int kCommandLineDpi = 96;

int refuse(const std::string& why)
{
    std::fprintf(stderr, "vexlo gif: %s\n", why.c_str());
    return 2;
}

bool parseInt(const std::string& text, int lo, int hi, int& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < lo || v > hi)
        return false;
    out = int(v);
    return true;
}

bool parseFloat(const std::string& text, float& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !std::isfinite(v) || v <= 0 || v > 100)
        return false;
    out = float(v);
    return true;
}

std::string lowerExtension(const fs::path& p)
{
    std::string ext = p.extension().string();
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool isPictureName(const fs::path& p)
{
    static const char* const kExtensions[] = {"jpg", "jpeg", "jpe", "jfif", "bmp", "png", "gif"};
    const std::string ext = lowerExtension(p);
    return std::any_of(std::begin(kExtensions), std::end(kExtensions),
                       [&](const char* e) { return ext == e; });
}

// Number of frames of a GIF file, 0 when it does not decode.
int gifFrameCount(const std::string& path)
{
    RasterImage probe;
    if (!probe.decodeFile(path, ImageTypeGif))
        return 0;
    return probe.numFrames();
}

// The temporary file of the running command, for the signal handler: written
// while the signals are blocked, then armed; the handler only reads it.
char pendingTemporary[PATH_MAX];
volatile std::sig_atomic_t temporaryArmed = 0;
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removeTemporaryAndEnd(int sig)
{
    if (temporaryArmed != 0)
        ::unlink(pendingTemporary);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

void blockCleanupSignals(bool block)
{
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kCleanupSignals)
        sigaddset(&set, sig);
    ::pthread_sigmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

void installCleanupHandlers()
{
    for (int sig : kCleanupSignals) {
        struct sigaction previous {};
        if (::sigaction(sig, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;  // a signal the caller told us to ignore stays ignored
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(sig, &action, nullptr);
    }
}

// The temporary file is ours again (renamed or removed): nothing left to clean.
void disarmTemporary()
{
    temporaryArmed = 0;
}

// A unique temporary file beside `out`; empty (and `error` set) when the folder
// cannot take it. A signal that ends the program from now on removes it.
std::string makeTemporaryBeside(const fs::path& out, std::string& error)
{
    fs::path dir = out.parent_path();
    if (dir.empty())
        dir = ".";
    std::string pattern = (dir / ("." + out.filename().string() + ".XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    installCleanupHandlers();
    blockCleanupSignals(true);
    const int fd = mkstemp(buffer.data());
    if (fd < 0) {
        const int saved = errno;
        blockCleanupSignals(false);
        error = "cannot write to " + dir.string() + ": " + std::strerror(saved);
        return std::string();
    }
    ::close(fd);
    if (buffer.size() <= sizeof(pendingTemporary)) {
        std::memcpy(pendingTemporary, buffer.data(), buffer.size());
        temporaryArmed = 1;
    }
    blockCleanupSignals(false);
    return std::string(buffer.data());
}

}  // namespace

int runGifCommand(int argc, char** argv)
{
    std::vector<std::string> inputs;
    std::string output;
    int delay = kDefaultDelay;
    float scale = 1.0f;
    int filter = 0;
    bool dither = true;
    bool playOnce = false;
    bool keepWhite = false;
    int level = 0;  // a "压缩动画" level, 0 = the default encoding
    bool blackWhite = false;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        const size_t eq = arg.find('=');
        if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        auto takeValue = [&](const char* what) -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc)
                return false;
            value = argv[++i];
            (void)what;
            return true;
        };
        if (arg == "-o" || arg == "--out" || arg == "--output") {
            if (!takeValue("OUT") || value.empty())
                return refuse(arg + " needs a file name");
            output = value;
        } else if (arg == "--delay") {
            if (!takeValue("CS") || !parseInt(value, 1, 65535, delay))
                return refuse("--delay needs hundredths of a second from 1 to 65535");
        } else if (arg == "--fps") {
            int fps = 0;
            if (!takeValue("N") || !parseInt(value, 1, 100, fps))
                return refuse("--fps needs a rate from 1 to 100");
            delay = 100 / fps;
        } else if (arg == "--scale") {
            if (!takeValue("F") || !parseFloat(value, scale))
                return refuse("--scale needs a factor above 0 and at most 100");
        } else if (arg == "--filter") {
            if (!takeValue("N") || !parseInt(value, 0, 15, filter))
                return refuse("--filter needs a filter number from 0 to 15");
        } else if (arg == "--no-dither" && !hasValue) {
            dither = false;
        } else if (arg == "--play-once" && !hasValue) {
            playOnce = true;
        } else if (arg == "--keep-white" && !hasValue) {
            keepWhite = true;
        } else if (arg == "--level" || arg == "--bw") {
            if (level != 0)
                return refuse("--level and --bw name one level, once");
            if (!takeValue("N") || !parseInt(value, 1, 5, level))
                return refuse(arg + " needs a level from 1 (best picture) to 5 (smallest file)");
            blackWhite = arg == "--bw";
        } else if (arg.size() > 1 && arg[0] == '-') {
            return refuse("unknown option " + std::string(argv[i]));
        } else {
            inputs.push_back(argv[i]);
        }
    }
    // Decoded pictures of one size come and go by the hundred: keep freed
    // memory for the next one instead of returning it to the system and
    // faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);

    if (inputs.empty() || output.empty())
        return refuse(
            "usage: vexlo gif INPUT... -o OUT.gif [--delay CS | --fps N] [--scale F] [--filter N] "
            "[--no-dither] [--play-once] [--keep-white] [--level N | --bw N]");

    // Text (the text watermark) needs a GUI application; nothing is shown.
    std::unique_ptr<QCoreApplication> app;
    static char appName[] = "vexlo";
    static char* appArgv[] = {appName, nullptr};
    static int appArgc = 1;
    AppSettings settings;
    {
        // The settings file is read with a core application (paths only).
        LoadSettings(settings);
    }
    if (settings.txtEnableLogo) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(appArgc, appArgv);
    } else {
        app = std::make_unique<QCoreApplication>(appArgc, appArgv);
    }

    // ---- the input -----------------------------------------------------------
    std::vector<std::string> pictures;
    bool importGif = false;
    for (const std::string& input : inputs) {
        std::error_code ec;
        const fs::path p(input);
        if (fs::is_directory(p, ec)) {
            std::vector<std::string> found;
            for (const fs::directory_entry& e : fs::directory_iterator(p, ec)) {
                std::error_code fec;
                if (e.is_regular_file(fec) && isPictureName(e.path()))
                    found.push_back(e.path().string());
            }
            if (ec)
                return refuse(input + ": cannot read the folder: " + ec.message());
            if (found.empty())
                return refuse(input + ": the folder holds no pictures");
            pictures.insert(pictures.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(p, ec)) {
            pictures.push_back(input);
        } else {
            return refuse(input + ": no such file or folder");
        }
    }
    if (inputs.size() == 1 && pictures.size() == 1 && lowerExtension(pictures[0]) == "gif" &&
        gifFrameCount(pictures[0]) >= 2)
        importGif = true;
    std::sort(pictures.begin(), pictures.end(), [](const std::string& a, const std::string& b) {
        const std::string na = fs::path(a).filename().string();
        const std::string nb = fs::path(b).filename().string();
        return na != nb ? na < nb : a < b;
    });

    FrameSequence sequence;
    CaptionList captions;
    std::unique_ptr<GenerationSource> source;
    PictureFilesSource* pictureSource = nullptr;
    if (importGif) {
        AppSettings importSettings = settings;
        if (!ImportGifFile(QFile::decodeName(pictures[0].c_str()), sequence, captions, importSettings,
                           ModalProgressFactory()))
            return refuse(pictures[0] + ": cannot import the GIF");
        source = std::make_unique<FrameSequenceSource>(sequence);
    } else {
        std::string reason;
        std::unique_ptr<RasterImage> first = PictureFilesSource::decodePicture(pictures[0], &reason);
        if (!first)
            return refuse(pictures[0] + ": " + reason);
        auto files = std::make_unique<PictureFilesSource>(pictures, std::move(first), delay);
        pictureSource = files.get();
        source = std::move(files);
    }

    // ---- the output ------------------------------------------------------------
    const fs::path outPath(output);
    {
        std::error_code ec;
        if (fs::is_directory(outPath, ec))
            return refuse(output + ": is a folder");
    }
    std::string reason;
    const std::string temporary = makeTemporaryBeside(outPath, reason);
    if (temporary.empty())
        return refuse(reason);

    GenerationSettings generation =
        GenerationSettings::fromAppSettings(settings, QFile::decodeName(temporary.c_str()), kCommandLineDpi);
    generation.outputScale = scale;
    generation.playOnce = playOnce;
    generation.keepWhite = keepWhite;
    generation.level = level;
    generation.blackWhite = blackWhite;

    int lastPercent = -1;
    std::string error;
    const bool ok = GifGenerator::generate(
        *source, captions, generation, filter, dither,
        [&](int percent) {
            if (percent != lastPercent) {
                std::fprintf(stderr, "%d%%\n", percent);
                lastPercent = percent;
            }
        },
        &error);
    // A refusal removes the temporary file, which then needs no cleaning on a signal.
    auto refuseAndRemove = [&temporary](const std::string& reason) {
        std::remove(temporary.c_str());
        disarmTemporary();
        return refuse(reason);
    };
    if (pictureSource != nullptr && !pictureSource->failure().empty())
        return refuseAndRemove(pictureSource->failure());
    if (!ok)
        return refuseAndRemove(error.empty() ? "no GIF was written" : error);
    std::error_code ec;
    fs::rename(temporary, outPath, ec);
    if (ec)
        return refuseAndRemove("cannot write " + output + ": " + ec.message());
    disarmTemporary();
    // mkstemp made the file private; give it the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    fs::permissions(outPath, fs::perms(0666 & ~mask), fs::perm_options::replace, ec);
    std::printf("%s\n", output.c_str());
    return 0;
}
