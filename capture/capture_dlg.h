// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture window: the top bar of the hollow frame laid over the screen,
// with the title band and the eight command buttons. The program's main state
// (CaptureState, the worker with the frame sequence, the capture rectangle,
// the frame count, the output path) lives in the CaptureController this
// window owns (controller()); the window renders it, hands the bars their
// CaptureBarStatus and forwards the buttons to the controller's commands.
//
// Life: the constructor runs the initialisation (settings, scales, bars,
// buttons, placement, topmost, worker start); closing (close button, Esc,
// Alt+F4) runs the close sequence: refused while a GIF is generated, a running
// recording is stopped, the settings are saved, the output file deleted and the
// worker stopped and waited for.
//
// Extending it: each command button has its own slot (onOpenGif, onEdit,
// onMakeGif, onMore, ...). A new window or command takes controller() (the
// state, the sequence, the captions, the settings) rather than this window;
// the preview plugs into hidePreview(), showPreviewOnRestore() and the
// controller's generated() signal.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <memory>

#include "capture/capture_controller.h"
#include "capture/capture_geometry.h"
#include "platform/screen_grabber.h"
#include "platform/window_message.h"

struct AppSettings;
class CaptionList;
class CBottomDialog;
class CLeftDialog;
class CMyBitmapButton;
class CPreviewDlg;
class CRightDialog;

class CCaptureDlg : public QDialog {
    Q_OBJECT
public:
    // The window of the program: the process-wide settings and caption list.
    // Without a grabber the worker reads the screen of this display.
    explicit CCaptureDlg(std::unique_ptr<ScreenGrabber> grabber = nullptr, QWidget* parent = nullptr);
    // The settings are loaded into `settings` here and saved from it on close;
    // both must outlive the window.
    CCaptureDlg(AppSettings& settings, CaptionList& captions, std::unique_ptr<ScreenGrabber> grabber,
                QWidget* parent = nullptr);
    ~CCaptureDlg() override;

    // --- read by others ------------------------------------------------------
    // The state, the sequence, the captions, the settings and their commands.
    CaptureController& controller() { return *controller_; }
    const CaptureController& controller() const { return *controller_; }
    CLeftDialog* leftBar() const { return left_; }
    CRightDialog* rightBar() const { return right_; }
    CBottomDialog* bottomBar() const { return bottom_; }
    CMyBitmapButton* button(int id) const;
    bool isTopmost() const { return topmost_; }
    // The preview window (created hidden with this window).
    CPreviewDlg* preview() const { return preview_.get(); }

    // Keeps the window (and its bars) above other windows, or not.
    void setTopmost(bool on);
    // Hands the bars what they show (the controller's state and the settings
    // they label, e.g. Rate1 after the More menu changed it) and repaints the
    // top bar and the three bars.
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
    // Starts a generation of the current frames: hides the preview, then
    // CaptureController::startGeneration (previous output deleted, new output
    // path, settings into the worker, UM_GENERATE, Generating). Only from Stopped.
    bool startGeneration();
    // A level of the preview's Reduce menu: the GIF is made again from the
    // frames at that level while the preview stays open, and shown in it when
    // written. Only from Stopped.
    bool startReduce(int level, bool blackWhite);

    // A GIF named on the command line (`vexlo FILE.gif`): opened for editing
    // with openGifForEditing() once the window runs.
    void setInitialGif(const QString& path);
    const QString& initialGif() const { return initialGif_; }
    // The open-a-GIF command after its file dialog (also drops and the command
    // line): nothing while busy; the import (CaptureController::importGif puts
    // the state to Stopped whatever the result); then the editor when the
    // import succeeded and there is a first frame. True when the import succeeded.
    // A GIF too large for memory is refused with a message naming its size.
    bool openGifForEditing(const QString& path);
    // "来自剪贴板": the first file of a file list copied in the file manager,
    // opened as openGifForEditing() does; string 151 when the editor did not
    // open for any reason (the size message instead when that was the
    // reason). Nothing while busy.
    void openGifFromClipboard();
    // Files dropped on the window: exactly one is opened for editing, two or
    // more are ignored, nothing while busy. True when one was taken.
    bool openDroppedFiles(const QStringList& paths);
    // A command of the More menu (what onMore() does with the chosen one).
    void runMoreCommand(int command);

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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public:
    // Esc and Alt+F4 (through the close event) come here: the close sequence.
    void reject() override;
    // Enter does nothing.
    void accept() override {}

private:
    // openGifForEditing(); `refusalShown` tells whether a refusal message was shown.
    bool openGifForEditing(const QString& path, bool& refusalShown);
    void onLayoutBars(int newHeight);
    // The controller's signals.
    void onStateChanged();
    void onCaptureStopped();
    void onGenerated();
    // The bars' drags.
    void onBottomBarDragged(capturegeo::DragZone zone, QPoint globalPos);
    void onSideBarDragged(bool leftBar, QPoint globalPos);
    // What repaintAll() does; the slot of the controller's signals.
    void updateBars();
    // Opens the editor over the controller's frames (comes with the editor).
    void openEditor();
    // "发送字体文件到本软件的手机版" after its file dialog.
    void sendFontToPhone(const QString& path);

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

    AppSettings& settings_;
    std::unique_ptr<CaptureController> controller_;
    WindowMessageMap messages_;
    capturegeo::DragZone dragZone_ = capturegeo::DragZone::None;
    bool moving_ = false;
    QPoint pressPoint_;
    QString initialGif_;
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
