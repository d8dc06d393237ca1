// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The program's language follows the system's: English windows under an
// English locale, the Chinese texts in every other case.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTranslator>

#include "app/app_settings.h"
#include "app/translations.h"
#include "editor/size_dlg.h"
#include "platform/control_id.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "share/blank_notice_dlg.h"
#include "share/preview_dlg.h"

namespace {
// Removes the translators a test installed.
struct TranslatorsGuard {
    ~TranslatorsGuard()
    {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};
}  // namespace

TEST(EnglishUi, LanguageFollowsTheLocale)
{
    EXPECT_EQ(uiLanguageFor(QLocale(QLocale::English, QLocale::UnitedStates)), UiLanguage::English);
    EXPECT_EQ(uiLanguageFor(QLocale(QLocale::English, QLocale::UnitedKingdom)), UiLanguage::English);
    EXPECT_EQ(uiLanguageFor(QLocale(QLocale::Chinese, QLocale::China)), UiLanguage::Chinese);
    EXPECT_EQ(uiLanguageFor(QLocale(QLocale::German, QLocale::Germany)), UiLanguage::Chinese);
    EXPECT_EQ(uiLanguageFor(QLocale::c()), UiLanguage::Chinese);
}

TEST(EnglishUi, MainWindowsShowEnglishUnderAnEnglishLocale)
{
    TranslatorsGuard guard;
    ASSERT_EQ(installTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates)),
              UiLanguage::English);

    CPreviewDlg preview;
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Preview"));
    auto* save = findControlAs<QPushButton>(&preview, IDC_PREVIEW_SAVE);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("Save"));

    AppSettings settings;
    CBlankNoticeDlg notice(settings);
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Friendly reminder"));
    CSizeDlg size(320, 240, settings, QPoint(0, 0));
    EXPECT_FALSE(size.windowTitle().contains(QStringLiteral("输出")));
    EXPECT_EQ(loadString(IDS_INSERT_BEFORE), QStringLiteral("Insert before frame %d"));
}

TEST(EnglishUi, ChineseStaysByDefault)
{
    TranslatorsGuard guard;
    installTranslations(*qApp, QLocale(QLocale::Chinese, QLocale::China));
    CPreviewDlg preview;
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("预览"));
    EXPECT_EQ(loadString(IDS_INSERT_BEFORE), QStringLiteral("在第 %d 帧之前插入"));
}
