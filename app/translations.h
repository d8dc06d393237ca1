// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The program's languages. The Chinese texts in the source are the source
// texts. Under an English system language the English translation
// (res/translations/vexlo_en.ts, compiled in) replaces them; in every other
// case the texts stay Chinese, and Qt's own Chinese translation is loaded so
// the standard dialogs and buttons ("Save As", "Cancel", "OK") read Chinese too.
#include <QLocale>

class QCoreApplication;

enum class UiLanguage { Chinese, English };

// English for the English language, whatever the country; Chinese otherwise.
UiLanguage uiLanguageFor(const QLocale& locale);

// Installs the translators for `locale` into the application (they live as
// long as it does). Returns the language chosen.
UiLanguage installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());
