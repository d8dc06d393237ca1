// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture frame's right bar (dialog 131).
#include "capture/side_bar_dialog.h"

class CRightDialog : public CSideBarDialog {
    Q_OBJECT
public:
    explicit CRightDialog(QWidget* parent = nullptr);
};
