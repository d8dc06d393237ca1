// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The text watermark dialog "自定义水印设置": switch, corner, text, size,
// font, colours, background, bold and italic, with a preview on a cross-hatch.
// No OK or Cancel button: every control stores its setting at once (the text
// on Enter or when the edit loses the focus), and all once more on closing.
#include <QDialog>

#include "imaging/raster_image.h"

class CColorPickerButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
struct AppSettings;

class CTxtLogoSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTxtLogoSettingDlg(AppSettings& settings, QWidget* parent = nullptr);
    ~CTxtLogoSettingDlg() override;

    QRect previewArea() const;
    RasterImage previewPicture() const;
    // The text as it is stored: trimmed at both ends, its first 30 characters.
    static QString storedText(const QString& typed);

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void storeText();
    void store();
    void onEnable();
    void setControlsEnabled(bool on);
    int dpiY() const;

    AppSettings& settings_;
    QCheckBox* enable_ = nullptr;
    QComboBox* corner_ = nullptr;
    QLineEdit* text_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* font_ = nullptr;
    CColorPickerButton* color_ = nullptr;
    CColorPickerButton* bkColor_ = nullptr;
    QCheckBox* bk_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QGroupBox* frame_ = nullptr;
};
