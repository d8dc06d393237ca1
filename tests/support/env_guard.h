// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Sets or unsets environment variables for one test and restores them after.
#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

namespace testenv {
class EnvGuard {
public:
    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard()
    {
        for (auto& [name, value] : saved_) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

    void set(const char* name, const QByteArray& value)
    {
        remember(name);
        qputenv(name, value);
    }
    void unset(const char* name)
    {
        remember(name);
        qunsetenv(name);
    }
    // Sets `name` to `value`, or unsets it for null.
    void put(const char* name, const char* value)
    {
        if (value != nullptr)
            set(name, value);
        else
            unset(name);
    }

private:
    void remember(const char* name)
    {
        for (auto& s : saved_)
            if (qstrcmp(s.first, name) == 0)
                return;
        saved_.emplace_back(
            name, qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt);
    }
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;  // first value of each
};
}  // namespace testenv
