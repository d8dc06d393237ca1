// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The program's own profile store, separate from the settings file: the
// progress window's position ("ProgressWndSettings") and the About box's
// custom line ("Custom"). It is an INI file beside the settings file, in
// settingsFolder(), so everything Vexlo keeps for a user lies in one folder.
#include <QSettings>
#include <QString>

// "<settings folder>/profile.ini"; empty when there is no settings folder.
QString profileStorePath();

// The store. Without a settings folder it is Qt's per-user store of
// organisation and application "Vexlo".
QSettings profileStore();
