// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The tools every editor gets (captions, crop, filter, cinemagraph), installed
// in this order by the editor's constructor.
class CAddTextDlg;

void installEditorTools(CAddTextDlg& editor);
