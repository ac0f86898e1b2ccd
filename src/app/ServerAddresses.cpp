#include "app/ServerAddresses.h"

#include "app/Settings.h"

namespace
{
// The settings value, else the environment's VEDRIX_SERVER_<key>, else strDefault.
QString ServerSetting(const char* key, const QString& strDefault = QString())
{
    const QString strEnvironment = qEnvironmentVariable((QByteArray("VEDRIX_SERVER_") + key).constData());
    return ReadSectionString(settings::kServersSection, QString::fromLatin1(key),
                             strEnvironment.isEmpty() ? strDefault : strEnvironment);
}

// An override is a scheme and host (and port), such as "http://127.0.0.1:8080"; the path is fixed.
// Nothing configured gives an empty address.
QUrl ServerWithPath(const char* key, const char* path)
{
    const QString strServer = ServerSetting(key);
    if (strServer.trimmed().isEmpty())
        return {};
    QUrl url(strServer.trimmed());
    url.setPath(QString::fromLatin1(path));
    return url;
}
} // namespace

namespace servers
{
bool HasChannelListServer()
{
    return !ChannelListUrl().isEmpty();
}

QUrl ChannelListUrl()
{
    return ServerWithPath("ChannelListServer", "/tvlist.zip");
}

QUrl BannerUrl()
{
    return ServerWithPath("BannerServer", "/banners/vedrix/");
}

QUrl PromotionUrl()
{
    return ServerWithPath("PromotionSite", "/");
}

QUrl DownloadSiteUrl()
{
    return ServerWithPath("DownloadSite", "/");
}

QUrl StationDirectoryUrl()
{
    return QUrl(ServerSetting("StationDirectory").trimmed());
}

QUrl TvChannelListsUrl()
{
    QUrl url(ServerSetting("TvChannelLists", QStringLiteral("https://iptv-org.github.io/iptv/languages/")).trimmed());
    // The file names go below it.
    if (!url.path().endsWith(u'/'))
        url.setPath(url.path() + u'/');
    return url;
}

QString SupportEmail()
{
    return QStringLiteral("support@palomer.example");
}
} // namespace servers
