// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The cinemagraph tool window "Cinemagraph" (dialog 209): modeless and on top
// of the editor while cinemagraph mode lasts. It holds the still frame number
// ("静态帧:%d"), the brush / eraser pair with the pen width slider (10 to 50)
// and the "保存" and "帮助" buttons. The brush value it reports is + the
// slider position while the brush is on and − the position while the eraser
// is. Enter and Escape do nothing; the close box ends the mode without
// applying anything (closed()).
#include <QDialog>
#include <functional>

class CIconButton;
class QSlider;

class CCinemagraphDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinPen = 10;
    static constexpr int kMaxPen = 50;

    // `brushValue` is the editor's (kept between uses); `stillFrame` the
    // editor's current frame; `currentFrame` tells the editor's current
    // frame when "静态帧" is confirmed.
    CCinemagraphDlg(int brushValue, int stillFrame, std::function<int()> currentFrame,
                    QWidget* parent = nullptr);
    ~CCinemagraphDlg() override;

    int brushValue() const { return brushValue_; }
    int stillFrame() const { return stillFrame_; }

    CIconButton* brushButton() const { return brush_; }
    CIconButton* eraserButton() const { return eraser_; }
    CIconButton* stillButton() const { return still_; }
    CIconButton* saveButton() const { return save_; }
    CIconButton* helpButton() const { return help_; }
    QSlider* slider() const { return slider_; }

    // The help page is opened through this (tests give their own).
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }

signals:
    void brushValueChanged(int value);
    void saveRequested();
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

private:
    void setTool(bool brush);
    void updateBrushValue();
    void onStillFrame();
    void updateStillCaption();

    int brushValue_;
    int stillFrame_;
    std::function<int()> currentFrame_;
    std::function<bool(const QUrl&)> opener_;
    CIconButton* help_ = nullptr;
    CIconButton* still_ = nullptr;
    CIconButton* save_ = nullptr;
    CIconButton* brush_ = nullptr;
    CIconButton* eraser_ = nullptr;
    QSlider* slider_ = nullptr;
};
