// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_list_control.h"

#include "editor/list_ctrl_ex.h"

QWidget* createCaptionListControl(QWidget* parent)
{
    // Report view, single selection, selection always shown, grid lines,
    // full-row select; columns, rows and editing come from the captions tool.
    return new CListCtrlEx(parent);
}
