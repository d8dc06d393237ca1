// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The UI text scale dialog (dialog 208, "调节界面文字大小"): a slider 1..3
// (control 1068) over the labels 100%, 150% and 200%, no buttons. Closing it
// with the close box stores the slider position into ExpandFont; Esc closes it
// without storing; Enter does nothing. The new value takes effect at the next
// start (UiScale is computed only at start-up).
#include <QDialog>

struct AppSettings;
class QSlider;

class CTextScaleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTextScaleDlg(AppSettings& settings, QWidget* parent = nullptr);
    ~CTextScaleDlg() override;

    QSlider* slider() const { return slider_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppSettings& settings_;
    QSlider* slider_ = nullptr;
};
