// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include <optional>

#include "platform/app_paths.h"

namespace {
class EnvGuard {
public:
    EnvGuard()
    {
        for (const char* name : kNames)
            saved_.push_back(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                             : std::nullopt);
    }
    ~EnvGuard()
    {
        for (size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                qputenv(kNames[i], *saved_[i]);
            else
                qunsetenv(kNames[i]);
        }
    }
    void apply(const char* appdata, const char* xdg, const char* home)
    {
        const char* values[] = {appdata, xdg, home};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                qputenv(kNames[i], values[i]);
            else
                qunsetenv(kNames[i]);
        }
    }

private:
    static constexpr const char* kNames[] = {"APPDATA", "XDG_CONFIG_HOME", "HOME"};
    std::vector<std::optional<QByteArray>> saved_;
};
}  // namespace

TEST(AppPaths, SettingsFolderChoice)
{
    EnvGuard env;
    struct Case {
        const char* appdata;
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/a", "/x", "/h", "/a"},
        {nullptr, "/x", "/h", "/x"},
        {"", "/x", "/h", "/x"},  // an empty variable counts as unset
        {nullptr, nullptr, "/h", "/h/.config"},
        {nullptr, "relative", "/h", "/h/.config"},  // a relative XDG_CONFIG_HOME is ignored
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        env.apply(c.appdata, c.xdg, c.home);
        EXPECT_EQ(appDataDir(), QString::fromUtf8(c.expected))
            << (c.appdata ? c.appdata : "-") << " " << (c.xdg ? c.xdg : "-") << " "
            << (c.home ? c.home : "-");
    }
}

TEST(AppPaths, LengthRuleAppliesToTheFolderUsed)
{
    EnvGuard env;
    const QByteArray fits = "/" + QByteArray(254, 'd');     // 255 characters
    const QByteArray tooLong = "/" + QByteArray(255, 'd');  // 256 characters
    env.apply(fits.constData(), nullptr, "/h");
    EXPECT_EQ(appDataDir().size(), 255);
    env.apply(tooLong.constData(), nullptr, "/h");
    EXPECT_TRUE(appDataDir().isEmpty());  // no falling back to another folder
    env.apply(nullptr, tooLong.constData(), "/h");
    EXPECT_TRUE(appDataDir().isEmpty());
    const QByteArray home = "/" + QByteArray(248, 'h');  // + "/.config" = 256
    env.apply(nullptr, nullptr, home.constData());
    EXPECT_TRUE(appDataDir().isEmpty());
    // Characters, not bytes: 200 Chinese characters are 600 bytes but fit.
    const QByteArray wide = "/" + QString(200, QChar(0x4E2D)).toUtf8();
    env.apply(wide.constData(), nullptr, nullptr);
    EXPECT_EQ(appDataDir().size(), 201);
}
