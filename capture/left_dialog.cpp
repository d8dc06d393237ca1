// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "capture/left_dialog.h"

#include "res/resource.h"

CLeftDialog::CLeftDialog(QWidget* parent) : CSideBarDialog(parent, true, IDD_LEFT_DIALOG) {}
