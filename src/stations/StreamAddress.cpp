// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/StreamAddress.h"

#include <QUrl>
#include <QUrlQuery>

namespace
{
// Whether the address makes the player listen on a port of this machine rather than connect out.
bool BindsLocalPort(const QString& strAddress, const QUrl& url)
{
    const QString strScheme = url.scheme().toLower();
    // Reading either always binds a local port, to a multicast group or to any sender.
    if (strScheme == QLatin1String("udp") || strScheme == QLatin1String("rtp"))
        return true;
    // "srt://@:9999", "rtmp://@host": an empty user name stands for "bind here" in the media library.
    const qsizetype nAuthority = strAddress.indexOf(QLatin1String("://"));
    if (nAuthority >= 0 && strAddress.mid(nAuthority + 3).startsWith(u'@'))
        return true;
    if (strScheme == QLatin1String("srt"))
    {
        // Any mode but the default "caller" waits for a peer on a local port; the media library
        // reads the first "mode", but every one is looked at.
        const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        for (const auto& [strKey, strValue] : items)
        {
            if (strKey.trimmed().compare(QLatin1String("mode"), Qt::CaseInsensitive) == 0 &&
                strValue.trimmed().compare(QLatin1String("caller"), Qt::CaseInsensitive) != 0)
                return true;
        }
    }
    return false;
}
} // namespace

const QStringList& CStreamAddress::AllowedSchemes()
{
    static const QStringList schemes{"http", "https", "mms", "mmsh", "rtsp",
                                     "rtmp", "rtmps", "rtp", "srt",  "udp"};
    return schemes;
}

bool CStreamAddress::IsPlayable(const QString& strAddress, ESource eSource)
{
    const QString strTrimmed = strAddress.trimmed();
    // Control characters could smuggle a second command or option past the player's parser.
    for (QChar c : strTrimmed)
    {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    const QUrl url(strTrimmed, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return false;
    if (!AllowedSchemes().contains(url.scheme().toLower()))
        return false;
    if (eSource == ESource::Outside && BindsLocalPort(strTrimmed, url))
        return false;
    if (!url.host().isEmpty())
        return true;
    // A listener such as udp://@:1234 or rtp://@:5004 names only a local port.
    const QString strScheme = url.scheme().toLower();
    return (strScheme == "udp" || strScheme == "rtp") && url.port() > 0;
}
