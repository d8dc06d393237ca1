// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The image watermark dialog "自定义水印设置": the switch, the corner, the
// width (20..200) and the picture file, with a preview of the watermark on a
// cross-hatch. It has no OK or Cancel button: the switch and the corner are
// stored at once, everything once more when the dialog closes.
#include <QDialog>
#include <memory>

#include "imaging/raster_image.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
struct AppSettings;

class CLogoSettingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLogoSettingDlg(AppSettings& settings, QWidget* parent = nullptr);
    ~CLogoSettingDlg() override;

    // Where the preview is painted: the group box's size, to its right
    // (left edge = group box left + width + 22).
    QRect previewArea() const;
    // The picture the preview shows, null when the file did not decode.
    const RasterImage* previewImage() const { return picture_.get(); }
    // What the preview area shows now.
    RasterImage previewPicture() const;
    // The "..." button's work after the file dialog (tests call it with a path).
    void chooseFile(const QString& path);

    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onBrowse();
    void onEnable();
    void onSlider(int value);
    void updateEnabling();
    void store();

    AppSettings& settings_;
    std::unique_ptr<RasterImage> picture_;
    QCheckBox* enable_ = nullptr;
    QComboBox* corner_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* browse_ = nullptr;
    QGroupBox* frame_ = nullptr;
};
