// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The worker thread: records frames and generates GIFs, one job at a time,
// driven only by thread messages and reporting only by window messages.
//
// Thread messages (post()):
//   UM_START_CAPTURE  wParam last-ten-seconds flag, lParam milliseconds per frame
//   UM_STOP_CAPTURE   stop; answered with UM_CAPTURE_STOPPED
//   UM_CAPTURE_TICK   grab the next frame (posted by the worker to itself)
//   UM_GENERATE       wParam filter number, lParam dithering flag; uses the
//                     GenerationSettings written before the post
// Messages to the receiver: UM_FRAME_COUNT (lParam frames grabbed so far),
// UM_CAPTURE_STOPPED, UM_PROGRESS (lParam percent), UM_GENERATED (always, also
// after a failed generation). All carry wParam 0.
//
// Ownership and access: the worker owns the FrameSequence. The capture window
// writes the frame rectangle (SetFrameRectangle) and the generation settings
// right before it posts the message that uses them, and touches the sequence
// only while no recording or generation runs (its state says when).
#include <QObject>
#include <QPointer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "capture/frame_sequence.h"
#include "gif/generation_settings.h"
#include "platform/message_thread.h"

class ScreenGrabber;
class CaptionList;

// The clock the recording paces itself by; replaceable for tests.
class WorkerPacer {
public:
    virtual ~WorkerPacer() = default;
    virtual int64_t nowUs() = 0;           // a monotonic clock in microseconds
    virtual void sleepMs(int64_t ms) = 0;  // blocks the worker for ms > 0
};

class SteadyPacer : public WorkerPacer {
public:
    int64_t nowUs() override;
    void sleepMs(int64_t ms) override;
};

class CWorkerThread : public MessageThread {
public:
    // Where the worker's reports go when a sink is set instead of a window
    // (command line, tests). Called on the worker thread.
    using MessageSink = std::function<void(int id, intptr_t wParam, intptr_t lParam)>;

    // Without a grabber the worker uses createScreenGrabber().
    explicit CWorkerThread(std::unique_ptr<ScreenGrabber> grabber = nullptr);
    ~CWorkerThread() override;

    // Before start(): who receives the reports (a window, through
    // postWindowMessage) or a sink function.
    void setReceiver(QObject* receiver) { receiver_ = receiver; }
    void setMessageSink(MessageSink sink) { sink_ = std::move(sink); }
    void setPacer(std::unique_ptr<WorkerPacer> pacer);
    // The captions generation draws (the process-wide list unless set).
    void setCaptionList(CaptionList* captions) { captions_ = captions; }

    // Starts the thread (MessageThread::start); false when already running.
    bool startWorker() { return start(); }

    // The recording and its frame rectangle (see the access rule above).
    FrameSequence& sequence() { return sequence_; }
    const FrameSequence& sequence() const { return sequence_; }
    // Frame rectangle in device pixels and mouse-track mode for the next
    // recording; an inverted rectangle keeps the previous one (false).
    bool SetFrameRectangle(int left, int top, int right, int bottom, int mouseTrackMode)
    {
        return sequence_.SetFrameRectangle(left, top, right, bottom, mouseTrackMode);
    }
    // Written right before UM_GENERATE is posted.
    GenerationSettings& generationSettings() { return generationSettings_; }

    // Results of the last generation, for the receiver after UM_GENERATED.
    bool lastGenerationSucceeded() const { return lastGenerationOk_; }
    const std::string& lastGenerationError() const { return lastGenerationError_; }

    ScreenGrabber* grabber() { return grabber_.get(); }

protected:
    void run() override;
    void onMessage(const ThreadMessage& msg) override;

private:
    void notify(int id, intptr_t wParam, intptr_t lParam);
    void onStartCapture(bool lastTen, int msPerFrame);
    void onStopCapture();
    void onCaptureTick();
    void onGenerate(int filterNumber, bool dither);

    std::unique_ptr<ScreenGrabber> grabber_;
    std::unique_ptr<WorkerPacer> pacer_;
    QPointer<QObject> receiver_;
    MessageSink sink_;
    CaptionList* captions_ = nullptr;
    FrameSequence sequence_;
    GenerationSettings generationSettings_;
    bool lastGenerationOk_ = false;
    std::string lastGenerationError_;
    // Thread-local state of the recording.
    bool stopped_ = true;
    int grabCount_ = 0;
};
