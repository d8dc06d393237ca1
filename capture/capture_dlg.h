// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture window: the top bar of the hollow frame laid over the screen,
// with the title band, the eight command buttons and the program's main state.
// It owns the three other bars (left, right, bottom), the worker thread with
// the frame sequence, and the output path of the last generated GIF.
//
// Life: the constructor runs the initialisation (settings, scales, bars,
// buttons, placement, topmost, worker start); closing (close button, Esc,
// Alt+F4) runs the close sequence: refused while a GIF is generated, a running
// recording is stopped, the settings are saved, the output file deleted and the
// worker stopped and waited for.
//
// Extending it: each command button has its own slot (onOpenGif, onEdit,
// onMakeGif, onMore, ...); the preview plugs into hidePreview(),
// showPreviewOnRestore() and onGenerated(); startGeneration() starts a GIF.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <memory>

#include "capture/capture_geometry.h"
#include "capture/capture_state.h"
#include "platform/screen_grabber.h"
#include "platform/window_message.h"

class CBottomDialog;
class CLeftDialog;
class CMyBitmapButton;
class CPreviewDlg;
class CRightDialog;
class CSideBarDialog;
class CWorkerThread;

class CCaptureDlg : public QDialog {
    Q_OBJECT
public:
    // Without a grabber the worker reads the screen of this display.
    explicit CCaptureDlg(std::unique_ptr<ScreenGrabber> grabber = nullptr, QWidget* parent = nullptr);
    ~CCaptureDlg() override;

    // --- read by others ------------------------------------------------------
    CaptureState state() const { return state_; }
    // For the import paths, which put the window into Stopped whatever the result.
    void setState(CaptureState state);
    const CaptureRect& captureRect() const { return captureRect_; }
    int displayedFrameCount() const { return frameCount_; }
    void setDisplayedFrameCount(int count);
    bool blinkOn() const { return blinkOn_; }
    const QString& outputPath() const { return outputPath_; }
    void setOutputPath(const QString& path) { outputPath_ = path; }
    CWorkerThread& worker() { return *worker_; }
    CLeftDialog* leftBar() const { return left_; }
    CRightDialog* rightBar() const { return right_; }
    CBottomDialog* bottomBar() const { return bottom_; }
    CMyBitmapButton* button(int id) const;
    bool isTopmost() const { return topmost_; }
    // The preview window (created hidden with this window).
    CPreviewDlg* preview() const { return preview_.get(); }

    // Keeps the window (and its bars) above other windows, or not.
    void setTopmost(bool on);
    // Repaints the top bar and the three bars.
    void repaintAll();

    // --- commands -------------------------------------------------------------
    // Start/Stop (button 1000; also the close sequence and the GIF button).
    void onStartStop();
    // The close sequence; false when it was refused (a GIF is being generated).
    bool closeCapture();
    // A close asked for from outside the window (a termination signal): menus
    // and modal dialogs open above it are dismissed, then the close sequence
    // runs once their loops have ended. A running generation is let finish
    // first (its GIF is not previewed) instead of asking the user to wait.
    void closeWhenPossible();
    bool closePending() const { return closePending_; }
    // Starts a generation of the current frames (the capture window's part):
    // deletes the previous output file, hides the preview, makes a new output
    // path, writes the generation settings into the worker, posts UM_GENERATE
    // (filter number, dithering flag) and enters Generating. Only from Stopped.
    bool startGeneration();

    // --- dragging (the bars call these) -----------------------------------------
    // Carries out an accepted drag step (move/resize the top bar, fix the
    // capture top, re-layout, repaint the bottom bar). Ignored while recording.
    void applyDragStep(const capturegeo::DragStep& step);
    // Sends UM_LAYOUT_BARS with `newHeight` (0 keeps the capture height).
    void relayout(int newHeight = 0);

public slots:
    // Commands of the buttons whose full behaviour belongs to the main commands.
    void onOpenGif();   // 5: open a GIF file for editing
    void onMinimise();  // 3: minimise (the bars hide with the window)
    void onSquare();    // 4: no command
    void onEdit();      // 1003: open the editor
    void onMakeGif();   // 1001: output size dialog, then startGeneration()
    void onMore();      // 1002: the More menu

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

public:
    // Esc and Alt+F4 (through the close event) come here: the close sequence.
    void reject() override;
    // Enter does nothing.
    void accept() override {}

private:
    // Worker messages.
    void onLayoutBars(int newHeight);
    void onFrameCount(int count);
    void onCaptureStopped();
    void onProgress(int percent);
    void onGenerated();

    // The preview window's part (created hidden at start, shown after a
    // generation); empty until the preview exists.
    void createPreview();
    void hidePreview();
    void showPreviewOnRestore();
    void openPreviewForOutput();
    // Make GIF: the output size dialog at the Edit button's bottom-right
    // corner, then startGeneration() on OK (needs Stopped and a first frame).
    void openSizeDialogAndGenerate();

    void createButtons();
    void layoutButtons();
    void setStartStopPicture(bool recording);
    void showBars(bool on);

    std::unique_ptr<CWorkerThread> worker_;
    WindowMessageMap messages_;
    CaptureState state_ = CaptureState::Idle;
    CaptureRect captureRect_{0, 0, 310, 250};
    int frameCount_ = 0;
    bool blinkOn_ = false;
    capturegeo::DragZone dragZone_ = capturegeo::DragZone::None;
    bool moving_ = false;
    QPoint pressPoint_;
    QString outputPath_;
    bool topmost_ = false;
    bool closed_ = false;
    CLeftDialog* left_ = nullptr;
    CRightDialog* right_ = nullptr;
    CBottomDialog* bottom_ = nullptr;
    std::unique_ptr<CPreviewDlg> preview_;
    // GIF was pressed while recording: the size dialog opens once the worker
    // has answered UM_CAPTURE_STOPPED (it must not read frames still being appended).
    bool makeGifAfterStop_ = false;
    // closeWhenPossible() was called: close as soon as no generation runs.
    bool closePending_ = false;
};
