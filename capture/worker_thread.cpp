// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/worker_thread.h"

#include <QtGlobal>
#include <thread>

#include "editor/caption_list.h"
#include "gif/frame_sequence_source.h"
#include "gif/gif_generator.h"
#include "imaging/raster_image.h"
#include "platform/screen_grabber.h"
#include "platform/window_message.h"
#include "res/resource.h"

int64_t SteadyPacer::nowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyPacer::sleepMs(int64_t ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

CWorkerThread::CWorkerThread(std::unique_ptr<ScreenGrabber> grabber)
    : grabber_(std::move(grabber)), pacer_(std::make_unique<SteadyPacer>())
{
    if (!grabber_)
        grabber_ = createScreenGrabber();
}

CWorkerThread::~CWorkerThread()
{
    quitAndJoin();
}

void CWorkerThread::setPacer(std::unique_ptr<WorkerPacer> pacer)
{
    pacer_ = pacer ? std::move(pacer) : std::make_unique<SteadyPacer>();
}

void CWorkerThread::notify(int id, intptr_t wParam, intptr_t lParam)
{
    if (sink_) {
        sink_(id, wParam, lParam);
        return;
    }
    if (QObject* receiver = receiver_.data())
        postWindowMessage(receiver, id, wParam, lParam);
}

void CWorkerThread::run()
{
    stopped_ = true;
    grabCount_ = 0;
    ThreadMessage msg;
    while (getMessage(msg))
        onMessage(msg);
    sequence_.clear();
}

void CWorkerThread::onMessage(const ThreadMessage& msg)
{
    switch (msg.id) {
        case UM_START_CAPTURE:
            onStartCapture(msg.wParam != 0, int(msg.lParam));
            break;
        case UM_STOP_CAPTURE:
            onStopCapture();
            break;
        case UM_CAPTURE_TICK:
            onCaptureTick();
            break;
        case UM_GENERATE:
            onGenerate(int(msg.wParam), msg.lParam != 0);
            break;
        default:
            break;  // anything else is dropped
    }
}

void CWorkerThread::onStartCapture(bool lastTen, int msPerFrame)
{
    sequence_.clear();
    grabCount_ = 0;
    stopped_ = false;
    sequence_.setLastTenSeconds(lastTen);
    // fps = 1000 / ms per frame; a period of 0 or less, or above a second,
    // would divide by zero or give no rate: such a start records 1 frame a
    // second instead.
    int fps = msPerFrame > 0 ? 1000 / msPerFrame : 0;
    if (fps < 1) {
        qWarning("recording: %d ms per frame is not a usable period; recording 1 frame per second",
                 msPerFrame);
        fps = 1;
    }
    sequence_.setFps(fps);
    post(UM_CAPTURE_TICK);
}

void CWorkerThread::onStopCapture()
{
    stopped_ = true;
    if (grabber_)
        grabber_->recordingEnded();
    notify(UM_CAPTURE_STOPPED, 0, 0);
}

void CWorkerThread::onCaptureTick()
{
    if (stopped_)
        return;  // the chain of ticks ends here
    const int64_t t0 = pacer_->nowUs();
    const FrameRect& r = sequence_.frameRect();
    auto image = std::make_unique<RasterImage>();
    if (grabber_ &&
        grabber_->grab(GrabRect{r.left, r.top, r.right, r.bottom}, sequence_.mouseTrackMode(), *image) &&
        sequence_.appendRecorded(std::move(image))) {
        ++grabCount_;
        notify(UM_FRAME_COUNT, 0, grabCount_);
    }
    // The grab time in whole milliseconds, truncated (a clock read in whole
    // milliseconds at both ends could count a 0.2 ms grab as 1 ms).
    const int64_t elapsed = (pacer_->nowUs() - t0) / 1000;
    const int64_t interval = 1000 / std::max(sequence_.fps(), 1);
    // Late frames are not made up for: a slow grab is followed by the next at once.
    if (elapsed < interval)
        pacer_->sleepMs(interval - elapsed);
    post(UM_CAPTURE_TICK);
}

void CWorkerThread::onGenerate(int filterNumber, bool dither)
{
    lastGenerationError_.clear();
    const CaptionList& captions = captions_ ? *captions_ : captionList();
    FrameSequenceSource source(sequence_);
    lastGenerationOk_ = GifGenerator::generate(
        source, captions, generationSettings_, filterNumber, dither,
        [this](int percent) { notify(UM_PROGRESS, 0, percent); }, &lastGenerationError_);
    if (!lastGenerationOk_)
        qWarning("generation failed: %s", lastGenerationError_.c_str());
    notify(UM_GENERATED, 0, 0);
}
