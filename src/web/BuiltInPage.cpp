// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/BuiltInPage.h"

#include "base/CommandLine.h"
#include "base/Resources.h"
#include "base/TextAreas.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QPalette>
#include <QRegularExpression>
#include <QUrl>

namespace
{
QString ReadResource(const QString& strPath)
{
    InitVedrixResources();
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A ribbon element's label as the ribbon shows it (without its Alt letter), in bold.
QString Command(const char* source)
{
    return QStringLiteral("<span class=\"command\">%1</span>")
        .arg(text::Ribbon::tr(source).remove(QLatin1Char('&')).toHtmlEscaped());
}

QString Mix(const QColor& a, const QColor& b, double dShareOfB)
{
    const auto mix = [dShareOfB](int x, int y) { return qRound(x + (y - x) * dShareOfB); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue())).name();
}

// The program's version: the application object's, else what --version prints ("Vedrix 1.0").
QString Version()
{
    const QString strVersion = QCoreApplication::applicationVersion();
    return strVersion.isEmpty() ? VersionText().section(QLatin1Char(' '), -1) : strVersion;
}
} // namespace

QString CBuiltInPage::Title()
{
    return QStringLiteral("Vedrix");
}

QString CBuiltInPage::Html(const QUrl& siteUrl, const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor accent = palette.color(QPalette::Active, QPalette::Highlight);
    QHash<QString, QString> values;
    // The language of the texts below, for the page's lang attribute (hyphenation, a screen
    // reader's voice).
    values[QStringLiteral("lang")] = tr("en", "HTML lang attribute of this page").toHtmlEscaped();
    values[QStringLiteral("base")] = base.name();
    values[QStringLiteral("text")] = text.name();
    values[QStringLiteral("muted")] = Mix(text, base, 0.4);
    values[QStringLiteral("accent")] = accent.name();
    values[QStringLiteral("noticeBackground")] = Mix(base, accent, 0.12);
    values[QStringLiteral("link")] = palette.color(QPalette::Active, QPalette::Link).name();
    values[QStringLiteral("icon")] = ReadResource(QStringLiteral(":/res/icons/vedrix.svg"))
                                         .remove(QRegularExpression(QStringLiteral("^<\\?xml[^>]*>")));
    values[QStringLiteral("tagline")] = tr("Internet radio and TV player for Linux, version %1")
                                            .toHtmlEscaped()
                                            .arg(Version().toHtmlEscaped());
    if (siteUrl.isValid() && !siteUrl.isEmpty())
    {
        const QString strAddress = siteUrl.toString(QUrl::FullyEncoded);
        values[QStringLiteral("notice")] =
            QStringLiteral("<p class=\"notice\" role=\"alert\">%1 <a class=\"retry\" href=\"%2\">%3</a></p>")
                .arg(tr("The site %1 cannot be reached right now.")
                         .toHtmlEscaped()
                         .arg(QStringLiteral("<span class=\"address\">%1</span>")
                                  .arg(siteUrl.toDisplayString().toHtmlEscaped())),
                     strAddress.toHtmlEscaped(), tr("Try again").toHtmlEscaped());
    }
    values[QStringLiteral("whatHeading")] = tr("What Vedrix is").toHtmlEscaped();
    values[QStringLiteral("what")] =
        tr("Vedrix plays internet radio and TV channels on your desktop. It waits in the notification "
           "area, plays your last channel again and answers to the media keys and to hot keys.")
            .toHtmlEscaped();
    values[QStringLiteral("channelsHeading")] = tr("Getting channels").toHtmlEscaped();
    values[QStringLiteral("publicChannels")] =
        tr("%1 on the %2 tab builds the channel list from the public station directory and public TV "
           "playlists, in the languages checked under %3.")
            .toHtmlEscaped()
            .arg(Command(QT_TRANSLATE_NOOP("Ribbon", "Refresh Channels List")),
                 Command(QT_TRANSLATE_NOOP("Ribbon", "Online Channel Player")),
                 Command(QT_TRANSLATE_NOOP("Ribbon", "Channel Filters")));
    values[QStringLiteral("ownStations")] =
        tr("Your own stations go into %1: %2 searches the public station directory, and the menu beside "
           "it adds a station by its address (%3) or reads a playlist file (%4).")
            .toHtmlEscaped()
            .arg(Command(QT_TRANSLATE_NOOP("Ribbon", "My Stations")),
                 Command(QT_TRANSLATE_NOOP("Ribbon", "Directory...")),
                 Command(QT_TRANSLATE_NOOP("Ribbon", "Add Station by Address...")),
                 Command(QT_TRANSLATE_NOOP("Ribbon", "Import Playlist...")));
    values[QStringLiteral("sourceHeading")] = tr("Where Vedrix comes from").toHtmlEscaped();
    values[QStringLiteral("source")] =
        tr("Vedrix is built from its source tree with CMake and Qt: the README there says how to build, "
           "test and install it, and %1 describes the installed program.")
            .toHtmlEscaped()
            .arg(QStringLiteral("<code>man vedrix</code>"));

    QString strHtml = ReadResource(QStringLiteral(":/res/web/BuiltInPage.html"));
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{(\\w+)\\}\\}"));
    QString strOut;
    qsizetype nDone = 0;
    for (auto it = placeholder.globalMatch(strHtml); it.hasNext();)
    {
        const QRegularExpressionMatch match = it.next();
        strOut += QStringView(strHtml).mid(nDone, match.capturedStart() - nDone);
        strOut += values.value(match.captured(1));
        nDone = match.capturedEnd();
    }
    strOut += QStringView(strHtml).mid(nDone);
    return strOut;
}
