// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/control_id.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kProperty = "vexloControlId";
}

void setControlId(QWidget* widget, int id)
{
    if (widget)
        widget->setProperty(kProperty, id);
}

int controlId(const QWidget* widget)
{
    return widget ? widget->property(kProperty).toInt() : 0;
}

QWidget* findControl(const QWidget* parent, int id)
{
    if (!parent)
        return nullptr;
    const QList<QWidget*> all = parent->findChildren<QWidget*>();
    for (QWidget* w : all)
        if (controlId(w) == id)
            return w;
    return nullptr;
}
