// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/logo_setting_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include "app/app_settings.h"
#include "effects/watermark_preview.h"
#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "res/string_table.h"

namespace {
const char kPictureFilter[] =
    "All Formats|*.JPG;*.JPEG;*.BMP;*.PNG|Bitmap Files (*.BMP)|*.BMP|JPEG (*.JPG;*.JPEG)|*.JPG;*.JPEG|PNG "
    "(*.PNG)|*.PNG||";

// The picture at `path` decoded by its extension and made 24 bits; null when it
// does not decode.
std::unique_ptr<RasterImage> decodePicture(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    auto image = std::make_unique<RasterImage>();
    const std::string name = QFile::encodeName(path).toStdString();
    if (!image->decodeFile(name, imageTypeFromPath(name)) || !image->increaseTo24Bits())
        return nullptr;
    return image;
}
}  // namespace

CLogoSettingDlg::CLogoSettingDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings)
{
    setControlId(this, IDD_LOGOSETTING_DIALOG);
    setWindowTitle(tr("自定义水印设置"));
    const DialogBaseUnits du = dialogBaseUnits(font());
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
    };

    enable_ = new QCheckBox(tr("我希望把下面的小图片文件，以水印的方式，贴在我制作的GIF动画上:"), this);
    setControlId(enable_, IDC_LOGO_ENABLE);
    place(enable_, 7, 7, 320, 10);
    auto* fileLabel = new QLabel(tr("请把下面文件作为图片水印："), this);
    place(fileLabel, 7, 24, 200, 8);
    file_ = new QLineEdit(this);
    file_->setReadOnly(true);
    setControlId(file_, IDC_LOGO_FILE);
    place(file_, 7, 34, 250, 13);
    browse_ = new QPushButton(QStringLiteral("..."), this);
    browse_->setAutoDefault(false);
    setControlId(browse_, IDC_LOGO_BROWSE);
    place(browse_, 260, 34, 20, 13);
    auto* cornerLabel = new QLabel(tr("水印位置："), this);
    place(cornerLabel, 7, 56, 40, 8);
    corner_ = new QComboBox(this);
    setControlId(corner_, IDC_LOGO_POS);
    for (int id :
         {IDS_CORNER_TOP_LEFT, IDS_CORNER_BOTTOM_LEFT, IDS_CORNER_TOP_RIGHT, IDS_CORNER_BOTTOM_RIGHT})
        corner_->addItem(loadString(id));
    place(corner_, 50, 54, 70, 12);
    auto* widthLabel = new QLabel(tr("水印宽度："), this);
    place(widthLabel, 7, 76, 40, 8);
    auto* low = new QLabel(QStringLiteral("20"), this);
    place(low, 50, 76, 12, 8);
    slider_ = new QSlider(Qt::Horizontal, this);
    setControlId(slider_, IDC_LOGO_SIZE_SLIDER);
    slider_->setRange(20, 200);
    slider_->setTickInterval(20);
    slider_->setTickPosition(QSlider::TicksBelow);
    place(slider_, 62, 73, 110, 14);
    auto* high = new QLabel(QStringLiteral("200"), this);
    place(high, 174, 76, 14, 8);
    sizeLabel_ = new QLabel(this);
    setControlId(sizeLabel_, IDC_LOGO_SIZE_LABEL);
    place(sizeLabel_, 194, 76, 16, 8);
    auto* pixels = new QLabel(tr("像素"), this);
    place(pixels, 212, 76, 20, 8);
    frame_ = new QGroupBox(this);
    setControlId(frame_, IDC_LOGO_PREVIEW_FRAME);
    place(frame_, 7, 94, 150, 70);
    const QRect client = mapDialogRect(QRect(0, 0, 340, 172), du);
    setFixedSize(std::max(client.width(), previewArea().right() + 8), client.height());

    // Opening: the stored values, the picture decoded for the preview.
    slider_->setValue(settings_.imgLogoSize);
    sizeLabel_->setText(QString::asprintf("%d", slider_->value()));
    corner_->setCurrentIndex((settings_.imgLogoPos >= 0 && settings_.imgLogoPos <= 3) ? settings_.imgLogoPos
                                                                                      : -1);
    file_->setText(settings_.logoImgFile);
    enable_->setChecked(settings_.imgEnableLogo);
    picture_ = decodePicture(settings_.logoImgFile);
    updateEnabling();

    connect(enable_, &QCheckBox::clicked, this, &CLogoSettingDlg::onEnable);
    connect(corner_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        settings_.imgLogoPos = index;
        update(previewArea());
    });
    connect(slider_, &QSlider::valueChanged, this, &CLogoSettingDlg::onSlider);
    connect(browse_, &QPushButton::clicked, this, &CLogoSettingDlg::onBrowse);
}

CLogoSettingDlg::~CLogoSettingDlg() = default;

QRect CLogoSettingDlg::previewArea() const
{
    const QRect g = frame_->geometry();
    return QRect(g.left() + g.width() + 22, g.top(), g.width(), g.height());
}

RasterImage CLogoSettingDlg::previewPicture() const
{
    const QRect area = previewArea();
    return imageWatermarkPreview(area.width(), area.height(), picture_.get(), slider_->value(),
                                 corner_->currentIndex(), enable_->isChecked());
}

void CLogoSettingDlg::chooseFile(const QString& path)
{
    picture_.reset();
    picture_ = decodePicture(path);
    if (!picture_) {
        promptMessageBox(this, loadString(IDS_FILE_INCOMPLETE));
    } else {
        file_->setText(path);
    }
    update(previewArea());
}

void CLogoSettingDlg::onBrowse()
{
    const QString path = promptOpenFile(this, QString::fromLatin1(kPictureFilter), QStringLiteral("*.*"));
    if (!path.isEmpty())
        chooseFile(path);
}

void CLogoSettingDlg::onEnable()
{
    settings_.imgEnableLogo = enable_->isChecked();
    updateEnabling();
    update(previewArea());
}

void CLogoSettingDlg::onSlider(int value)
{
    sizeLabel_->setText(QString::asprintf("%d", value));
    update(previewArea());
}

void CLogoSettingDlg::updateEnabling()
{
    const bool on = enable_->isChecked();
    corner_->setEnabled(on);
    browse_->setEnabled(on);
    slider_->setEnabled(on);
}

void CLogoSettingDlg::store()
{
    settings_.imgEnableLogo = enable_->isChecked();
    settings_.imgLogoPos = corner_->currentIndex();
    settings_.imgLogoSize = slider_->value();
    settings_.logoImgFile = file_->text().left(kMaxPathChars);
}

void CLogoSettingDlg::done(int result)
{
    store();
    picture_.reset();
    QDialog::done(result);
}

void CLogoSettingDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const QRect area = previewArea();
    // Painted whole into a picture first, then copied: no flicker.
    const QImage picture = previewPicture().toQImage();
    QPainter p(this);
    p.drawImage(area.topLeft(), picture);
}
