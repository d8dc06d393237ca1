// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture controller: the one owner of the program's main state. It holds
// CaptureState and its transitions, the worker thread with the frame sequence,
// the capture rectangle, the displayed frame count, the blink of the corner
// marks, the last generation percentage and the output path of the last GIF.
// It has no window: the capture window owns one and renders what it says, and
// so do the bars, the preview, the editor and the menu commands.
//
// Who talks to it
//   - CCaptureDlg creates it (with the settings and the caption list it was
//     given), starts its worker, forwards the buttons to its commands and
//     repaints on its signals. controller() hands it to the others.
//   - The bars get a CaptureBarStatus (capture/capture_bar_status.h) built
//     from it by the window; they never see the controller or the window.
//   - The editor and the menu commands take a CaptureController& and use
//     sequence(), captions(), settings() and the commands below; they check
//     busy() first (frames and captions belong to the worker while busy).
//
// Threads: every member is for the user-interface thread. The worker reports
// by window messages posted to this object; the handlers turn them into the
// state changes and the signals below. The sequence and the captions may be
// touched only while !busy() (the state orders them, there is no lock).
//
// Transitions (capture/capture_state.h has the table):
//   startRecording()       Idle, Stopped -> Recording       (posts UM_START_CAPTURE)
//   requestStop()          Recording stays Recording         (posts UM_STOP_CAPTURE)
//   UM_CAPTURE_STOPPED     Recording -> Stopped              (captions cleared)
//   noteImportAttempt()    Idle, Stopped -> Stopped          (also after a failed import)
//   startGeneration()      Stopped -> Generating             (posts UM_GENERATE)
//   UM_PROGRESS            -> Generating
//   UM_GENERATED           Generating -> Stopped
// A command the state does not allow returns false and changes nothing.
#include <QObject>
#include <QString>
#include <memory>

#include "capture/capture_bar_status.h"
#include "capture/capture_geometry.h"
#include "capture/capture_state.h"
#include "platform/window_message.h"
#include "share/modal_progress.h"

struct AppSettings;
class CaptionList;
class CWorkerThread;
class FrameSequence;
struct GifImportRefusal;
class ScreenGrabber;

class CaptureController : public QObject {
    Q_OBJECT
public:
    // Without a grabber the worker reads the screen of this display. The
    // settings and the captions must outlive the controller.
    CaptureController(AppSettings& settings, CaptionList& captions,
                      std::unique_ptr<ScreenGrabber> grabber = nullptr, QObject* parent = nullptr);
    // Stops the worker and waits for it (it posts to this object).
    ~CaptureController() override;

    // Starts the worker thread; false when it runs already or was shut down.
    bool startWorker();
    // Stops the worker and waits for it; the commands are refused afterwards.
    void shutdown();
    bool isShutDown() const { return shutDown_; }

    // --- what there is to show ------------------------------------------------
    CaptureState state() const { return state_; }
    // Recording or Generating: the worker owns the frames and the captions.
    bool busy() const { return captureStateBusy(state_); }
    // Recording, and the stop has been asked for but not answered yet.
    bool stopRequested() const { return stopRequested_; }
    // Frames grabbed in the current or last recording, or of the last imported GIF.
    int frameCount() const { return frameCount_; }
    // The gold corner marks are drawn (only while recording).
    bool blinkOn() const { return blinkOn_ && state_ == CaptureState::Recording; }
    // The last generation percentage (0 when a generation starts).
    int percentage() const { return percentage_; }
    // The capture region in screen pixels; the window keeps it in step with its bars.
    const CaptureRect& captureRect() const { return captureRect_; }
    void setCaptureRect(const CaptureRect& rect);
    // The GIF of the last generation (empty before the first one). The file
    // belongs to the controller: the next generation and deleteOutput() remove it.
    const QString& outputPath() const { return outputPath_; }
    void setOutputPath(const QString& path) { outputPath_ = path; }
    // Whether the last generation wrote its file (valid after generated()).
    bool lastGenerationSucceeded() const;
    // Everything the bars show, in one value.
    CaptureBarStatus barStatus() const;

    // --- what the editor and the menus work on (only while !busy()) ------------
    FrameSequence& sequence();
    const FrameSequence& sequence() const;
    CaptionList& captions() { return captions_; }
    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    CWorkerThread& worker() { return *worker_; }

    // --- commands ---------------------------------------------------------------
    // Start: filter number 0, the capture region (in device pixels when the
    // display ratio asks for it) and the mouse-track mode to the worker, then
    // UM_START_CAPTURE with Last10 and 1000 / Rate1. Idle or Stopped only.
    bool startRecording();
    // Stop: posts UM_STOP_CAPTURE; the state stays Recording until the worker
    // answers (captureStopped()). Recording only, once.
    bool requestStop();
    // Start or stop, as the Start/Stop button does; nothing while Generating.
    bool toggleRecording();
    // A GIF import was tried (successful or not): Stopped, and the frame count
    // of the import when it succeeded (`frames` > 0). Idle or Stopped only.
    bool noteImportAttempt(int frames);
    // Imports the GIF at `path` as the frame sequence (ImportGifFile: captions
    // cleared, scale 1.0, filter 0 on success) and notes the attempt. False
    // when busy or when the file was refused; the previous frames then stay,
    // and *refusal (when given) says why the file was refused.
    bool importGif(const QString& path, const ModalProgressFactory& makeProgress = {},
                   GifImportRefusal* refusal = nullptr);
    // Starts a generation of the current frames: deletes the previous output,
    // makes a new output path, writes the generation settings into the worker
    // and posts UM_GENERATE. Stopped only. `dpiY` is the screen's vertical DPI.
    // `level` > 0 makes it at that "压缩动画" level (the preview's Reduce menu).
    bool startGeneration(int dpiY, int level = 0, bool blackWhite = false);
    // Deletes the output file when there is one (the close sequence, the
    // preview's close box); the path is kept.
    void deleteOutput();

signals:
    // The state changed (any transition above).
    void stateChanged(CaptureState state);
    // One more frame was grabbed (also sets blinkOn()).
    void frameCountChanged(int count);
    // The worker answered the stop: the state is Stopped, the captions are gone.
    void captureStopped();
    // Generation progress in percent (the state is Generating).
    void progressChanged(int percent);
    // The generation ended (the state is Stopped); `ok` when it wrote `outputPath`.
    void generated(const QString& outputPath, bool ok);

protected:
    bool event(QEvent* event) override;

private:
    void setState(CaptureState state);
    void onFrameCount(int count);
    void onCaptureStopped();
    void onProgress(int percent);
    void onGenerated();

    AppSettings& settings_;
    CaptionList& captions_;
    std::unique_ptr<CWorkerThread> worker_;
    WindowMessageMap messages_;
    CaptureState state_ = CaptureState::Idle;
    CaptureRect captureRect_{0, 0, 310, 250};
    int frameCount_ = 0;
    bool blinkOn_ = false;
    int percentage_ = 0;
    bool stopRequested_ = false;
    bool shutDown_ = false;
    QString outputPath_;
};
