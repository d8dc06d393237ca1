// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// "检测新版本": the installed version beside the version page, which announces
// the latest one; comparing the two is the user's. Enter does nothing; Esc
// and the close box close it.
#include <QDialog>

#include "share/version_info.h"

class QLabel;
class QTextBrowser;

class CUpdateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUpdateDlg(const VersionInfo& info = compiledVersionInfo(), QWidget* parent = nullptr);
    ~CUpdateDlg() override;

    const QString& installedVersion() const { return installed_; }
    void accept() override {}

private:
    QString installed_;
    QLabel* version_ = nullptr;
    QTextBrowser* view_ = nullptr;
};
