// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The preview's core pieces: placement and layout arithmetic, the information
// line, the notice rule, measuring a GIF, saving a copy, the clipboard data,
// help page paths and starting a generation on the worker.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <functional>
#include <iterator>
#include <thread>

#include "app/app_settings.h"
#include "capture/frame_record.h"
#include "capture/frame_sequence.h"
#include "capture/generation_start.h"
#include "capture/worker_thread.h"
#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/generation_settings.h"
#include "gif/gif_generator.h"
#include "imaging/raster_image.h"
#include "platform/null_screen_grabber.h"
#include "res/resource.h"
#include "share/gif_clipboard.h"
#include "share/gif_file_copy.h"
#include "share/gif_file_info.h"
#include "share/help_pages.h"
#include "share/preview_geometry.h"
#include "share/preview_icons.h"
#include "test_env.h"

namespace {

std::unique_ptr<RasterImage> solid(int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    auto img = RasterImage::make(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->setColor(x, y, RgbQuad{b, g, r, 0});
    return img;
}

// A GIF of `frames` differently coloured w x h frames.
QString writeGif(const std::string& path, int w, int h, int frames)
{
    FrameSequence seq;
    seq.SetFrameRectangle(0, 0, w, h, 0);
    for (int i = 0; i < frames; ++i)
        seq.append(FrameRecord::make(solid(w, h, uint8_t(40 * i), 200, uint8_t(255 - 40 * i)), 10));
    CaptionList captions;
    GenerationSettings settings;
    settings.outputPath = QString::fromStdString(path);
    FrameSequenceSource source(seq);
    EXPECT_TRUE(GifGenerator::generate(source, captions, settings, 0, false, {}));
    return settings.outputPath;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

}  // namespace

TEST(PreviewGeometry, SizeOfANewlyShownPreview)
{
    // A small GIF: the minimums.
    EXPECT_EQ(previewgeo::windowSize(100, 80, 20, 60, 0), QSize(300, 180));
    EXPECT_EQ(previewgeo::windowSize(100, 20, 20, 10, 0), QSize(300, 150));
    // The capture frame makes it taller: 3 x 60 + 250.
    EXPECT_EQ(previewgeo::windowSize(100, 80, 20, 60, 250), QSize(300, 430));
    // A large GIF: its own size plus the margins.
    EXPECT_EQ(previewgeo::windowSize(480, 270, 23, 60, 100), QSize(540, 362));
}

TEST(PreviewGeometry, PlacedRightOfTheTopBarOrAtHundredHundred)
{
    EXPECT_EQ(previewgeo::windowPosition(QRect(300, 200, 320, 60)), QPoint(620, 200));
    EXPECT_EQ(previewgeo::windowPosition(QRect(680, 0, 320, 60)), QPoint(1000, 0));
    EXPECT_EQ(previewgeo::windowPosition(QRect(681, 0, 320, 60)), QPoint(100, 100));    // right edge 1001
    EXPECT_EQ(previewgeo::windowPosition(QRect(-400, 10, 320, 60)), QPoint(100, 100));  // right edge < 0
    EXPECT_EQ(previewgeo::windowPosition(QRect(0, 700, 320, 60)), QPoint(320, 700));
    EXPECT_EQ(previewgeo::windowPosition(QRect(0, 701, 320, 60)), QPoint(100, 100));
    EXPECT_EQ(previewgeo::windowPosition(QRect(0, -1, 320, 60)), QPoint(100, 100));
}

TEST(PreviewGeometry, LayoutBands)
{
    const previewgeo::Layout l = previewgeo::layoutControls(QSize(400, 300), 31, {70, 80, 90, 60});
    EXPECT_EQ(l.view, QRect(0, 0, 400, 236));
    EXPECT_EQ(l.info, QRect(5, 236, 400, 32));
    ASSERT_EQ(l.buttons.size(), 4u);
    EXPECT_EQ(l.buttons[0], QPoint(1, 268));
    EXPECT_EQ(l.buttons[1], QPoint(72, 268));
    EXPECT_EQ(l.buttons[2], QPoint(153, 268));
    EXPECT_EQ(l.buttons[3], QPoint(244, 268));
}

TEST(PreviewGeometry, InformationLineAndNoticeRule)
{
    EXPECT_EQ(previewgeo::infoLine(1534.2f, 480, 270, 57), QStringLiteral("1534.2K, 480*270, 57 frames"));
    EXPECT_EQ(previewgeo::infoLine(0.0f, 10, 10, 1), QStringLiteral("0.0K, 10*10, 1 frames"));
    EXPECT_FALSE(sizeNoticeDue(true, 2000.0f));
    EXPECT_TRUE(sizeNoticeDue(true, 2000.1f));
    EXPECT_FALSE(sizeNoticeDue(false, 2000.1f));
    EXPECT_FALSE(sizeNoticeDue(true, 1999.9f));
}

TEST(GifFileInfo, MeasuresFramesSizeAndKilobytes)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("m.gif"), 100, 80, 3);
    const auto info = measureGifFile(gif);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->frames, 3);
    EXPECT_EQ(info->width, 100);
    EXPECT_EQ(info->height, 80);
    EXPECT_FLOAT_EQ(info->sizeKb, float(double(QFileInfo(gif).size()) / 1024.0));

    // Padded after its end to exactly 2000.0 KB and a little more: it still decodes.
    QByteArray bytes = readAll(gif);
    const QString padded = QString::fromStdString(dir.file("p.gif"));
    writeBytes(padded, bytes + QByteArray(2048000 - bytes.size(), '\0'));
    auto big = measureGifFile(padded);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->sizeKb, 2000.0f);
    EXPECT_FALSE(sizeNoticeDue(true, big->sizeKb));
    writeBytes(padded, bytes + QByteArray(2048103 - bytes.size(), '\0'));
    big = measureGifFile(padded);
    ASSERT_TRUE(big);
    EXPECT_EQ(previewgeo::infoLine(big->sizeKb, 1, 1, 1).left(7), QStringLiteral("2000.1K"));
    EXPECT_TRUE(sizeNoticeDue(true, big->sizeKb));

    // Not a GIF, or no file: no preview; the size of a missing file is 0.
    const QString junk = QString::fromStdString(dir.file("junk.gif"));
    writeBytes(junk, "GIF89a but not really");
    EXPECT_FALSE(measureGifFile(junk));
    EXPECT_FALSE(measureGifFile(QString::fromStdString(dir.file("none.gif"))));
    EXPECT_EQ(gifFileSizeKb(QString::fromStdString(dir.file("none.gif"))), 0.0f);
}

TEST(GifFileCopy, CopiesReplacesAndNeverTruncatesItsSource)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("src.gif"), 60, 50, 2);
    const QByteArray original = readAll(gif);
    ASSERT_FALSE(original.isEmpty());

    const QString dst = QString::fromStdString(dir.file("copy.gif"));
    EXPECT_EQ(copyGifFile(gif, dst), GifCopyResult::Copied);
    EXPECT_EQ(readAll(dst), original);
    // Replacing a longer file leaves exactly the GIF.
    writeBytes(dst, QByteArray(original.size() * 3, 'x'));
    EXPECT_EQ(copyGifFile(gif, dst), GifCopyResult::Copied);
    EXPECT_EQ(readAll(dst), original);

    // Onto itself, by the same name, another spelling, a symbolic link or a hard link.
    const QString other = QString::fromStdString(dir.path() + "/./src.gif");
    const QString sym = QString::fromStdString(dir.file("sym.gif"));
    const QString hard = QString::fromStdString(dir.file("hard.gif"));
    ASSERT_EQ(symlink(dir.file("src.gif").c_str(), sym.toStdString().c_str()), 0);
    ASSERT_EQ(link(dir.file("src.gif").c_str(), hard.toStdString().c_str()), 0);
    for (const QString& self : {gif, other, sym, hard}) {
        EXPECT_EQ(copyGifFile(gif, self), GifCopyResult::SameFile) << self.toStdString();
        EXPECT_EQ(readAll(gif), original) << self.toStdString();
    }

    // A folder that cannot be written, and a source that is gone.
    const std::string locked = dir.file("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0500), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(copyGifFile(gif, QString::fromStdString(locked + "/x.gif")), GifCopyResult::AccessDenied);
    }
    EXPECT_EQ(copyGifFile(QString::fromStdString(dir.file("gone.gif")), dst), GifCopyResult::AccessDenied);
    EXPECT_EQ(readAll(dst), original);  // a failed copy from nothing leaves the old file
    chmod(locked.c_str(), 0700);
}

TEST(GifClipboard, GifBytesFileUrlAndFirstFrame)
{
    testenv::TempDir dir;
    const QString gif = writeGif(dir.file("clip.gif"), 40, 30, 2);
    const std::unique_ptr<QMimeData> data = gifMimeData(gif);
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/gif")));
    EXPECT_EQ(data->data(QStringLiteral("image/gif")), readAll(gif));
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls()[0], QUrl::fromLocalFile(QFileInfo(gif).absoluteFilePath()));
    EXPECT_TRUE(data->urls()[0].toString().startsWith(QStringLiteral("file:///")));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("text/uri-list")));
    ASSERT_TRUE(data->hasImage());
    const QImage first = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(first.size(), QSize(40, 30));
    EXPECT_EQ(QColor(first.pixel(5, 5)), QColor(0, 200, 255));
    // Nothing for a file that is gone.
    EXPECT_FALSE(gifMimeData(QString::fromStdString(dir.file("gone.gif"))));
}

TEST(HelpPages, BesideTheProgramAndOpenedThroughTheOpener)
{
    const QString path = helpPagePath(QStringLiteral("vx_reduce.htm"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/help/vx_reduce.htm")));
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();  // the build folder's pages
    const QUrl url = helpPageUrl(QStringLiteral("vx_reduce.htm"));
    EXPECT_TRUE(url.isLocalFile());
    QUrl opened;
    openHelpPage(QStringLiteral("vx_speed.htm"), [&](const QUrl& u) {
        opened = u;
        return false;  // a failure is only logged
    });
    EXPECT_TRUE(opened.toLocalFile().endsWith(QStringLiteral("help/vx_speed.htm")));
    // The icons are 24 x 24 and not empty.
    for (PreviewIcon i : {PreviewIcon::Edit, PreviewIcon::Compress, PreviewIcon::Save, PreviewIcon::Help}) {
        const QImage icon = previewIcon(i);
        EXPECT_EQ(icon.size(), QSize(24, 24));
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                opaque += qAlpha(icon.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 20);
    }
}

TEST(GenerationStart, DeletesThePreviousOutputWritesTheSettingsAndGenerates)
{
    testenv::TempDir dir;
    const QString previous = QString::fromStdString(dir.file("previous.gif"));
    writeBytes(previous, "old");

    CWorkerThread worker(std::make_unique<NullScreenGrabber>());
    CaptionList captions;
    worker.setCaptionList(&captions);
    std::atomic<int> generated{0};
    std::atomic<int> lastProgress{-1};
    worker.setMessageSink([&](int id, intptr_t, intptr_t l) {
        if (id == UM_GENERATED)
            ++generated;
        else if (id == UM_PROGRESS)
            lastProgress = int(l);
    });
    worker.SetFrameRectangle(0, 0, 640, 480, 0);
    for (int i = 0; i < 2; ++i)
        worker.sequence().append(FrameRecord::make(solid(640, 480, 10, uint8_t(100 + 50 * i), 30), 10));

    AppSettings settings;
    settings.outputScale = 321.0f / 640.0f;  // OK with 321 in the size dialog
    settings.playOnce = true;
    settings.whiteBk = true;
    settings.file = false;
    settings.filterNumber = 0;
    settings.txtEnableLogo = true;
    settings.logoText = QStringLiteral("vx");
    ASSERT_TRUE(worker.startWorker());
    const QString out = startGifGeneration(worker, settings, previous, 96);
    EXPECT_FALSE(QFile::exists(previous));
    EXPECT_TRUE(QFileInfo(out).fileName().contains(
        QRegularExpression(QStringLiteral("^\\d+-\\d+-\\d+-\\d+-\\d+-\\d+\\.gif$"))))
        << out.toStdString();
    // In this user's own folder inside the temporary folder.
    EXPECT_EQ(QFileInfo(out).absolutePath(), privateOutputFolder(QDir::tempPath()));
    EXPECT_EQ(QFileInfo(QFileInfo(out).absolutePath()).fileName(), QStringLiteral("vexlo-%1").arg(geteuid()));

    for (int i = 0; i < 500 && generated == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(generated, 1);
    EXPECT_EQ(lastProgress, 100);
    const GenerationSettings& g = worker.generationSettings();
    EXPECT_EQ(g.outputPath, out);
    EXPECT_FLOAT_EQ(g.outputScale, 321.0f / 640.0f);
    EXPECT_TRUE(g.playOnce);
    EXPECT_TRUE(g.keepWhite);
    EXPECT_TRUE(g.textWatermark.enabled);
    const auto info = measureGifFile(out);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 321);
    EXPECT_EQ(info->height, 241);
    worker.quitAndJoin();
    QFile::remove(out);
}

TEST(GenerationStart, OutputFolderIsPrivate)
{
    testenv::TempDir dir;
    const QString temp = QString::fromStdString(dir.path());
    const QString own = temp + QStringLiteral("/vexlo-%1").arg(geteuid());
    auto mode = [](const QString& path) {
        struct stat st {};
        return lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode) : -1;
    };
    auto isFreshPrivate = [&](const QString& folder) {
        const int m = mode(folder);
        return folder != own && QFileInfo(folder).absolutePath() == temp && m >= 0 && S_ISDIR(m) &&
               (m & 0777) == 0700;
    };
    // Made when missing, kept when it is ours and closed.
    ASSERT_EQ(privateOutputFolder(temp), own);
    EXPECT_EQ(mode(own) & 0777, 0700);
    EXPECT_EQ(privateOutputFolder(temp), own);
    // Readable by others, a link, or a file under that name: a new folder instead.
    const std::function<void()> plants[] = {
        [&] { QFile::setPermissions(own, QFileDevice::Permissions(0x7755)); },
        [&] {
            QDir(own).removeRecursively();
            QDir().mkpath(temp + "/elsewhere");
            ASSERT_TRUE(QFile::link(temp + "/elsewhere", own));
        },
        [&] {
            QFile::remove(own);
            writeBytes(own, "x");
        },
    };
    for (size_t i = 0; i < std::size(plants); ++i) {
        plants[i]();
        const QString folder = privateOutputFolder(temp);
        EXPECT_TRUE(isFreshPrivate(folder)) << i << " " << folder.toStdString();
    }
    // No folder can be made at all.
    EXPECT_TRUE(privateOutputFolder(temp + "/missing/deeper").isEmpty());
}

TEST(GenerationStart, OutputNameIsReservedSoTwoGenerationsNeverShareIt)
{
    testenv::TempDir dir;
    const QString wanted = QString::fromStdString(dir.file("4-46-4-12-10-28154.gif"));
    const QString first = reserveOutputPath(wanted);
    const QString second = reserveOutputPath(wanted);  // same second, same number
    EXPECT_EQ(first, wanted);
    EXPECT_NE(second, first);
    EXPECT_TRUE(QFileInfo(second).fileName().startsWith(QStringLiteral("4-46-4-12-10-")));
    EXPECT_TRUE(QFileInfo(second).fileName().endsWith(QStringLiteral(".gif")));
    EXPECT_EQ(QFileInfo(second).absolutePath(), QFileInfo(first).absolutePath());
    for (const QString& p : {first, second}) {
        EXPECT_TRUE(QFileInfo::exists(p));
        EXPECT_EQ(QFileInfo(p).size(), 0);
    }
    // The usual permissions: a saved copy is readable like any other file.
    const mode_t mask = umask(022);
    const QString third = reserveOutputPath(wanted);
    umask(mask);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(third).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    // Nowhere to create it: the path comes back unchanged.
    const QString nowhere = QString::fromStdString(dir.file("missing/x-1.gif"));
    EXPECT_EQ(reserveOutputPath(nowhere), nowhere);
}
