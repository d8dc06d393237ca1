// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// "关于": banner, icon, version line, legal notice, the custom line of the
// profile store, and the web-site and support links.
#include <QDialog>

#include "share/version_info.h"

class CHyperlinkStatic;
class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const VersionInfo& info = compiledVersionInfo(), QWidget* parent = nullptr);
    ~CAboutDlg() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitBanner();

    QLabel* banner_ = nullptr;
    QPixmap bannerPicture_;
};
