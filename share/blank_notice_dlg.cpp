// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/blank_notice_dlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_settings.h"
#include "platform/control_id.h"
#include "res/resource.h"
#include "share/help_pages.h"
#include "widgets/hyperlink_static.h"

QString CBlankNoticeDlg::noticeText()
{
    return tr(
        "您生成的动画文件大于 2M 了？\n\n百度贴吧/微博/聊天表情等，都对动画文件的大小有限制。"
        "超过大小，文件将无法上传，或者被显示为静态图像。\n\n您可以在预览窗口查看动画文件的大小，");
}

CBlankNoticeDlg::CBlankNoticeDlg(AppSettings& settings, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings)
{
    setControlId(this, IDD_BLANKNOTICE_DIALOG);
    setWindowTitle(tr("友情提醒"));

    auto* text = new QLabel(noticeText(), this);
    text->setWordWrap(true);

    link_ = new CHyperlinkStatic(this);
    setControlId(link_, IDC_NOTICE_LINK);
    link_->setLink(tr("也可以到我们官网了解如何减小动画文件大小。"),
                   helpPageUrl(QStringLiteral("vx_reduce.htm")).toString(), makeColorRef(0, 0, 255), false);

    box_ = new QCheckBox(tr("我已经知道了，下次请不要再重复告诉我了"), this);
    setControlId(box_, IDC_NOTICE_DONT_SHOW);
    box_->setChecked(false);
    // Every click: the notice is on exactly while the box is clear.
    connect(box_, &QCheckBox::clicked, this, [this](bool checked) { settings_.notice = !checked; });

    close_ = new QPushButton(tr("关闭"), this);
    setControlId(close_, IDOK);
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(link_, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    layout->addWidget(box_);
    layout->addLayout(buttons);
    setFixedWidth(420);
}

CBlankNoticeDlg::~CBlankNoticeDlg() = default;
