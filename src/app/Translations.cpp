// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InstallTranslations(QCoreApplication* pApp)
{
    const QLocale locale = QLocale::system();
    auto* pOwn = new QTranslator(pApp);
    if (pOwn->load(locale, QStringLiteral("vedrix"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(pOwn);
    else
        delete pOwn;
    // Qt's translations are a separate package (qt6-translations-l10n); without it Qt's own buttons
    // stay English, the rest is translated still.
    auto* pQt = new QTranslator(pApp);
    if (pQt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(pQt);
    else
        delete pQt;
}
