// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "effects/cinemagraph_dlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSlider>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

#include "effects/cinemagraph_mask.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "share/help_pages.h"
#include "widgets/icon_button.h"

namespace {

constexpr int kToolSide = 32;
const QRect kStillRect(8, 8, 134, 26);
const QRect kHelpRect(8, 40, 64, 26);
const QRect kSaveRect(78, 40, 64, 26);
const QRect kPenLabelRect(8, 76, 60, 16);
const QRect kBrushRect(8, 96, kToolSide, kToolSide);
const QRect kEraserRect(8, 136, kToolSide, kToolSide);
const QRect kSliderRect(104, 76, 30, 124);
constexpr int kLargeDot = 12;  // radius of the reminder of a wide pen
constexpr int kSmallDot = 5;
const QSize kDialogSize(150, 208);

QIcon toolIcon(bool brush)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (brush) {
        // A round brush tip in the stroke colour on a handle.
        p.setPen(QPen(QColor(90, 60, 30), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(18, 4, 11, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgb(CinemagraphMask::kBrushColor));
        p.drawEllipse(QPoint(8, 16), 6, 6);
    } else {
        // A white block with a dark outline.
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.translate(12, 12);
        p.rotate(-35);
        p.drawRoundedRect(QRectF(-9, -5, 18, 10), 2, 2);
    }
    return QIcon(pm);
}

}  // namespace

CCinemagraphDlg::CCinemagraphDlg(int brushValue, int stillFrame, std::function<int()> currentFrame,
                                 QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      brushValue_(brushValue),
      stillFrame_(stillFrame),
      currentFrame_(std::move(currentFrame))
{
    setControlId(this, IDD_CINEMAGRAPH_DIALOG);
    setWindowTitle(tr("Cinemagraph"));
    setModal(false);
    setFixedSize(kDialogSize);

    auto button = [this](int id, const QString& text, const QRect& r) {
        auto* b = new CIconButton(text, this);
        setControlId(b, id);
        b->setGeometry(r);
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    still_ = button(IDC_CINEMAGRAPH_STILL_FRAME, QString(), kStillRect);
    help_ = button(IDC_CINEMAGRAPH_HELP, tr("帮助"), kHelpRect);
    save_ = button(IDC_CINEMAGRAPH_SAVE, tr("保存"), kSaveRect);
    brush_ = button(IDC_CINEMAGRAPH_BRUSH, QString(), kBrushRect);
    eraser_ = button(IDC_CINEMAGRAPH_ERASER, QString(), kEraserRect);
    brush_->setCheckMode(true);
    eraser_->setCheckMode(true);
    brush_->setIcons(toolIcon(true));
    eraser_->setIcons(toolIcon(false));
    brush_->setTooltipText(loadString(IDS_CINEMAGRAPH_BRUSH_TIP));
    eraser_->setTooltipText(loadString(IDS_CINEMAGRAPH_ERASER_TIP));

    auto* penLabel = new QLabel(tr("画笔："), this);
    penLabel->setGeometry(kPenLabelRect);

    slider_ = new QSlider(Qt::Vertical, this);
    setControlId(slider_, IDC_CINEMAGRAPH_PEN_SLIDER);
    slider_->setGeometry(kSliderRect);
    slider_->setRange(kMinPen, kMaxPen);
    slider_->setTickInterval(1);
    slider_->setSingleStep(1);
    slider_->setTickPosition(QSlider::TicksRight);
    slider_->setInvertedAppearance(true);  // the smallest width at the top
    slider_->setInvertedControls(true);

    // Start state from the editor's value; the slider shows its magnitude.
    const bool brushOn = brushValue_ > 0;
    brush_->setCheck(brushOn ? 1 : 0);
    eraser_->setCheck(brushOn ? 0 : 1);
    slider_->setValue(std::clamp(std::abs(std::clamp(brushValue_, -kMaxPen, kMaxPen)), kMinPen, kMaxPen));
    updateStillCaption();

    connect(brush_, &QAbstractButton::clicked, this, [this] { setTool(brush_->getCheck() == 1); });
    connect(eraser_, &QAbstractButton::clicked, this, [this] { setTool(eraser_->getCheck() != 1); });
    connect(slider_, &QSlider::valueChanged, this, [this] { updateBrushValue(); });
    connect(still_, &QAbstractButton::clicked, this, [this] { onStillFrame(); });
    connect(save_, &QAbstractButton::clicked, this, [this] { emit saveRequested(); });
    connect(help_, &QAbstractButton::clicked, this,
            [this] { openHelpPage(loadString(IDS_HELP_CINEMAGRAPH), opener_); });
}

CCinemagraphDlg::~CCinemagraphDlg() = default;

void CCinemagraphDlg::setTool(bool brush)
{
    brush_->setCheck(brush ? 1 : 0);
    eraser_->setCheck(brush ? 0 : 1);
    updateBrushValue();
}

void CCinemagraphDlg::updateBrushValue()
{
    const int pos = slider_->value();
    const int value = brush_->getCheck() == 1 ? pos : -pos;
    if (value == brushValue_)
        return;
    brushValue_ = value;
    emit brushValueChanged(value);
}

void CCinemagraphDlg::updateStillCaption()
{
    still_->setText(loadString(IDS_STILL_FRAME).replace(QStringLiteral("%d"), QString::number(stillFrame_)));
}

void CCinemagraphDlg::onStillFrame()
{
    if (promptMessageBox(this, loadString(IDS_CINEMAGRAPH_SET_STILL), QString(),
                         MB_OKCANCEL | MB_ICONQUESTION) != AnswerOk)
        return;
    if (currentFrame_)
        stillFrame_ = currentFrame_();
    updateStillCaption();
}

void CCinemagraphDlg::keyPressEvent(QKeyEvent* e)
{
    // Neither Enter nor Escape closes the tool window.
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            e->accept();
            return;
        default:
            QDialog::keyPressEvent(e);
    }
}

void CCinemagraphDlg::reject()
{
    // Escape arrives here too; only the close box ends the mode.
}

void CCinemagraphDlg::closeEvent(QCloseEvent* e)
{
    e->accept();
    emit closed();
}

void CCinemagraphDlg::paintEvent(QPaintEvent* e)
{
    QDialog::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(CinemagraphMask::kBrushColor));
    const int x = kBrushRect.right() + 8 + kLargeDot;
    p.drawEllipse(QPoint(x, kBrushRect.center().y()), kLargeDot, kLargeDot);
    p.drawEllipse(QPoint(x, kEraserRect.center().y()), kSmallDot, kSmallDot);
}
