// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/size_dlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>

#include "app/app_settings.h"
#include "editor/output_size.h"
#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "res/resource.h"

namespace {

QFont sizeDialogFont()
{
    QFont f = dialogFont();
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setPointSize(9);
    return f;
}

}  // namespace

CSizeDlg::CSizeDlg(int refWidth, int refHeight, AppSettings& settings, const QPoint& topLeft, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings),
      refWidth_(refWidth),
      refHeight_(refHeight)
{
    setControlId(this, IDD_SIZE_DIALOG);
    setWindowTitle(tr("输出GIF的宽高（建议500x500以内）"));
    const QFont font = sizeDialogFont();
    setFont(font);
    const DialogBaseUnits du = dialogBaseUnits(font);
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
    };

    ok_ = new QPushButton(tr("确定"), this);
    setControlId(ok_, IDC_SIZE_OK);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    place(ok_, 154, 27, 50, 14);

    auto* originalCaption = new QLabel(tr("原始尺寸："), this);
    place(originalCaption, 7, 7, 44, 10);
    original_ = new QLabel(QStringLiteral("%1 X %2").arg(refWidth).arg(refHeight), this);
    setControlId(original_, IDC_SIZE_ORIGINAL);
    place(original_, 54, 7, 44, 10);
    original_->setMinimumWidth(original_->sizeHint().width());
    original_->resize(std::max(original_->width(), original_->sizeHint().width()), original_->height());

    auto* outputCaption = new QLabel(tr("输出尺寸："), this);
    place(outputCaption, 7, 30, 44, 10);

    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    width_ = new QLineEdit(this);
    setControlId(width_, IDC_SIZE_WIDTH);
    width_->setValidator(digits);
    place(width_, 54, 28, 30, 14);
    auto* x = new QLabel(QStringLiteral("X"), this);
    setControlId(x, IDC_SIZE_X_LABEL);
    place(x, 91, 29, 8, 10);
    height_ = new QLineEdit(this);
    setControlId(height_, IDC_SIZE_HEIGHT);
    height_->setValidator(digits);
    place(height_, 105, 28, 30, 14);

    slider_ = new QSlider(Qt::Horizontal, this);
    setControlId(slider_, IDC_SIZE_SLIDER);
    slider_->setTickPosition(QSlider::NoTicks);
    place(slider_, 47, 50, 92, 15);

    setFixedSize(mapDialogRect(QRect(0, 0, 212, 80), du).size());

    // Start values; set before the signals are connected so they are no "moves".
    const outputsize::Fields f = outputsize::initialFields(refWidth_, refHeight_, settings_.outputScale);
    setFields(f.width, f.height);
    slider_->setRange(1, 100);
    slider_->setValue(outputsize::initialSliderPosition(settings_.outputScale));

    connect(ok_, &QPushButton::clicked, this, &CSizeDlg::accept);
    connect(slider_, &QSlider::valueChanged, this, &CSizeDlg::onSlider);
    // textEdited comes only from the user's own typing in the field (which
    // has the focus then); the dialog's own writes do not raise it.
    connect(width_, &QLineEdit::textEdited, this, &CSizeDlg::onWidthEdited);
    connect(height_, &QLineEdit::textEdited, this, &CSizeDlg::onHeightEdited);

    move(topLeft);
}

CSizeDlg::~CSizeDlg() = default;

void CSizeDlg::setFields(int w, int h)
{
    const QString ws = QString::number(w);
    const QString hs = QString::number(h);
    if (width_->text() != ws)
        width_->setText(ws);
    if (height_->text() != hs)
        height_->setText(hs);
}

void CSizeDlg::onSlider(int percent)
{
    if (const auto f = outputsize::fromSlider(refWidth_, refHeight_, percent))
        setFields(f->width, f->height);
}

void CSizeDlg::onWidthEdited(const QString& text)
{
    const outputsize::Fields f =
        outputsize::fromTypedWidth(refWidth_, refHeight_, outputsize::fieldValue(text));
    if (outputsize::fieldValue(text) > refWidth_)
        width_->setText(QString::number(f.width));
    height_->setText(QString::number(f.height));
}

void CSizeDlg::onHeightEdited(const QString& text)
{
    const outputsize::Fields f =
        outputsize::fromTypedHeight(refWidth_, refHeight_, outputsize::fieldValue(text));
    if (outputsize::fieldValue(text) > refHeight_)
        height_->setText(QString::number(f.height));
    width_->setText(QString::number(f.width));
}

void CSizeDlg::accept()
{
    const auto scale =
        outputsize::scaleForWidth(refWidth_, refHeight_, outputsize::fieldValue(width_->text()));
    if (!scale) {
        // No GIF can be narrower or lower than one pixel: the dialog stays open.
        QApplication::beep();
        width_->setFocus();
        width_->selectAll();
        return;
    }
    settings_.outputScale = *scale;
    QDialog::accept();
}
