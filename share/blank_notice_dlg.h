// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// "友情提醒" (dialog 167): the notice after a generation whose file is larger
// than 2000 KB. A link opens the page on reducing file sizes; the check box
// switches the notice off (ticked) or on again (cleared); "关闭" closes.
#include <QDialog>

struct AppSettings;
class CHyperlinkStatic;
class QCheckBox;
class QPushButton;

class CBlankNoticeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBlankNoticeDlg(AppSettings& settings, QWidget* parent = nullptr);
    ~CBlankNoticeDlg() override;

    CHyperlinkStatic* link() const { return link_; }
    QCheckBox* dontShowBox() const { return box_; }
    QPushButton* closeButton() const { return close_; }

    // The notice text above the link.
    static QString noticeText();

private:
    AppSettings& settings_;
    CHyperlinkStatic* link_ = nullptr;
    QCheckBox* box_ = nullptr;
    QPushButton* close_ = nullptr;
};
