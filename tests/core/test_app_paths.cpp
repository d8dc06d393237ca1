// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include "env_guard.h"
#include "platform/app_paths.h"

namespace {
// The three variables the settings folder is chosen from (null: unset).
void apply(testenv::EnvGuard& env, const char* appdata, const char* xdg, const char* home)
{
    env.put("APPDATA", appdata);
    env.put("XDG_CONFIG_HOME", xdg);
    env.put("HOME", home);
}
}  // namespace

TEST(AppPaths, SettingsFolderChoice)
{
    testenv::EnvGuard env;
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
        apply(env, c.appdata, c.xdg, c.home);
        EXPECT_EQ(appDataDir(), QString::fromUtf8(c.expected))
            << (c.appdata ? c.appdata : "-") << " " << (c.xdg ? c.xdg : "-") << " "
            << (c.home ? c.home : "-");
    }
}

TEST(AppPaths, LengthRuleAppliesToTheFolderUsed)
{
    testenv::EnvGuard env;
    const QByteArray fits = "/" + QByteArray(254, 'd');     // 255 characters
    const QByteArray tooLong = "/" + QByteArray(255, 'd');  // 256 characters
    apply(env, fits.constData(), nullptr, "/h");
    EXPECT_EQ(appDataDir().size(), 255);
    apply(env, tooLong.constData(), nullptr, "/h");
    EXPECT_TRUE(appDataDir().isEmpty());  // no falling back to another folder
    apply(env, nullptr, tooLong.constData(), "/h");
    EXPECT_TRUE(appDataDir().isEmpty());
    const QByteArray home = "/" + QByteArray(248, 'h');  // + "/.config" = 256
    apply(env, nullptr, nullptr, home.constData());
    EXPECT_TRUE(appDataDir().isEmpty());
    // Characters, not bytes: 200 Chinese characters are 600 bytes but fit.
    const QByteArray wide = "/" + QString(200, QChar(0x4E2D)).toUtf8();
    apply(env, wide.constData(), nullptr, nullptr);
    EXPECT_EQ(appDataDir().size(), 201);
}
