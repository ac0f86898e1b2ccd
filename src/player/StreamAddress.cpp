#include "player/StreamAddress.h"

#include <QUrl>

const QStringList& CStreamAddress::AllowedSchemes()
{
    static const QStringList schemes{"http", "https", "mms", "mmsh", "rtsp",
                                     "rtmp", "rtmps", "rtp", "srt",  "udp"};
    return schemes;
}

bool CStreamAddress::IsPlayable(const QString& strAddress)
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
    if (!url.host().isEmpty())
        return true;
    // A listener such as udp://@:1234 or rtp://@:5004 names only a local port.
    const QString strScheme = url.scheme().toLower();
    return (strScheme == "udp" || strScheme == "rtp") && url.port() > 0;
}
