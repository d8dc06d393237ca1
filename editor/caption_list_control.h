// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The slot for the editor's caption list (control 1019): the editor calls this
// factory once while it builds its controls, gives the result id 1019 and its
// place, and lays it out (it stretches with the dialog's width). Columns, rows
// and in-place editing are set up by the captions tool in its attach().
class QWidget;

QWidget* createCaptionListControl(QWidget* parent);
