// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_list_control.h"

#include <QAbstractItemView>
#include <QTableWidget>

QWidget* createCaptionListControl(QWidget* parent)
{
    // Report view, single selection, selection always shown, grid lines,
    // full-row select.
    auto* list = new QTableWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setShowGrid(true);
    return list;
}
