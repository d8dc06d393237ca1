// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The output size dialog "输出GIF的宽高（建议500x500以内）" (dialog 215): shows
// the reference size (the first frame's image), lets the user choose the
// output width and height by typing or by the percent slider, and on OK sets
// the output scale from the width. Escape and the close box cancel and leave
// the scale as it was. OK is refused while the width is empty or 0.
#include <QDialog>
#include <QPoint>

struct AppSettings;
class QLabel;
class QLineEdit;
class QSlider;
class QPushButton;

class CSizeDlg : public QDialog {
    Q_OBJECT
public:
    // Opens (when run) with its top-left corner at the screen point `topLeft`.
    CSizeDlg(int refWidth, int refHeight, AppSettings& settings, const QPoint& topLeft,
             QWidget* parent = nullptr);
    ~CSizeDlg() override;

    QLineEdit* widthEdit() const { return width_; }
    QLineEdit* heightEdit() const { return height_; }
    QSlider* slider() const { return slider_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* originalLabel() const { return original_; }

public slots:
    void accept() override;

private:
    void setFields(int w, int h);
    void onSlider(int percent);
    void onWidthEdited(const QString& text);
    void onHeightEdited(const QString& text);

    AppSettings& settings_;
    int refWidth_;
    int refHeight_;
    QLabel* original_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QSlider* slider_ = nullptr;
    QPushButton* ok_ = nullptr;
};
