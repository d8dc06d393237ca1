// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "share/update_dlg.h"

#include <QLabel>
#include <QTextBrowser>

#include "platform/control_id.h"
#include "platform/dialog_units.h"
#include "res/resource.h"
#include "share/help_pages.h"

CUpdateDlg::CUpdateDlg(const VersionInfo& info, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      installed_(installedVersionText(info))
{
    setControlId(this, IDD_UPDATE_DIALOG);
    setWindowTitle(tr("检测新版本"));
    const DialogBaseUnits du = dialogBaseUnits(font());
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(mapDialogRect(QRect(x, y, cx, cy), du));
    };
    place(new QLabel(tr("本机的安装版本："), this), 7, 7, 70, 8);
    version_ = new QLabel(installed_, this);
    setControlId(version_, IDC_UPDATE_VERSION);
    place(version_, 80, 7, 100, 8);
    place(new QLabel(tr("检测到最新版本："), this), 7, 22, 70, 8);
    view_ = new QTextBrowser(this);
    setControlId(view_, IDC_UPDATE_VIEW);
    view_->setOpenExternalLinks(true);
    place(view_, 7, 34, 306, 127);
    setFixedSize(mapDialogRect(QRect(0, 0, 320, 168), du).size());
    view_->setSource(helpPageUrl(QString::fromLatin1(kVersionPage)));
}

CUpdateDlg::~CUpdateDlg() = default;
