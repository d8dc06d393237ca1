// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
// A translator owned by the application; warns when the file is missing.
void load(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(name, folder)) {
        QCoreApplication::installTranslator(translator);
        return;
    }
    qWarning("translation %s not found in %s", qPrintable(name), qPrintable(folder));
    delete translator;
}
}  // namespace

UiLanguage uiLanguageFor(const QLocale& locale)
{
    return locale.language() == QLocale::English ? UiLanguage::English : UiLanguage::Chinese;
}

UiLanguage installTranslations(QCoreApplication& app, const QLocale& locale)
{
    const UiLanguage language = uiLanguageFor(locale);
    if (language == UiLanguage::English) {
        load(app, QStringLiteral("vexlo_en"), QStringLiteral(":/i18n"));
    } else {
        // Qt's own texts; the program's are Chinese already.
        load(app, QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return language;
}
