// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The worker: recording paced by its clock (with a fake grabber and a fake
// clock, so nothing waits in real time), stop and quit, generation reports;
// and the pointer track drawn into frames.
#include <gtest/gtest.h>

#include <QFile>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "capture/worker_thread.h"
#include "editor/caption_list.h"
#include "imaging/raster_image.h"
#include "platform/pointer_track.h"
#include "platform/screen_grabber.h"
#include "res/resource.h"
#include "test_env.h"

namespace {

// Time moves only when the worker sleeps or a grab takes time.
class FakePacer : public WorkerPacer {
public:
    int64_t nowUs() override { return now.load() * 1000 + extraUs.load(); }
    void sleepMs(int64_t ms) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        sleeps.push_back(ms);
        now += ms;
    }
    std::atomic<int64_t> now{1000};   // milliseconds
    std::atomic<int64_t> extraUs{0};  // and microseconds on top
    std::mutex mutex;
    std::vector<int64_t> sleeps;
};

// Frames of 4 x 3 pixels whose blue value is the grab number; every grab takes
// grabMs of the fake clock; grabs listed in `failing` fail.
class FakeGrabber : public ScreenGrabber {
public:
    explicit FakeGrabber(FakePacer* pacer, int grabMs = 10) : pacer_(pacer), grabMs_(grabMs) {}
    bool grab(const GrabRect& rect, int mode, RasterImage& out) override
    {
        const int n = ++grabs;
        lastRect = rect;
        lastMode = mode;
        pacer_->now += grabMs_;
        pacer_->extraUs += grabExtraUs;
        if (failAll || (failEven && n % 2 == 0))
            return false;
        std::vector<uint8_t> bgrx(4 * 3 * 4, 0);
        for (size_t i = 0; i < bgrx.size(); i += 4)
            bgrx[i] = uint8_t(n);
        return out.fromScreenBits(bgrx.data(), 4, 3, 16);
    }
    bool canGrab() const override { return true; }
    void recordingEnded() override { ++ended; }
    std::atomic<int> grabs{0};
    std::atomic<int> ended{0};
    GrabRect lastRect;
    int lastMode = -1;
    bool failEven = false;
    std::atomic<bool> failAll{false};
    int grabExtraUs = 0;  // microseconds a grab takes beyond grabMs

private:
    FakePacer* pacer_;
    int grabMs_;
};

// Collects the worker's reports and lets the test wait for them.
struct Reports {
    std::mutex mutex;
    std::condition_variable cv;
    std::vector<std::pair<int, intptr_t>> messages;
    void add(int id, intptr_t l)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            messages.emplace_back(id, l);
        }
        cv.notify_all();
    }
    // Waits (at most 10 s) until pred holds over the messages.
    template <typename Pred>
    bool waitFor(Pred pred)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return cv.wait_for(lock, std::chrono::seconds(10), [&] { return pred(messages); });
    }
    static int count(const std::vector<std::pair<int, intptr_t>>& m, int id)
    {
        int n = 0;
        for (const auto& e : m)
            n += e.first == id;
        return n;
    }
    static intptr_t lastValue(const std::vector<std::pair<int, intptr_t>>& m, int id)
    {
        intptr_t v = -1;
        for (const auto& e : m)
            if (e.first == id)
                v = e.second;
        return v;
    }
};

struct WorkerFixture {
    WorkerFixture(int grabMs = 10)
    {
        auto pacerPtr = std::make_unique<FakePacer>();
        pacer = pacerPtr.get();
        auto grabberPtr = std::make_unique<FakeGrabber>(pacer, grabMs);
        grabber = grabberPtr.get();
        worker = std::make_unique<CWorkerThread>(std::move(grabberPtr));
        worker->setPacer(std::move(pacerPtr));
        worker->setCaptionList(&captions);
        worker->setMessageSink([this](int id, intptr_t, intptr_t l) { reports.add(id, l); });
    }
    // Records until `frames` frame counts were reported, then stops and waits
    // for the answer.
    void recordFrames(bool lastTen, int msPerFrame, int frames)
    {
        worker->post(UM_START_CAPTURE, lastTen ? 1 : 0, msPerFrame);
        ASSERT_TRUE(
            reports.waitFor([&](const auto& m) { return Reports::lastValue(m, UM_FRAME_COUNT) >= frames; }));
        worker->post(UM_STOP_CAPTURE);
        ASSERT_TRUE(
            reports.waitFor([](const auto& m) { return Reports::count(m, UM_CAPTURE_STOPPED) == 1; }));
    }
    CaptionList captions;
    Reports reports;
    FakePacer* pacer = nullptr;
    FakeGrabber* grabber = nullptr;
    std::unique_ptr<CWorkerThread> worker;
};

}  // namespace

TEST(WorkerThread, DelaysAndPacingFollowTheRate)
{
    WorkerFixture f(10);
    ASSERT_TRUE(f.worker->SetFrameRectangle(10, 20, 14, 23, 3));
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 333, 3);                    // 3 frames per second
    const FrameSequence& seq = f.worker->sequence();  // the worker is idle now
    ASSERT_GE(seq.count(), 3);
    for (const auto& rec : seq) {
        EXPECT_EQ(rec->delay, 33);
        EXPECT_TRUE(rec->included());
    }
    EXPECT_EQ(seq.fps(), 3);
    EXPECT_EQ(f.grabber->lastRect.left, 10);
    EXPECT_EQ(f.grabber->lastRect.bottom, 23);
    EXPECT_EQ(f.grabber->lastMode, 3);
    // Each tick sleeps the rest of the 333 ms interval after a 10 ms grab.
    std::lock_guard<std::mutex> lock(f.pacer->mutex);
    ASSERT_FALSE(f.pacer->sleeps.empty());
    for (int64_t s : f.pacer->sleeps)
        EXPECT_EQ(s, 323);
    // The frames are the grabs in order.
    EXPECT_EQ(seq.at(0)->image->getColor(0, 0).blue, 1);
    EXPECT_EQ(seq.at(2)->image->getColor(3, 2).blue, 3);
}

TEST(WorkerThread, GrabTimeIsTruncatedToWholeMilliseconds)
{
    // 0.2 ms grabs starting at 0.9 ms past a whole millisecond: some of them
    // cross a millisecond boundary, but none lasts a whole millisecond.
    WorkerFixture f(0);
    f.pacer->extraUs = 900;
    f.grabber->grabExtraUs = 200;
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 50, 12);
    std::lock_guard<std::mutex> lock(f.pacer->mutex);
    ASSERT_GE(f.pacer->sleeps.size(), 11u);
    for (int64_t s : f.pacer->sleeps)
        EXPECT_EQ(s, 50);
}

TEST(WorkerThread, SlowGrabsAreNotMadeUpFor)
{
    WorkerFixture f(70);  // longer than the 40 ms interval of 25 fps
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 40, 4);
    std::lock_guard<std::mutex> lock(f.pacer->mutex);
    EXPECT_TRUE(f.pacer->sleeps.empty());
    for (const auto& rec : f.worker->sequence())
        EXPECT_EQ(rec->delay, 4);
}

TEST(WorkerThread, LastTenSecondsKeepsTenFramesAtOneFps)
{
    WorkerFixture f;
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(true, 1000, 15);
    const FrameSequence& seq = f.worker->sequence();
    EXPECT_EQ(seq.count(), 10);
    // The count reported kept rising past the ten kept frames.
    std::lock_guard<std::mutex> lock(f.reports.mutex);
    intptr_t previous = 0;
    for (const auto& m : f.reports.messages) {
        if (m.first != UM_FRAME_COUNT)
            continue;
        EXPECT_EQ(m.second, previous + 1);
        previous = m.second;
    }
    EXPECT_GE(previous, 15);
    // The oldest frames went: the last kept one is the last grab.
    EXPECT_EQ(seq.at(9)->image->getColor(0, 0).blue, uint8_t(previous));
    EXPECT_EQ(seq.at(0)->image->getColor(0, 0).blue, uint8_t(previous - 9));
    EXPECT_EQ(seq.at(0)->delay, 100);
}

TEST(WorkerThread, StopBeforeTheFirstTickLeavesNoFrame)
{
    WorkerFixture f;
    // Frames from an earlier recording are replaced by the new (empty) one.
    f.worker->sequence().append(FrameRecord::make(RasterImage::make(2, 2, 24), 5));
    // Both are queued before the thread runs: the first tick comes after the stop.
    f.worker->post(UM_START_CAPTURE, 0, 50);
    f.worker->post(UM_STOP_CAPTURE);
    ASSERT_TRUE(f.worker->startWorker());
    ASSERT_TRUE(f.reports.waitFor([](const auto& m) { return Reports::count(m, UM_CAPTURE_STOPPED) == 1; }));
    f.worker->quitAndJoin();
    EXPECT_EQ(f.grabber->grabs.load(), 0);
    EXPECT_EQ(f.grabber->ended.load(), 1);  // the grabber hears of every stop
    std::lock_guard<std::mutex> lock(f.reports.mutex);
    EXPECT_EQ(Reports::count(f.reports.messages, UM_FRAME_COUNT), 0);
}

TEST(WorkerThread, FailedGrabsAddNothingAndKeepThePace)
{
    WorkerFixture f(5);
    f.grabber->failEven = true;
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 100, 3);
    const int grabs = f.grabber->grabs.load();
    const FrameSequence& seq = f.worker->sequence();
    EXPECT_EQ(seq.count(), (grabs + 1) / 2);
    for (const auto& rec : seq)
        EXPECT_EQ(rec->image->getColor(0, 0).blue % 2, 1);
    std::lock_guard<std::mutex> lock(f.pacer->mutex);
    for (int64_t s : f.pacer->sleeps)
        EXPECT_EQ(s, 95);
}

TEST(WorkerThread, UnusablePeriodRecordsOneFramePerSecond)
{
    WorkerFixture f;
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 0, 2);
    EXPECT_EQ(f.worker->sequence().fps(), 1);
    EXPECT_EQ(f.worker->sequence().at(0)->delay, 100);
}

TEST(WorkerThread, QuitClearsTheSequence)
{
    WorkerFixture f;
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 50, 2);
    EXPECT_GT(f.worker->sequence().count(), 0);
    f.worker->quitAndJoin();
    EXPECT_EQ(f.worker->sequence().count(), 0);
}

TEST(WorkerThread, GenerationReportsProgressAndAlwaysEnds)
{
    testenv::TempDir dir;
    WorkerFixture f;
    ASSERT_TRUE(f.worker->SetFrameRectangle(0, 0, 4, 3, 0));
    ASSERT_TRUE(f.worker->startWorker());
    f.recordFrames(false, 50, 3);
    const QString out = QString::fromStdString(dir.file("out.gif"));
    f.worker->generationSettings().outputPath = out;
    f.worker->post(UM_GENERATE, 0, 1);
    ASSERT_TRUE(f.reports.waitFor([](const auto& m) { return Reports::count(m, UM_GENERATED) == 1; }));
    EXPECT_TRUE(f.worker->lastGenerationSucceeded()) << f.worker->lastGenerationError();
    EXPECT_TRUE(QFile::exists(out));
    {
        std::lock_guard<std::mutex> lock(f.reports.mutex);
        EXPECT_EQ(Reports::lastValue(f.reports.messages, UM_PROGRESS), 100);
        EXPECT_EQ(f.reports.messages.back().first, UM_GENERATED);
    }

    // Nothing to write: UM_GENERATED all the same, no file. Every grab of the
    // new recording fails, so it holds no frame however quickly ticks come.
    f.grabber->failAll = true;
    f.worker->post(UM_START_CAPTURE, 0, 50);
    f.worker->post(UM_STOP_CAPTURE);
    ASSERT_TRUE(f.reports.waitFor([](const auto& m) { return Reports::count(m, UM_CAPTURE_STOPPED) == 2; }));
    const QString none = QString::fromStdString(dir.file("none.gif"));
    f.worker->generationSettings().outputPath = none;
    f.worker->post(UM_GENERATE, 0, 0);
    ASSERT_TRUE(f.reports.waitFor([](const auto& m) { return Reports::count(m, UM_GENERATED) == 2; }));
    EXPECT_FALSE(f.worker->lastGenerationSucceeded());
    EXPECT_FALSE(QFile::exists(none));
}

// --- pointer track -------------------------------------------------------------------

namespace {
RasterImage greyFrame(int w, int h, uint8_t v)
{
    RasterImage img;
    img.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        std::fill(img.row(y), img.row(y) + img.stride(), v);
    return img;
}
uint8_t blended(int dst, int src)
{
    return uint8_t((dst * 155 + src * 100) / 255);
}
}  // namespace

TEST(PointerTrack, SquareAtTheCornerLeavesItsBottomRightQuarter)
{
    RasterImage frame = greyFrame(100, 80, 100);
    // Pointer exactly at the frame's top-left screen corner (50, 60); no pointer image.
    drawPointerTrack(frame, 2, 50, 60, 50, 60, nullptr);
    const RgbQuad in = frame.getColor(19, 19);
    EXPECT_EQ(in.red, blended(100, 255));
    EXPECT_EQ(in.green, blended(100, 0));
    EXPECT_EQ(in.blue, blended(100, 255));
    EXPECT_EQ(frame.getColor(0, 0), in);
    EXPECT_EQ(frame.getColor(20, 0).red, 100);
    EXPECT_EQ(frame.getColor(0, 20).red, 100);

    const struct {
        int mode;
        int r, g, b;
    } colours[] = {{3, 0, 255, 255}, {4, 255, 255, 0}};
    for (const auto& c : colours) {
        RasterImage f2 = greyFrame(40, 40, 100);
        drawPointerTrack(f2, c.mode, 0, 0, 20, 20, nullptr);  // centred: covers all of it
        const RgbQuad q = f2.getColor(39, 0);
        EXPECT_EQ(q.red, blended(100, c.r)) << c.mode;
        EXPECT_EQ(q.green, blended(100, c.g)) << c.mode;
        EXPECT_EQ(q.blue, blended(100, c.b)) << c.mode;
    }
}

TEST(PointerTrack, PointerImageIsPremultipliedSourceOverTenPixelsUpLeft)
{
    PointerImage cursor;
    cursor.width = 3;
    cursor.height = 1;
    cursor.argb = {0xFFFF0000u, 0x80808080u, 0x00000000u};  // opaque red, half white, clear
    RasterImage frame = greyFrame(50, 50, 100);
    drawPointerTrack(frame, 1, 0, 0, 30, 30, &cursor);
    EXPECT_EQ(frame.getColor(20, 20), (RgbQuad{0, 0, 255, 0}));
    const RgbQuad half = frame.getColor(21, 20);
    EXPECT_EQ(half.red, 0x80 + (100 * 127 + 127) / 255);
    EXPECT_EQ(frame.getColor(22, 20).red, 100);
    // Mode 1 has no square.
    EXPECT_EQ(frame.getColor(30, 30).red, 100);
    // Mode 0 draws nothing; modes outside 0..4 neither.
    for (int mode : {0, 5, -1}) {
        RasterImage f0 = greyFrame(50, 50, 100);
        drawPointerTrack(f0, mode, 0, 0, 30, 30, &cursor);
        EXPECT_EQ(f0.getColor(20, 20).red, 100) << mode;
        EXPECT_EQ(f0.getColor(30, 30).red, 100) << mode;
    }
    // Clipped at every edge without touching memory outside.
    RasterImage small = greyFrame(2, 2, 100);
    drawPointerTrack(small, 4, 0, 0, -5, 11, &cursor);
    drawPointerTrack(small, 4, 0, 0, 1000000, -1000000, &cursor);
    EXPECT_EQ(small.getColor(1, 1).red, blended(100, 255));
}
