// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The user's language: the program's own translation (built in as a resource) and Qt's (the standard
// buttons of message and file dialogs), chosen by the system locale (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG). Without a translation for the language the texts stay English.
class QCoreApplication;

void InstallTranslations(QCoreApplication* pApp);
