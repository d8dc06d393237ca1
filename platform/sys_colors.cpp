// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/sys_colors.h"

#include <QGuiApplication>
#include <QPalette>

QColor classicSysColor(SysColor which)
{
    switch (which) {
        case SysColor::Window:
            return QColor(255, 255, 255);
        case SysColor::WindowText:
            return QColor(0, 0, 0);
        case SysColor::Menu:
            return QColor(240, 240, 240);
        case SysColor::MenuText:
            return QColor(0, 0, 0);
        case SysColor::ButtonFace:
            return QColor(240, 240, 240);
        case SysColor::ButtonText:
            return QColor(0, 0, 0);
        case SysColor::ButtonShadow:
            return QColor(160, 160, 160);
        case SysColor::ButtonHighlight:
            return QColor(255, 255, 255);
        case SysColor::DarkShadow:
            return QColor(105, 105, 105);
        case SysColor::Light:
            return QColor(227, 227, 227);
        case SysColor::Highlight:
            return QColor(0, 120, 215);
        case SysColor::HighlightText:
            return QColor(255, 255, 255);
        case SysColor::GrayText:
            return QColor(109, 109, 109);
        case SysColor::InactiveBorder:
            return QColor(244, 247, 252);
        case SysColor::InfoBackground:
            return QColor(255, 255, 225);
        case SysColor::InfoText:
            return QColor(0, 0, 0);
        case SysColor::HotLight:
            return QColor(0, 102, 204);
    }
    return QColor(240, 240, 240);
}

QColor sysQColor(SysColor which)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return classicSysColor(which);
    const QPalette pal = QGuiApplication::palette();
    switch (which) {
        case SysColor::Window:
            return pal.color(QPalette::Active, QPalette::Base);
        case SysColor::WindowText:
            return pal.color(QPalette::Active, QPalette::Text);
        case SysColor::Menu:
            return pal.color(QPalette::Active, QPalette::Window);
        case SysColor::MenuText:
            return pal.color(QPalette::Active, QPalette::WindowText);
        case SysColor::ButtonFace:
            return pal.color(QPalette::Active, QPalette::Button);
        case SysColor::ButtonText:
            return pal.color(QPalette::Active, QPalette::ButtonText);
        case SysColor::ButtonShadow:
            return pal.color(QPalette::Active, QPalette::Mid);
        case SysColor::ButtonHighlight:
            return pal.color(QPalette::Active, QPalette::Light);
        case SysColor::DarkShadow:
            return pal.color(QPalette::Active, QPalette::Shadow);
        case SysColor::Light:
            return pal.color(QPalette::Active, QPalette::Midlight);
        case SysColor::Highlight:
            return pal.color(QPalette::Active, QPalette::Highlight);
        case SysColor::HighlightText:
            return pal.color(QPalette::Active, QPalette::HighlightedText);
        case SysColor::GrayText:
            return pal.color(QPalette::Disabled, QPalette::Text);
        case SysColor::InactiveBorder:
            return pal.color(QPalette::Inactive, QPalette::Window);
        case SysColor::InfoBackground:
            return pal.color(QPalette::Active, QPalette::ToolTipBase);
        case SysColor::InfoText:
            return pal.color(QPalette::Active, QPalette::ToolTipText);
        case SysColor::HotLight:
            return pal.color(QPalette::Active, QPalette::Link);
    }
    return classicSysColor(which);
}

ColorRef sysColor(SysColor which)
{
    const QColor c = sysQColor(which);
    return makeColorRef(c.red(), c.green(), c.blue());
}
