// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/text_scale_dlg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "app/app_settings.h"
#include "platform/control_id.h"
#include "res/resource.h"
#include "widgets/tick_slider.h"

CTextScaleDlg::CTextScaleDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings)
{
    setControlId(this, IDD_TEXTSCALE_DIALOG);
    setWindowTitle(tr("调节界面文字大小"));

    auto* text = new QLabel(tr("在部分高分辨率电脑上，本软件的界面文字可能显示较小。你可以放大显示它们。\n\n"
                               "显示比例（重启软件后有效）："),
                            this);
    text->setWordWrap(true);

    slider_ = new CTickSlider(Qt::Horizontal, this);
    setControlId(slider_, IDC_TEXT_SCALE_SLIDER);
    slider_->setRange(1, 3);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    slider_->setTickInterval(1);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setValue(settings_.expandFont);  // out-of-range values end at the nearer end

    auto* left = new QLabel(QStringLiteral("100%"), this);
    auto* middle = new QLabel(QStringLiteral("150%"), this);
    auto* right = new QLabel(QStringLiteral("200%"), this);
    left->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    middle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    right->setAlignment(Qt::AlignRight | Qt::AlignTop);

    auto* marks = new QGridLayout;
    marks->setContentsMargins(0, 0, 0, 0);
    marks->addWidget(left, 0, 0);
    marks->addWidget(middle, 0, 1);
    marks->addWidget(right, 0, 2);
    for (int c = 0; c < 3; ++c)
        marks->setColumnStretch(c, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addWidget(slider_);
    layout->addLayout(marks);
    setMinimumWidth(360);
}

CTextScaleDlg::~CTextScaleDlg() = default;

void CTextScaleDlg::closeEvent(QCloseEvent* event)
{
    // The close box (and any other request to close the window) keeps the choice.
    settings_.expandFont = slider_->value();
    event->accept();
    done(QDialog::Accepted);
}

void CTextScaleDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_Escape:
            reject();  // closes without storing
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // no default button: nothing happens
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
