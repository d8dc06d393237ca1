// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
#include <QObject>
// Numeric control ids on widgets, so windows and tests find controls by the ids
// the resource header names.
class QWidget;

void setControlId(QWidget* widget, int id);
int controlId(const QWidget* widget);                 // 0 when none
QWidget* findControl(const QWidget* parent, int id);  // searches all descendants
template <typename T>
T* findControlAs(const QWidget* parent, int id)
{
    return qobject_cast<T*>(findControl(parent, id));
}
