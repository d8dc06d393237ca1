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
// Progress goes to stderr as "N%" lines, the written path to stdout. A wrong
// command line: one line on stderr and status 2; an input that cannot be read
// or a failed write: one line on stderr and status 1. The GIF is written
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
#include "app/cli_parser.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "gif/picture_files_source.h"
#include "imaging/raster_image.h"
#include "platform/errno_text.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultDelay = 5;
constexpr int kCommandLineDpi = 96;

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

// Messages of the generation name the file it writes; the user knows it as
// OUT. Set while the generation writes the temporary file.
struct OutputNaming {
    QString temporary;
    QString output;
    QtMessageHandler previous = nullptr;
};
OutputNaming outputNaming;

void nameOutputInMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    QString text = message;
    if (!outputNaming.temporary.isEmpty())
        text.replace(outputNaming.temporary, outputNaming.output);
    if (outputNaming.previous)
        outputNaming.previous(type, context, text);
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
        error = "cannot write to " + dir.string() + ": " + errnoText(saved);
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

// The options of vexlo gif; a new option is one line here and its reading below.
void addGifOptions(CliParser& cli)
{
    cli.addArgument("INPUT...", "one GIF, a folder of pictures, or picture files (JPEG, BMP, PNG, GIF)");
    cli.addValueOption({QStringLiteral("o"), QStringLiteral("out"), QStringLiteral("output")}, "OUT.gif",
                       "the GIF to write");
    cli.addValueOption({QStringLiteral("delay")}, "CS", "delay of each picture in 1/100 s (default 5)");
    cli.addValueOption({QStringLiteral("fps")}, "N", "pictures per second instead of --delay");
    cli.addValueOption({QStringLiteral("scale")}, "F", "output scale (default 1)");
    cli.addValueOption({QStringLiteral("filter")}, "N", "colour filter number 0..15 (default 0)");
    cli.addFlag({QStringLiteral("no-dither")}, "no dithering in the colour reduction");
    cli.addFlag({QStringLiteral("play-once")}, "the animation plays once");
    cli.addFlag({QStringLiteral("keep-white")}, "keep white pixels white");
    cli.addValueOption({QStringLiteral("level")}, "N",
                       "encode at a compression level: 1 best picture .. 5 smallest file");
    cli.addValueOption({QStringLiteral("bw")}, "N", "the same levels in black and white");
}

}  // namespace

int runGifCommand(int argc, char** argv)
{
    CliParser cli(
        "gif", "INPUT... -o OUT.gif [options]",
        "Makes an animated GIF with the generation pipeline, without windows. Watermarks come from\n"
        "the settings file.");
    addGifOptions(cli);
    if (int status = 0; !cli.parse(argc, argv, status))
        return status;
    const std::vector<std::string> inputs = cli.stdArguments();
    const std::string output = cli.stdValue("out");
    int delay = kDefaultDelay;
    float scale = 1.0f;
    int filter = 0;
    const bool dither = !cli.isSet("no-dither");
    const bool playOnce = cli.isSet("play-once");
    const bool keepWhite = cli.isSet("keep-white");
    if (cli.isSet("out") && output.empty())
        return cli.usageError("--out needs a file name");
    if (!cli.intValue("delay", 1, 65535, delay))
        return cli.usageError("--delay needs hundredths of a second from 1 to 65535");
    if (cli.isSet("fps")) {
        int fps = 0;
        if (!cli.intValue("fps", 1, 100, fps))
            return cli.usageError("--fps needs a rate from 1 to 100");
        delay = 100 / fps;
    }
    if (!cli.floatValue("scale", 0.0, 100.0, scale))
        return cli.usageError("--scale needs a factor above 0 and at most 100");
    if (!cli.intValue("filter", 0, 15, filter))
        return cli.usageError("--filter needs a filter number from 0 to 15");
    // A "压缩动画" level instead of the default encoding (0).
    int level = 0;
    const bool blackWhite = cli.isSet("bw");
    if (cli.isSet("level") && blackWhite)
        return cli.usageError("--level and --bw name one level: give one of them");
    if (!cli.intValue(blackWhite ? "bw" : "level", 1, 5, level))
        return cli.usageError("--level and --bw need a level from 1 (best picture) to 5 (smallest file)");
    // Decoded pictures of one size come and go by the hundred: keep freed
    // memory for the next one instead of returning it to the system and
    // faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);

    if (inputs.empty())
        return cli.usageError("no INPUT given");
    if (output.empty())
        return cli.usageError("no -o OUT.gif given");

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
                return cli.failure(input + ": cannot read the folder: " + ec.message());
            if (found.empty())
                return cli.failure(input + ": the folder holds no pictures");
            pictures.insert(pictures.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(p, ec)) {
            pictures.push_back(input);
        } else if (fs::exists(p, ec)) {
            return cli.failure(input + ": not a file or folder");  // a device, a pipe, a socket
        } else {
            return cli.failure(input + ": no such file or folder");
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
        GifImportRefusal why;
        if (!ImportGifFile(QFile::decodeName(pictures[0].c_str()), sequence, captions, importSettings,
                           ModalProgressFactory(), nullptr, &why))
            return cli.failure(pictures[0] + ": cannot import the GIF: " + why.reason.toStdString());
        source = std::make_unique<FrameSequenceSource>(sequence);
    } else {
        std::string reason;
        std::unique_ptr<RasterImage> first = PictureFilesSource::decodePicture(pictures[0], &reason);
        if (!first)
            return cli.failure(pictures[0] + ": " + reason);
        auto files = std::make_unique<PictureFilesSource>(pictures, std::move(first), delay);
        pictureSource = files.get();
        source = std::move(files);
    }

    // ---- the output ------------------------------------------------------------
    const fs::path outPath(output);
    {
        std::error_code ec;
        if (fs::is_directory(outPath, ec))
            return cli.failure(output + ": is a folder");
    }
    std::string reason;
    const std::string temporary = makeTemporaryBeside(outPath, reason);
    if (temporary.empty())
        return cli.failure(reason);
    outputNaming.temporary = QFile::decodeName(temporary.c_str());
    outputNaming.output = QFile::decodeName(output.c_str());
    outputNaming.previous = qInstallMessageHandler(nameOutputInMessages);

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
    // A refusal removes the temporary file, which then needs no cleaning on a
    // signal; the reason names OUT, not the temporary file.
    auto refuseAndRemove = [&temporary, &output, &cli](std::string reason) {
        std::remove(temporary.c_str());
        disarmTemporary();
        for (size_t at = reason.find(temporary); at != std::string::npos; at = reason.find(temporary, at))
            reason.replace(at, temporary.size(), output);
        return cli.failure(reason);
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
