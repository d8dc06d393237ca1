// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Opening a GIF as the frame sequence (ImportGifFile) and decoding one into
// fitted frames (AppendGifFramesFitted).
#include <gd.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <fstream>
#include <functional>
#include <set>
#include <tuple>

#include "../imaging/gif_test_writer.h"
#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "capture/gif_import.h"
#include "editor/caption_list.h"
#include "platform/sys_colors.h"
#include "test_env.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct GdImageDeleter {
    void operator()(gdImagePtr im) const { gdImageDestroy(im); }
};
using GdImage = std::unique_ptr<gdImage, GdImageDeleter>;

// One frame of a test GIF: a palette picture filled with `fill`, optionally
// with pixels of a transparent colour.
struct TestFrame {
    int left = 0, top = 0, width = 1, height = 1;
    int delay = 10;
    int disposal = gdDisposalNone;
    ColorRef fill = 0;
    std::vector<std::pair<int, int>> transparentPixels;  // frame coordinates
};

Bytes gifBytes(int screenWidth, int screenHeight, const std::vector<TestFrame>& frames)
{
    Bytes out;
    int size = 0;
    // Appends what a gd call returned (its size is set by the call itself).
    auto take = [&out, &size](void* data) {
        const auto* p = static_cast<const uint8_t*>(data);
        if (p)
            out.insert(out.end(), p, p + size);
        gdFree(data);
    };
    GdImage screen(gdImageCreate(screenWidth, screenHeight));
    gdImageColorAllocate(screen.get(), 0, 0, 0);
    take(gdImageGifAnimBeginPtr(screen.get(), &size, 1, 0));
    for (const TestFrame& f : frames) {
        GdImage im(gdImageCreate(f.width, f.height));
        const int fill =
            gdImageColorAllocate(im.get(), colorRefRed(f.fill), colorRefGreen(f.fill), colorRefBlue(f.fill));
        gdImageFilledRectangle(im.get(), 0, 0, f.width - 1, f.height - 1, fill);
        if (!f.transparentPixels.empty()) {
            const int clear = gdImageColorAllocate(im.get(), 1, 2, 3);
            gdImageColorTransparent(im.get(), clear);
            for (const auto& [x, y] : f.transparentPixels)
                gdImageSetPixel(im.get(), x, y, clear);
        }
        take(gdImageGifAnimAddPtr(im.get(), &size, 1, f.left, f.top, f.delay, f.disposal, nullptr));
    }
    take(gdImageGifAnimEndPtr(&size));
    return out;
}

std::string writeFile(const testenv::TempDir& dir, const std::string& name, const Bytes& bytes)
{
    const std::string path = dir.file(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

Bytes solidGif(int w, int h, int frames, ColorRef colour, int delay = 10)
{
    std::vector<TestFrame> list;
    for (int i = 0; i < frames; ++i)
        list.push_back(TestFrame{0, 0, w, h, delay, gdDisposalNone, colour, {}});
    return gifBytes(w, h, list);
}

// Records the calls a progress window gets.
struct ProgressLog {
    int made = 0;
    int destroyed = 0;
    QStringList calls;
    int advances = 0;
};

class RecordingProgress : public ModalProgress {
public:
    explicit RecordingProgress(ProgressLog& log) : log_(log) { ++log_.made; }
    ~RecordingProgress() override { ++log_.destroyed; }
    bool beginModal(const QString& title, bool smooth) override
    {
        log_.calls << QStringLiteral("begin %1 %2").arg(title).arg(smooth);
        return true;
    }
    void setRange(int lower, int upper, int step) override
    {
        log_.calls << QStringLiteral("range %1 %2 %3").arg(lower).arg(upper).arg(step);
    }
    void setText(const QString& text) override { log_.calls << QStringLiteral("text ") + text; }
    bool advance() override
    {
        ++log_.advances;
        return true;
    }

private:
    ProgressLog& log_;
};

ModalProgressFactory factoryFor(ProgressLog& log)
{
    return [&log] { return std::make_unique<RecordingProgress>(log); };
}

RgbQuad pixel(const RasterImage* image, int x, int y)
{
    return image->getColor(x, y);
}

RgbQuad quad(ColorRef c)
{
    return rgbQuadFromColorRef(c);
}

// Smooth resampling may leave a solid colour off by a unit or two.
bool near(const RgbQuad& a, const RgbQuad& b)
{
    return std::abs(a.red - b.red) <= 2 && std::abs(a.green - b.green) <= 2 && std::abs(a.blue - b.blue) <= 2;
}

const ColorRef kRed = makeColorRef(255, 0, 0);
const ColorRef kGreen = makeColorRef(0, 200, 0);
const ColorRef kBlue = makeColorRef(0, 0, 255);

// The state an import must not touch when it refuses.
struct Existing {
    FrameSequence seq;
    CaptionList captions;
    AppSettings settings;
    Existing()
    {
        for (int i = 0; i < 3; ++i) {
            auto image = RasterImage::make(8, 8, 24);
            image->setColor(0, 0, RgbQuad{uint8_t(i), 0, 0, 0});
            seq.append(FrameRecord::make(std::move(image), 20 + i));
        }
        seq.SetFrameRectangle(1, 2, 9, 10, 2);
        auto caption = std::make_unique<CaptionItem>();
        caption->setText(QStringLiteral("hello"));
        captions.append(std::move(caption));
        settings.outputScale = 0.5f;
        settings.filterNumber = 3;
    }
    void expectUntouched() const
    {
        ASSERT_EQ(seq.count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(seq.at(i)->delay, 20 + i);
            EXPECT_EQ(seq.at(i)->image->getColor(0, 0).blue, i);
        }
        EXPECT_EQ(seq.frameRect(), (FrameRect{1, 2, 9, 10}));
        EXPECT_EQ(seq.mouseTrackMode(), 2);
        EXPECT_EQ(captions.count(), 1);
        EXPECT_FLOAT_EQ(settings.outputScale, 0.5f);
        EXPECT_EQ(settings.filterNumber, 3);
    }
};

TEST(ImportGifFile, RefusalsLeaveFramesCaptionsAndSettings)
{
    testenv::TempDir dir;
    const Bytes threeFrames = solidGif(6, 4, 3, kRed);
    Bytes huge = threeFrames;  // a tiny file whose frames would need gigabytes
    huge[6] = uint8_t(30000 & 0xFF);
    huge[7] = uint8_t(30000 >> 8);
    huge[8] = huge[6];
    huge[9] = huge[7];
    Bytes garbage = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x2C, 0xFF};

    using Why = GifImportRefusal;
    const std::vector<std::tuple<std::string, const Bytes*, Why::Kind>> cases = {
        {"x.png", &threeFrames, Why::NotGif},  // extension decides, not the content
        {"gif", &threeFrames, Why::NotGif},    // no extension at all
        {"x.gif.bak", &threeFrames, Why::NotGif},
        {"one.gif", nullptr, Why::TooFewFrames},   // filled below: a single frame
        {"bad.gif", &garbage, Why::TooFewFrames},  // no image at all
        {"huge.gif", &huge, Why::Damaged},         // a screen over the pixel limit of any picture
        {"missing.gif", nullptr, Why::Unreadable},
    };
    const Bytes oneFrame = solidGif(6, 4, 1, kRed);
    for (const auto& [name, bytes, kind] : cases) {
        SCOPED_TRACE(name);
        std::string path = dir.file(name);
        if (bytes)
            path = writeFile(dir, name, *bytes);
        else if (name == "one.gif")
            path = writeFile(dir, name, oneFrame);
        Existing state;
        ProgressLog log;
        int frameCount = -1;
        GifImportRefusal why;
        EXPECT_FALSE(ImportGifFile(QString::fromStdString(path), state.seq, state.captions, state.settings,
                                   factoryFor(log), &frameCount, &why));
        state.expectUntouched();
        EXPECT_EQ(why.kind, kind) << why.reason.toStdString();
        EXPECT_FALSE(why.reason.isEmpty());
        EXPECT_EQ(frameCount, -1);
        EXPECT_EQ(log.made, 0);
    }
}

TEST(ImportGifFile, ReplacesTheSequenceByComposedFrames)
{
    testenv::TempDir dir;
    const std::string path = writeFile(dir, "X.GIF",
                                       gifBytes(6, 4,
                                                {
                                                    {0, 0, 6, 4, 0, gdDisposalNone, kRed, {}},
                                                    {1, 1, 2, 2, 7, gdDisposalNone, kGreen, {}},
                                                    {5, 3, 1, 1, 1, gdDisposalNone, kBlue, {}},
                                                }));
    Existing state;
    ProgressLog log;
    int frameCount = -1;
    ASSERT_TRUE(ImportGifFile(QString::fromStdString(path), state.seq, state.captions, state.settings,
                              factoryFor(log), &frameCount));
    EXPECT_EQ(frameCount, 3);
    ASSERT_EQ(state.seq.count(), 3);
    const int delays[] = {5, 7, 1};  // 0 becomes 5
    for (int i = 0; i < 3; ++i) {
        const FrameRecord* rec = state.seq.at(i);
        EXPECT_EQ(rec->delay, delays[i]);
        EXPECT_EQ(rec->image->flags(), 1u);
        EXPECT_EQ(rec->image->depth(), 24);
        EXPECT_EQ(rec->image->width(), 6);
        EXPECT_EQ(rec->image->height(), 4);
    }
    EXPECT_EQ(pixel(state.seq.FrameImage(1), 1, 1), quad(kRed));
    EXPECT_EQ(pixel(state.seq.FrameImage(2), 0, 0), quad(kRed));
    EXPECT_EQ(pixel(state.seq.FrameImage(2), 2, 2), quad(kGreen));
    EXPECT_EQ(pixel(state.seq.FrameImage(3), 2, 2), quad(kGreen));
    EXPECT_EQ(pixel(state.seq.FrameImage(3), 5, 3), quad(kBlue));

    EXPECT_EQ(state.seq.frameRect(), (FrameRect{0, 0, 6, 4}));
    EXPECT_EQ(state.seq.mouseTrackMode(), 0);
    EXPECT_EQ(state.captions.count(), 0);
    EXPECT_FLOAT_EQ(state.settings.outputScale, 1.0f);
    EXPECT_EQ(state.settings.filterNumber, 0);

    EXPECT_EQ(log.made, 1);
    EXPECT_EQ(log.destroyed, 1);
    EXPECT_EQ(log.calls, (QStringList{"begin Progress 0", "range 0 4 1", "text Loading..."}));
    EXPECT_EQ(log.advances, 4);  // once before the frames, once per frame

    // Without a progress window the import works the same.
    FrameSequence seq;
    CaptionList captions;
    AppSettings settings;
    EXPECT_TRUE(ImportGifFile(QString::fromStdString(path), seq, captions, settings, nullptr));
    EXPECT_EQ(seq.count(), 3);
}

struct FitCase {
    int w0, h0;           // GIF size
    int left, top, w, h;  // where the picture lands in 310 x 250
};

TEST(AppendGifFramesFitted, FitsOnBlackKeepingDelays)
{
    testenv::TempDir dir;
    const FitCase cases[] = {
        {100, 50, 105, 100, 100, 50},  // smaller both ways: kept and centred
        {620, 250, 0, 63, 310, 125},   // 63 black rows above, 62 below
        {400, 400, 30, 0, 250, 250},
        {310, 250, 0, 0, 310, 250},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.w0) + "x" + std::to_string(c.h0));
        const std::string path = writeFile(dir, "fit.gif",
                                           gifBytes(c.w0, c.h0,
                                                    {
                                                        {0, 0, c.w0, c.h0, 0, gdDisposalNone, kRed, {}},
                                                        {0, 0, c.w0, c.h0, 12, gdDisposalNone, kGreen, {}},
                                                    }));
        std::vector<std::unique_ptr<FrameRecord>> target;
        target.push_back(FrameRecord::make(RasterImage::make(2, 2, 24), 99));
        ProgressLog log;
        RecordingProgress progress(log);
        ASSERT_EQ(AppendGifFramesFitted(QString::fromStdString(path), 310, 250, &progress, target), 2);
        ASSERT_EQ(target.size(), 3u);
        EXPECT_EQ(target[0]->delay, 99);
        EXPECT_EQ(target[1]->delay, 0);  // unchanged, even 0
        EXPECT_EQ(target[2]->delay, 12);
        EXPECT_EQ(log.advances, 2);
        EXPECT_TRUE(log.calls.isEmpty());

        const ColorRef colours[] = {kRed, kGreen};
        for (int k = 0; k < 2; ++k) {
            const RasterImage* im = target[size_t(k) + 1]->image.get();
            ASSERT_EQ(im->width(), 310);
            ASSERT_EQ(im->height(), 250);
            EXPECT_EQ(im->depth(), 24);
            EXPECT_EQ(im->flags(), 1u);
            const RgbQuad black{};
            const RgbQuad colour = quad(colours[k]);
            const int right = c.left + c.w - 1, bottom = c.top + c.h - 1;
            EXPECT_TRUE(near(pixel(im, c.left, c.top), colour));
            EXPECT_TRUE(near(pixel(im, right, bottom), colour));
            EXPECT_TRUE(near(pixel(im, (c.left + right) / 2, (c.top + bottom) / 2), colour));
            if (c.left > 0) {
                EXPECT_EQ(pixel(im, c.left - 1, c.top), black);
            }
            if (right < 309) {
                EXPECT_EQ(pixel(im, right + 1, bottom), black);
            }
            if (c.top > 0) {
                EXPECT_EQ(pixel(im, c.left, c.top - 1), black);
            }
            if (bottom < 249) {
                EXPECT_EQ(pixel(im, right, bottom + 1), black);
            }
        }
    }
}

TEST(AppendGifFramesFitted, ComposesOnMenuColourWithDisposal)
{
    const RgbQuad menu = quad(sysColor(SysColor::Menu));
    const RgbQuad face = quad(sysColor(SysColor::ButtonFace));
    testenv::TempDir dir;
    const std::string path =
        writeFile(dir, "compose.gif",
                  gifBytes(4, 4,
                           {
                               {0, 0, 2, 2, 5, gdDisposalRestoreBackground, kRed, {}},
                               {2, 2, 2, 2, 5, gdDisposalRestorePrevious, kGreen, {{1, 1}}},
                               {0, 2, 1, 1, 5, gdDisposalNone, kBlue, {}},
                           }));
    std::vector<std::unique_ptr<FrameRecord>> target;
    ASSERT_EQ(AppendGifFramesFitted(QString::fromStdString(path), 4, 4, nullptr, target), 3);
    const RasterImage* f1 = target[0]->image.get();
    const RasterImage* f2 = target[1]->image.get();
    const RasterImage* f3 = target[2]->image.get();
    EXPECT_EQ(pixel(f1, 0, 0), quad(kRed));
    EXPECT_EQ(pixel(f1, 3, 3), menu);  // the canvas starts in the menu colour
    EXPECT_EQ(pixel(f2, 0, 0), face);  // disposal 2: button face
    EXPECT_EQ(pixel(f2, 1, 1), face);
    EXPECT_EQ(pixel(f2, 2, 2), quad(kGreen));
    EXPECT_EQ(pixel(f2, 3, 3), menu);  // transparent pixel
    EXPECT_EQ(pixel(f2, 0, 3), menu);
    EXPECT_EQ(pixel(f3, 2, 2), menu);  // disposal 3: back to before frame 2
    EXPECT_EQ(pixel(f3, 0, 2), quad(kBlue));
    EXPECT_EQ(pixel(f3, 0, 0), face);
}

TEST(AppendGifFramesFitted, RefusalsAppendNothing)
{
    testenv::TempDir dir;
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    const std::string pngPath = dir.file("picture.gif");
    ASSERT_TRUE(png.save(QString::fromStdString(pngPath), "PNG"));
    const std::string one = writeFile(dir, "one.gif", solidGif(5, 5, 1, kRed));
    const std::string two = writeFile(dir, "two.gif", solidGif(5, 5, 2, kRed));
    Bytes hugeScreen = solidGif(1, 1, 2, kRed);  // a tiny file on a 30000 x 30000 screen
    hugeScreen[6] = hugeScreen[8] = uint8_t(30000 & 0xFF);
    hugeScreen[7] = hugeScreen[9] = uint8_t(30000 >> 8);
    const std::string huge = writeFile(dir, "huge.gif", hugeScreen);

    const std::vector<std::tuple<std::string, int, int>> cases = {
        {pngPath, 10, 10}, {one, 10, 10},       {dir.file("missing.gif"), 10, 10}, {two, 0, 10},
        {two, 10, -1},     {two, 30000, 30000},  // the fitted frames would exceed the memory budget
        {huge, 10, 10},                          // and so would composing them
    };
    for (const auto& [path, w, h] : cases) {
        SCOPED_TRACE(path + " " + std::to_string(w) + "x" + std::to_string(h));
        std::vector<std::unique_ptr<FrameRecord>> target;
        target.push_back(FrameRecord::make(RasterImage::make(2, 2, 24), 1));
        ProgressLog log;
        RecordingProgress progress(log);
        EXPECT_EQ(AppendGifFramesFitted(QString::fromStdString(path), w, h, &progress, target), 0);
        EXPECT_EQ(target.size(), 1u);
        EXPECT_EQ(log.advances, 0);
    }
    // A sliver still gets at least one row.
    const std::string thin = writeFile(dir, "thin.gif", solidGif(2000, 1, 2, kRed));
    std::vector<std::unique_ptr<FrameRecord>> target;
    ASSERT_EQ(AppendGifFramesFitted(QString::fromStdString(thin), 20, 20, nullptr, target), 2);
    EXPECT_EQ(target[0]->image->width(), 20);
    EXPECT_EQ(target[0]->image->height(), 20);
}

// Corpus GIFs with several frames, as rows of INDEX.tsv: name, file, frames.
std::vector<std::tuple<std::string, std::string, int>> corpusAnimations(int maxFrames)
{
    std::vector<std::tuple<std::string, std::string, int>> out;
    const std::string corpus = testenv::corpusDir();
    if (corpus.empty())
        return out;
    QFile index(QString::fromStdString(corpus + "/gif/INDEX.tsv"));
    if (!index.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    QTextStream in(&index);
    in.readLine();
    while (!in.atEnd()) {
        const QStringList cols = in.readLine().split(QLatin1Char('\t'));
        if (cols.size() < 7)
            continue;
        const int frames = cols[6].toInt();
        if (frames >= 2 && frames <= maxFrames)
            out.emplace_back(cols[0].toStdString(),
                             corpus + "/gif/" + cols[0].toStdString() + "/" + cols[1].toStdString(), frames);
    }
    return out;
}

// Colour differences between an imported frame and a reference picture, over
// the pixels the reference shows (transparent ones have no colour to compare).
int differingPixels(const RasterImage& frame, const QImage& reference)
{
    const QImage ref = reference.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < ref.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(ref.constScanLine(y));
        for (int x = 0; x < ref.width(); ++x) {
            const QRgb r = line[x];
            if (qAlpha(r) == 0)
                continue;
            const RgbQuad c = frame.getColor(x, y);
            if (c.red != qRed(r) || c.green != qGreen(r) || c.blue != qBlue(r))
                ++differing;
        }
    }
    return differing;
}

// Frames (picture and delay) of a GIF as the decode command writes them; false
// when the command refuses the file.
bool framesFromDecodeCommand(const std::string& path, const std::string& out,
                             std::vector<std::pair<QImage, int>>& frames)
{
    const int rc = testenv::runCommand("'" + testenv::vexloBin() + "' decode '" + path + "' --out '" + out +
                                       "' 2>/dev/null");
    QFile tsv(QString::fromStdString(out + "/frames.tsv"));
    if (rc != 0 || !tsv.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QStringList rows = QString::fromUtf8(tsv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cols = rows[i].split(QLatin1Char('\t'));
        char file[32];
        std::snprintf(file, sizeof file, "/%04d.png", i + 1);
        frames.emplace_back(QImage(QString::fromStdString(out + file)),
                            cols.size() > 1 ? cols[1].toInt() : -1);
    }
    return true;
}

// The same frames decoded in this process (what the decode command runs).
bool framesFromRasterImage(const std::string& path, std::vector<std::pair<QImage, int>>& frames)
{
    RasterImage image;
    image.setRetrieveAllFrames(true);
    if (!image.decodeFile(path, ImageTypeGif))
        return false;
    for (int i = 0; i < image.retrievedFrameCount(); ++i)
        frames.emplace_back(image.frame(i)->toQImage(), image.frame(i)->frameDelay());
    return true;
}

TEST(ImportGifFile, CorpusFramesMatchTheDecodedFrames)
{
    const auto animations = corpusAnimations(50);
    if (animations.empty())
        GTEST_SKIP() << "corpus not found";
    // These go through the decode command itself (each run starts the
    // program); the others are compared with the decoder in this process.
    const std::set<std::string> viaCommand = {
        "ancell-dispose-restore-previous",      "ancell-images-overlap",
        "peterdn-animated_loop_interlaced",     "peterdn-animated_transparent_frame_restoreprev_loop",
        "pillow-dispose_bgnd_transparency",     "pillow-different_transparency",
        "wuffs-artificial-frame-out-of-bounds", "nsgif-waves",
    };
    // Run by hand without the program: everything is compared in this process.
    const bool haveCommand =
        !testenv::vexloBin().empty() && QFile::exists(QString::fromStdString(testenv::vexloBin()));
    testenv::TempDir dir;
    int compared = 0;
    int commandRuns = 0;
    for (const auto& [name, path, declared] : animations) {
        SCOPED_TRACE(name);
        FrameSequence seq;
        CaptionList captions;
        AppSettings settings;
        int count = 0;
        const bool imported =
            ImportGifFile(QString::fromStdString(path), seq, captions, settings, nullptr, &count);

        std::vector<std::pair<QImage, int>> reference;
        bool decoded = false;
        if (haveCommand && viaCommand.count(name)) {
            decoded = framesFromDecodeCommand(path, dir.file(name), reference);
            ++commandRuns;
        } else {
            decoded = framesFromRasterImage(path, reference);
        }
        if (!decoded || reference.size() < 2) {
            EXPECT_FALSE(imported) << (viaCommand.count(name)
                                           ? "the decode command refused the file or did not run"
                                           : "the decoder refused the file");
            continue;
        }
        ASSERT_TRUE(imported);
        ASSERT_EQ(size_t(seq.count()), reference.size());
        EXPECT_EQ(count, seq.count());
        for (int i = 0; i < seq.count(); ++i) {
            const auto& [picture, delay] = reference[size_t(i)];
            const RasterImage* im = seq.FrameImage(i + 1);
            EXPECT_EQ(seq.at(i)->delay, delay < 1 ? 5 : delay) << "frame " << i;
            ASSERT_EQ(im->depth(), 24);
            ASSERT_EQ(im->width(), picture.width());
            ASSERT_EQ(im->height(), picture.height());
            EXPECT_EQ(differingPixels(*im, picture), 0) << "frame " << i;
        }
        ++compared;
    }
    EXPECT_GT(compared, 40);
    if (haveCommand) {
        EXPECT_EQ(commandRuns, int(viaCommand.size()));
    }
}

TEST(ImportGifFile, DamagedFilesAreRefusedOrImportedWhole)
{
    const std::string corpus = testenv::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "corpus not found";
    const QString folder = QString::fromStdString(corpus + "/gif-fuzz/libnsgif-afl/");
    for (int i = 0; i < 400; ++i) {
        const QString path = folder + QString::asprintf("afl_%03d.gif", i);
        if (!QFile::exists(path))
            continue;
        SCOPED_TRACE(path.toStdString());
        Existing state;
        int count = -1;
        if (ImportGifFile(path, state.seq, state.captions, state.settings, nullptr, &count)) {
            EXPECT_GE(count, 2);
            EXPECT_EQ(state.seq.count(), count);
            for (int n = 1; n <= count; ++n)
                EXPECT_EQ(state.seq.FrameImage(n)->depth(), 24);
        } else {
            state.expectUntouched();
        }
        std::vector<std::unique_ptr<FrameRecord>> target;
        const int fitted = AppendGifFramesFitted(path, 31, 25, nullptr, target);
        EXPECT_EQ(size_t(fitted), target.size());
    }
}

// Where nothing is painted, and where disposal 2 clears, an imported frame
// shows the GIF's background colour (global table entry at the background
// index; black without a global table), whether the canvas keeps palette
// indices (one shared table) or colours (a frame with its own table).
TEST(ImportGifFile, BackgroundColourWhereNothingIsPainted)
{
    const std::vector<RgbQuad> palette = {{0, 0, 0, 0},
                                          {0, 0, 255, 0},
                                          {0, 200, 0, 0},
                                          {255, 0, 0, 0}};  // black, red (background), green, blue
    const RgbQuad red = palette[1], green = palette[2], blue = palette[3], black{};
    struct Case {
        const char* name;
        bool localTable;   // second frame brings its own table: the canvas holds colours
        bool globalTable;  // without one the background is black
    } cases[] = {{"shared table", false, true}, {"own table", true, true}, {"no global table", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        giftest::Frame first = giftest::solid(0, 0, 2, 2, 2, 10, 2);   // green corner, cleared afterwards
        giftest::Frame second = giftest::solid(2, 2, 2, 2, 3, 10, 1);  // blue corner
        if (c.localTable)
            second.local = {{0, 0, 0, 0}, {0, 0, 0, 0}, {9, 9, 9, 0}, {255, 0, 0, 0}};
        if (!c.globalTable)
            first.local = palette;
        Bytes gif = giftest::makeGif(4, 4, c.globalTable ? palette : std::vector<RgbQuad>{}, {first, second});
        gif[11] = 1;  // background index: red
        std::vector<std::unique_ptr<FrameRecord>> records;
        GifImportRefusal refusal;
        ASSERT_TRUE(DecodeGifForImport(QByteArray(reinterpret_cast<const char*>(gif.data()), int(gif.size())),
                                       kMaxDecodedBytes, nullptr, records, refusal))
            << refusal.reason.toStdString();
        ASSERT_EQ(records.size(), 2u);
        const RgbQuad background = c.globalTable ? red : black;
        const RasterImage& one = *records[0]->image;
        const RasterImage& two = *records[1]->image;
        ASSERT_EQ(one.depth(), 24);
        ASSERT_EQ(two.depth(), 24);
        EXPECT_EQ(one.getColor(1, 1), green);
        EXPECT_EQ(one.getColor(3, 3), background);  // nothing painted yet
        EXPECT_EQ(one.getColor(3, 0), background);
        EXPECT_EQ(two.getColor(0, 0), background);  // cleared by disposal 2
        EXPECT_EQ(two.getColor(1, 1), background);
        EXPECT_EQ(two.getColor(3, 3), blue);
        EXPECT_EQ(two.getColor(3, 0), background);
    }
}

// The progress window opens before the first frame is decoded, with the range
// of the images the file declares, and advances once per decoded frame; a
// file damaged after two of its three frames imports those two.
TEST(ImportGifFile, ProgressOpensFirstAndAdvancesPerDecodedFrame)
{
    Bytes gif = giftest::makeGif(
        3, 3, {{0, 0, 0, 0}, {0, 0, 255, 0}},
        {giftest::solid(0, 0, 3, 3, 1), giftest::solid(0, 0, 3, 3, 0), giftest::solid(0, 0, 3, 3, 1)});
    // Cut the third image's data short (its descriptor still counts).
    gif.resize(gif.size() - 6);
    struct Progress : ModalProgress {
        std::vector<std::unique_ptr<FrameRecord>>* records;
        QStringList* calls;
        bool beginModal(const QString&, bool) override
        {
            *calls << QStringLiteral("begin after %1 frames").arg(records->size());
            return true;
        }
        void setRange(int lower, int upper, int) override
        {
            *calls << QStringLiteral("range %1 %2").arg(lower).arg(upper);
        }
        void setText(const QString& text) override { *calls << text; }
        bool advance() override
        {
            *calls << QStringLiteral("advance at %1").arg(records->size());
            return true;
        }
    };
    std::vector<std::unique_ptr<FrameRecord>> records;
    QStringList calls;
    const ModalProgressFactory factory = [&] {
        auto p = std::make_unique<Progress>();
        p->records = &records;
        p->calls = &calls;
        return p;
    };
    GifImportRefusal refusal;
    ASSERT_TRUE(DecodeGifForImport(QByteArray(reinterpret_cast<const char*>(gif.data()), int(gif.size())),
                                   kMaxDecodedBytes, factory, records, refusal))
        << refusal.reason.toStdString();
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(calls, (QStringList{"begin after 0 frames", "range 0 4", "Loading...", "advance at 0",
                                  "advance at 1", "advance at 2"}));
}

// The budget counts the 24-bit frames the import makes and its canvases; a
// file over it is refused up front with the reason, before the progress
// window opens, and ImportGifFile then keeps the current frames.
TEST(ImportGifFile, BudgetCountsTheTwentyFourBitFrames)
{
    const Bytes gif = solidGif(64, 32, 5, kRed);
    const QByteArray bytes(reinterpret_cast<const char*>(gif.data()), int(gif.size()));
    const uint64_t needed = GifImportBytes(5, 64, 32);
    EXPECT_GE(needed, uint64_t(5) * 64 * 32 * 3);  // not only the palette frames (5 * 64 * 32 bytes)
    for (const uint64_t budget : {needed - 1, needed}) {
        SCOPED_TRACE(budget);
        ProgressLog log;
        std::vector<std::unique_ptr<FrameRecord>> records;
        GifImportRefusal refusal;
        const bool ok = DecodeGifForImport(bytes, budget, factoryFor(log), records, refusal);
        EXPECT_EQ(ok, budget == needed);
        EXPECT_EQ(records.size(), ok ? 5u : 0u);
        EXPECT_EQ(log.made, ok ? 1 : 0);
        if (!ok) {
            EXPECT_EQ(refusal.kind, GifImportRefusal::TooLarge);
            EXPECT_EQ(refusal.frames, 5);
            EXPECT_EQ(refusal.neededBytes, needed);
            EXPECT_TRUE(refusal.reason.contains(QStringLiteral("5 frames of 64 x 32")))
                << refusal.reason.toStdString();
        }
    }
    // 21 000 frames of 256 x 256 fit when only the 24-bit frames are held;
    // 22 000 do not. A 500-frame 1080p recording opens again.
    EXPECT_LT(GifImportBytes(21000, 256, 256), kMaxImportBytes);
    EXPECT_GT(GifImportBytes(22000, 256, 256), kMaxImportBytes);
    EXPECT_LT(GifImportBytes(500, 1920, 1080), kMaxImportBytes);
    EXPECT_EQ(GifImportBytes(UINT64_MAX / 2, 30000, 30000), UINT64_MAX);

    // Through ImportGifFile: refused with the reason, the current frames kept.
    testenv::TempDir dir;
    std::vector<TestFrame> many(250, TestFrame{0, 0, 1, 1, 10, gdDisposalNone, kRed, {}});
    const std::string path = writeFile(dir, "many.gif", gifBytes(3000, 2000, many));  // over 4 GiB as 24 bits
    Existing state;
    GifImportRefusal reason;
    EXPECT_FALSE(ImportGifFile(QString::fromStdString(path), state.seq, state.captions, state.settings,
                               nullptr, nullptr, &reason));
    state.expectUntouched();
    EXPECT_EQ(reason.kind, GifImportRefusal::TooLarge);
    EXPECT_TRUE(reason.reason.contains(QStringLiteral("250 frames of 3000 x 2000")))
        << reason.reason.toStdString();

    // What the window says: the memory refusals are told with the numbers
    // (the file is not broken); the others are passed over in silence.
    EXPECT_EQ(
        GifImportRefusalMessage(reason),
        QStringLiteral("这个GIF动画有250帧，每帧3000×2000，打开需要%1 MB内存，超过了上限4096 MB，无法打开。")
            .arg(reason.neededBytes >> 20));
    GifImportRefusal other;
    other.kind = GifImportRefusal::OutOfMemory;
    EXPECT_FALSE(GifImportRefusalMessage(other).isEmpty());
    for (const auto kind : {GifImportRefusal::None, GifImportRefusal::NotGif, GifImportRefusal::Unreadable,
                            GifImportRefusal::Damaged, GifImportRefusal::TooFewFrames}) {
        other.kind = kind;
        EXPECT_TRUE(GifImportRefusalMessage(other).isEmpty()) << kind;
    }
}

}  // namespace
