// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The capture window's More menu (menu 140): built anew on every press with
// the marks of the current settings, shown at the bottom-left corner of the
// More button, and the chosen command returned to the caller.
#include <QCoreApplication>
#include <memory>

class QMenu;
class QWidget;
struct AppSettings;

class CMoreMenu {
    Q_DECLARE_TR_FUNCTIONS(CMoreMenu)
public:
    // Every entry, submenu and separator in order; each command's action has
    // its id as data (QAction::data().toInt()).
    static std::unique_ptr<QMenu> build(const AppSettings& settings, QWidget* parent = nullptr);
    // Shows the menu under `button` and waits; the chosen command, 0 when the
    // menu was dismissed.
    static int choose(QWidget* button, const AppSettings& settings);
};
