// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's own page, shown by the promotion and store views where their site is not set up or
// cannot be reached: what Vedrix is, its version, how to get channels, where it comes from, and for
// a site that did not answer a link that tries it again. It needs no network and runs no script.
//
// One template (res/web/BuiltInPage.html) in every language: the texts come from the translations,
// the colours from the view's palette, so the page looks like the rest of the window.
#include <QCoreApplication>
#include <QString>

class QPalette;
class QUrl;

class CBuiltInPage
{
    Q_DECLARE_TR_FUNCTIONS(BuiltInPage)
public:
    // The document's title, the same in every language, so a screen reader or a test tells the
    // page from any other by it.
    static QString Title();
    // The page, standing in for siteUrl; an empty siteUrl means no site is set up (no "Try again").
    static QString Html(const QUrl& siteUrl, const QPalette& palette);
};
