// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/right_dialog.h"

#include "res/resource.h"

CRightDialog::CRightDialog(QWidget* parent) : CSideBarDialog(parent, false, IDD_RIGHT_DIALOG) {}
