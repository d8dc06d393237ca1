// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture frame's left bar (dialog 130).
#include "capture/side_bar_dialog.h"

class CLeftDialog : public CSideBarDialog {
    Q_OBJECT
public:
    explicit CLeftDialog(QWidget* parent = nullptr);
};
