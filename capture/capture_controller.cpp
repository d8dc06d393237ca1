// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/capture_controller.h"

#include <QFile>

#include "app/app_settings.h"
#include "capture/frame_sequence.h"
#include "capture/generation_start.h"
#include "capture/gif_import.h"
#include "capture/worker_thread.h"
#include "editor/caption_list.h"
#include "platform/screen_grabber.h"
#include "res/resource.h"

CaptureController::CaptureController(AppSettings& settings, CaptionList& captions,
                                     std::unique_ptr<ScreenGrabber> grabber, QObject* parent)
    : QObject(parent),
      settings_(settings),
      captions_(captions),
      worker_(std::make_unique<CWorkerThread>(std::move(grabber)))
{
    messages_.on(UM_FRAME_COUNT, [this](intptr_t, intptr_t l) { onFrameCount(int(l)); });
    messages_.on(UM_CAPTURE_STOPPED, [this](intptr_t, intptr_t) { onCaptureStopped(); });
    messages_.on(UM_PROGRESS, [this](intptr_t, intptr_t l) { onProgress(int(l)); });
    messages_.on(UM_GENERATED, [this](intptr_t, intptr_t) { onGenerated(); });
    worker_->setReceiver(this);
    worker_->setCaptionList(&captions_);
}

CaptureController::~CaptureController()
{
    // The worker posts to this object: it ends before the object goes.
    worker_->quitAndJoin();
}

bool CaptureController::startWorker()
{
    if (shutDown_)
        return false;
    return worker_->startWorker();
}

void CaptureController::shutdown()
{
    shutDown_ = true;
    worker_->quitAndJoin();
}

bool CaptureController::event(QEvent* event)
{
    if (messages_.dispatch(event))
        return true;
    return QObject::event(event);
}

void CaptureController::setState(CaptureState state)
{
    if (state != CaptureState::Recording) {
        blinkOn_ = false;
        stopRequested_ = false;
    }
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state_);
}

void CaptureController::setCaptureRect(const CaptureRect& rect)
{
    captureRect_ = rect;
}

bool CaptureController::lastGenerationSucceeded() const
{
    return worker_->lastGenerationSucceeded();
}

CaptureBarStatus CaptureController::barStatus() const
{
    CaptureBarStatus s;
    s.state = state_;
    s.captureRect = captureRect_;
    s.frameCount = frameCount_;
    s.blinkOn = blinkOn();
    s.percentage = percentage_;
    s.rate = settings_.rate1;
    s.windows10 = settings_.windows10;
    s.dpiRatio = settings_.dpiRatio;
    s.uiScale = settings_.uiScale;
    return s;
}

FrameSequence& CaptureController::sequence()
{
    return worker_->sequence();
}

const FrameSequence& CaptureController::sequence() const
{
    return worker_->sequence();
}

// --- commands ---------------------------------------------------------------------

bool CaptureController::startRecording()
{
    if (shutDown_ || !captureEventAllowed(state_, CaptureEvent::Start))
        return false;
    settings_.filterNumber = 0;
    const CaptureRect r = capturegeo::grabRect(captureRect_, settings_.windows10, settings_.dpiRatio);
    worker_->SetFrameRectangle(r.left, r.top, r.right, r.bottom, settings_.mouse);
    // Written before the post; the post orders the writes before the worker reads them.
    worker_->post(UM_START_CAPTURE, settings_.last10 ? 1 : 0, capturegeo::msPerFrame(settings_.rate1));
    frameCount_ = 0;
    blinkOn_ = false;
    stopRequested_ = false;
    setState(nextCaptureState(state_, CaptureEvent::Start));
    emit frameCountChanged(frameCount_);
    return true;
}

bool CaptureController::requestStop()
{
    // A second stop request would bring a second UM_CAPTURE_STOPPED, which
    // could arrive after the next Start and end that recording's state.
    if (shutDown_ || stopRequested_ || !captureEventAllowed(state_, CaptureEvent::StopRequested))
        return false;
    worker_->post(UM_STOP_CAPTURE);
    stopRequested_ = true;
    return true;
}

bool CaptureController::toggleRecording()
{
    if (state_ == CaptureState::Recording)
        return requestStop();
    return startRecording();
}

bool CaptureController::noteImportAttempt(int frames)
{
    if (!captureEventAllowed(state_, CaptureEvent::ImportAttempt))
        return false;
    if (frames > 0) {
        frameCount_ = frames;
        emit frameCountChanged(frameCount_);
    }
    setState(nextCaptureState(state_, CaptureEvent::ImportAttempt));
    return true;
}

bool CaptureController::importGif(const QString& path, const ModalProgressFactory& makeProgress,
                                  GifImportRefusal* refusal)
{
    if (shutDown_ || busy())
        return false;
    int frames = 0;
    const bool ok =
        ImportGifFile(path, worker_->sequence(), captions_, settings_, makeProgress, &frames, refusal);
    noteImportAttempt(ok ? frames : 0);
    return ok;
}

bool CaptureController::startGeneration(int dpiY, int level, bool blackWhite)
{
    if (shutDown_ || !captureEventAllowed(state_, CaptureEvent::GenerationStarted))
        return false;
    // Deletes the previous output, writes the settings into the worker, posts UM_GENERATE.
    outputPath_ = startGifGeneration(*worker_, settings_, outputPath_, dpiY, level, blackWhite);
    percentage_ = 0;
    setState(nextCaptureState(state_, CaptureEvent::GenerationStarted));
    emit progressChanged(percentage_);
    return true;
}

void CaptureController::deleteOutput()
{
    if (!outputPath_.isEmpty() && QFile::exists(outputPath_) && !QFile::remove(outputPath_))
        qWarning("cannot delete %s", qPrintable(outputPath_));
}

// --- worker reports -------------------------------------------------------------------

void CaptureController::onFrameCount(int count)
{
    frameCount_ = count;
    blinkOn_ = capturegeo::blinkOn(count, settings_.rate1);
    emit frameCountChanged(count);
}

void CaptureController::onCaptureStopped()
{
    if (!captureEventAllowed(state_, CaptureEvent::CaptureStopped))
        return;
    setState(nextCaptureState(state_, CaptureEvent::CaptureStopped));
    // The captions belonged to the frames that were just replaced.
    captions_.clear();
    emit captureStopped();
}

void CaptureController::onProgress(int percent)
{
    percentage_ = percent;
    setState(nextCaptureState(state_, CaptureEvent::Progress));
    emit progressChanged(percent);
}

void CaptureController::onGenerated()
{
    if (!captureEventAllowed(state_, CaptureEvent::Generated))
        return;
    setState(nextCaptureState(state_, CaptureEvent::Generated));
    emit generated(outputPath_, worker_->lastGenerationSucceeded());
}
