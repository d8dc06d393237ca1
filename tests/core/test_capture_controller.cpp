// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The capture controller without any window: the transitions of the main
// state with a real worker (recording from a fake screen, generation into a
// file), the commands each state refuses, the signals, and the shutdown.
#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "../imaging/gif_test_writer.h"
#include "app/app_settings.h"
#include "capture/capture_controller.h"
#include "capture/frame_sequence.h"
#include "capture/worker_thread.h"
#include "editor/caption_item.h"
#include "editor/caption_list.h"
#include "imaging/raster_image.h"
#include "platform/screen_grabber.h"
#include "platform/window_message.h"
#include "res/resource.h"
#include "test_env.h"
#include "wait_until.h"

namespace {
using testenv::waitUntil;

class GreyGrabber : public ScreenGrabber {
public:
    bool grab(const GrabRect& rect, int, RasterImage& out) override
    {
        std::vector<uint8_t> bgrx(size_t(rect.width()) * size_t(rect.height()) * 4, 0x80);
        return out.fromScreenBits(bgrx.data(), rect.width(), rect.height(), size_t(rect.width()) * 4);
    }
    bool canGrab() const override { return true; }
};

// A controller over its own settings and captions, with every signal logged.
struct Fixture {
    AppSettings settings;
    CaptionList captions;
    CaptureController controller;
    std::vector<CaptureState> states;
    std::vector<int> counts;
    std::vector<int> percents;
    int stopped = 0;
    int generatedCount = 0;
    bool generatedOk = false;

    Fixture() : controller(settings, captions, std::make_unique<GreyGrabber>())
    {
        settings.rate1 = 25;
        controller.setCaptureRect(CaptureRect{10, 20, 74, 68});
        QObject::connect(&controller, &CaptureController::stateChanged,
                         [this](CaptureState s) { states.push_back(s); });
        QObject::connect(&controller, &CaptureController::frameCountChanged,
                         [this](int n) { counts.push_back(n); });
        QObject::connect(&controller, &CaptureController::progressChanged,
                         [this](int p) { percents.push_back(p); });
        QObject::connect(&controller, &CaptureController::captureStopped, [this] { ++stopped; });
        QObject::connect(&controller, &CaptureController::generated, [this](const QString&, bool ok) {
            ++generatedCount;
            generatedOk = ok;
        });
        EXPECT_TRUE(controller.startWorker());
    }

    // Records until at least `frames` frames were grabbed, then stops and waits for the answer.
    void record(int frames)
    {
        ASSERT_TRUE(controller.startRecording());
        ASSERT_TRUE(waitUntil([&] { return controller.frameCount() >= frames; }));
        ASSERT_TRUE(controller.requestStop());
        ASSERT_TRUE(waitUntil([&] { return controller.state() == CaptureState::Stopped; }));
    }
};

// A three-frame 4x3 GIF at `path`.
void writeThreeFrameGif(const std::string& path)
{
    giftest::Frame frame;
    frame.width = 4;
    frame.height = 3;
    frame.delay = 7;
    frame.pixels.assign(12, 1);
    const RgbQuad black{0, 0, 0, 0};
    const RgbQuad red{0, 0, 255, 0};
    const std::vector<uint8_t> bytes = giftest::makeGif(4, 3, {black, red}, {frame, frame, frame});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void addCaption(CaptionList& captions)
{
    auto item = std::make_unique<CaptionItem>();
    captions.append(std::move(item));
}

}  // namespace

TEST(CaptureController, StartsIdleAndRefusesWhatIdleDoesNotAllow)
{
    Fixture f;
    EXPECT_EQ(f.controller.state(), CaptureState::Idle);
    EXPECT_FALSE(f.controller.busy());
    EXPECT_FALSE(f.controller.requestStop());
    EXPECT_FALSE(f.controller.startGeneration(96));
    EXPECT_EQ(f.controller.state(), CaptureState::Idle);
    EXPECT_TRUE(f.controller.outputPath().isEmpty());
    EXPECT_TRUE(f.states.empty());
    // A worker report that does not fit the state changes nothing.
    sendWindowMessage(&f.controller, UM_CAPTURE_STOPPED);
    sendWindowMessage(&f.controller, UM_GENERATED);
    EXPECT_EQ(f.controller.state(), CaptureState::Idle);
    EXPECT_EQ(f.stopped, 0);
    EXPECT_EQ(f.generatedCount, 0);
}

TEST(CaptureController, RecordingStopsOnlyWhenTheWorkerAnswers)
{
    Fixture f;
    f.settings.filterNumber = 3;
    addCaption(f.captions);
    ASSERT_TRUE(f.controller.startRecording());
    EXPECT_EQ(f.controller.state(), CaptureState::Recording);
    EXPECT_TRUE(f.controller.busy());
    EXPECT_EQ(f.settings.filterNumber, 0);
    // Nothing else starts while recording.
    EXPECT_FALSE(f.controller.startRecording());
    EXPECT_FALSE(f.controller.startGeneration(96));
    EXPECT_FALSE(f.controller.noteImportAttempt(5));
    EXPECT_FALSE(f.controller.importGif(QStringLiteral("nothing.gif")));

    ASSERT_TRUE(waitUntil([&] { return f.controller.frameCount() >= 3; }));
    ASSERT_TRUE(f.controller.requestStop());
    EXPECT_TRUE(f.controller.stopRequested());
    EXPECT_EQ(f.controller.state(), CaptureState::Recording);  // only requested
    EXPECT_FALSE(f.controller.requestStop());                  // once
    ASSERT_TRUE(waitUntil([&] { return f.controller.state() == CaptureState::Stopped; }));
    EXPECT_EQ(f.stopped, 1);
    EXPECT_FALSE(f.controller.stopRequested());
    EXPECT_FALSE(f.controller.blinkOn());
    EXPECT_EQ(f.captions.count(), 0);  // they belonged to the replaced frames
    EXPECT_EQ(f.states, (std::vector<CaptureState>{CaptureState::Recording, CaptureState::Stopped}));
    // The counts as the worker reported them, from the reset at the start.
    ASSERT_GE(f.counts.size(), 4u);
    EXPECT_EQ(f.counts.front(), 0);
    EXPECT_EQ(f.counts.back(), f.controller.frameCount());
    EXPECT_EQ(f.controller.sequence().count(), f.controller.frameCount());
    // The worker grabbed the capture region.
    EXPECT_EQ(f.controller.sequence().FrameImage(1)->width(), 64);
    EXPECT_EQ(f.controller.sequence().FrameImage(1)->height(), 48);
}

TEST(CaptureController, BlinkFollowsTheFrameCountWhileRecording)
{
    Fixture f;
    f.settings.rate1 = 20;
    ASSERT_TRUE(f.controller.startRecording());
    struct Case {
        int frames;
        bool on;
    };
    for (const Case c : {Case{4, true}, Case{6, false}, Case{11, false}, Case{12, true}}) {
        sendWindowMessage(&f.controller, UM_FRAME_COUNT, 0, c.frames);
        EXPECT_EQ(f.controller.blinkOn(), c.on) << c.frames;
        EXPECT_EQ(f.controller.barStatus().blinkOn, c.on) << c.frames;
        EXPECT_EQ(f.controller.barStatus().frameCount, c.frames);
    }
    ASSERT_TRUE(f.controller.requestStop());
    ASSERT_TRUE(waitUntil([&] { return f.controller.state() == CaptureState::Stopped; }));
    EXPECT_FALSE(f.controller.blinkOn());
}

TEST(CaptureController, GenerationRunsFromStoppedAndOwnsItsOutput)
{
    Fixture f;
    f.record(3);
    ASSERT_TRUE(f.controller.startGeneration(96));
    EXPECT_EQ(f.controller.state(), CaptureState::Generating);
    EXPECT_TRUE(f.controller.busy());
    EXPECT_FALSE(f.controller.startRecording());
    EXPECT_FALSE(f.controller.toggleRecording());
    EXPECT_FALSE(f.controller.startGeneration(96));
    const QString first = f.controller.outputPath();
    ASSERT_FALSE(first.isEmpty());
    ASSERT_TRUE(waitUntil([&] { return f.generatedCount == 1; }));
    EXPECT_EQ(f.controller.state(), CaptureState::Stopped);
    EXPECT_TRUE(f.generatedOk);
    EXPECT_TRUE(f.controller.lastGenerationSucceeded());
    EXPECT_TRUE(QFile::exists(first));
    ASSERT_FALSE(f.percents.empty());
    EXPECT_EQ(f.percents.front(), 0);
    EXPECT_EQ(f.percents.back(), 100);
    EXPECT_EQ(f.controller.percentage(), 100);

    // The next generation deletes the previous file.
    testenv::TempDir dir;
    const QString previous = QString::fromStdString(dir.file("previous.gif"));
    ASSERT_TRUE(QFile(previous).open(QIODevice::WriteOnly));
    QFile::remove(first);
    f.controller.setOutputPath(previous);
    ASSERT_TRUE(f.controller.startGeneration(96));
    const QString second = f.controller.outputPath();
    EXPECT_FALSE(QFile::exists(previous));
    ASSERT_TRUE(waitUntil([&] { return f.generatedCount == 2; }));
    EXPECT_TRUE(QFile::exists(second));
    f.controller.deleteOutput();
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_EQ(f.controller.outputPath(), second);
}

TEST(CaptureController, ProgressMeansGeneratingFromAnyState)
{
    Fixture f;
    sendWindowMessage(&f.controller, UM_PROGRESS, 0, 42);
    EXPECT_EQ(f.controller.state(), CaptureState::Generating);
    EXPECT_EQ(f.controller.percentage(), 42);
    EXPECT_EQ(f.controller.barStatus().percentage, 42);
    sendWindowMessage(&f.controller, UM_GENERATED);
    EXPECT_EQ(f.controller.state(), CaptureState::Stopped);
    EXPECT_EQ(f.generatedCount, 1);
}

TEST(CaptureController, AnImportAttemptStopsWhateverItsResult)
{
    Fixture f;
    testenv::TempDir dir;
    const QString png = QString::fromStdString(dir.file("picture.png"));
    QFile(png).open(QIODevice::WriteOnly);
    EXPECT_FALSE(f.controller.importGif(png));
    EXPECT_EQ(f.controller.state(), CaptureState::Stopped);
    EXPECT_EQ(f.controller.frameCount(), 0);
    EXPECT_EQ(f.states, (std::vector<CaptureState>{CaptureState::Stopped}));

    // A refused import keeps the frames of the recording.
    f.record(2);
    const int frames = f.controller.sequence().count();
    EXPECT_FALSE(f.controller.importGif(png));
    EXPECT_EQ(f.controller.sequence().count(), frames);
    EXPECT_TRUE(f.controller.noteImportAttempt(7));
    EXPECT_EQ(f.controller.frameCount(), 7);

    // A GIF replaces the frames and the captions.
    const std::string gif = dir.file("three.gif");
    writeThreeFrameGif(gif);
    addCaption(f.captions);
    EXPECT_TRUE(f.controller.importGif(QString::fromStdString(gif)));
    EXPECT_EQ(f.controller.state(), CaptureState::Stopped);
    EXPECT_EQ(f.controller.frameCount(), 3);
    EXPECT_EQ(f.controller.sequence().count(), 3);
    EXPECT_EQ(f.captions.count(), 0);
}

TEST(CaptureController, BarStatusCarriesWhatTheBarsShow)
{
    Fixture f;
    f.settings.windows10 = true;
    f.settings.dpiRatio = 1.5f;
    f.settings.uiScale = 2.0f;
    const CaptureBarStatus s = f.controller.barStatus();
    EXPECT_EQ(s.state, CaptureState::Idle);
    EXPECT_EQ(s.captureRect, (CaptureRect{10, 20, 74, 68}));
    EXPECT_EQ(s.rate, 25);
    EXPECT_TRUE(s.windows10);
    EXPECT_FLOAT_EQ(s.dpiRatio, 1.5f);
    EXPECT_FLOAT_EQ(s.uiScale, 2.0f);
}

TEST(CaptureController, ShutdownEndsTheWorkerAndRefusesCommands)
{
    Fixture f;
    ASSERT_TRUE(f.controller.startRecording());
    ASSERT_TRUE(waitUntil([&] { return f.controller.frameCount() >= 1; }));
    f.controller.shutdown();
    EXPECT_TRUE(f.controller.isShutDown());
    EXPECT_FALSE(f.controller.worker().isRunning());
    EXPECT_FALSE(f.controller.requestStop());
    EXPECT_FALSE(f.controller.startWorker());
    f.controller.shutdown();  // twice is harmless
}
