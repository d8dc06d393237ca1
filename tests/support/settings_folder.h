// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A settings folder of the test's own: APPDATA points at a fresh temporary
// folder (holding the given vexlo.ini lines, if any) until the object dies.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>
#include <string>

#include "test_env.h"

namespace testenv {
class SettingsFolder {
public:
    explicit SettingsFolder(const QByteArray& ini = QByteArray())
    {
        if (qEnvironmentVariableIsSet("APPDATA"))
            saved_ = qgetenv("APPDATA");
        qputenv("APPDATA", QByteArray::fromStdString(dir_.path()));
        if (!ini.isEmpty()) {
            QFile f(iniPath());
            if (f.open(QIODevice::WriteOnly))
                f.write(ini);
        }
    }
    ~SettingsFolder()
    {
        if (saved_)
            qputenv("APPDATA", *saved_);
        else
            qunsetenv("APPDATA");
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    QString iniPath() const { return file("vexlo.ini"); }
    QString readIni() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    QString file(const std::string& name) const { return QString::fromStdString(dir_.file(name)); }
    const std::string& path() const { return dir_.path(); }

private:
    TempDir dir_;
    std::optional<QByteArray> saved_;
};
}  // namespace testenv
