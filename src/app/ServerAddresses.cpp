#include "app/ServerAddresses.h"

#include "app/Settings.h"

namespace
{
// An override is a scheme and host (and port), such as "http://127.0.0.1:8080"; the path is fixed.
QUrl ServerWithPath(const char* key, const char* defaultServer, const char* path)
{
    QUrl url(ReadSectionString(settings::kServersSection, key, defaultServer));
    url.setPath(path);
    return url;
}
} // namespace

namespace servers
{
QUrl ChannelListUrl()
{
    return ServerWithPath("ChannelListServer", "http://channels.palomer.example", "/tvlist.zip");
}

QUrl BannerUrl()
{
    return ServerWithPath("BannerServer", "http://banners.palomer.example", "/banners/vedrix/");
}

QUrl PromotionUrl()
{
    return ServerWithPath("PromotionSite", "http://www.palomer.example", "/");
}

QUrl DownloadSiteUrl()
{
    return ServerWithPath("DownloadSite", "http://downloads.palomer.example", "/");
}

QUrl StationDirectoryUrl()
{
    return QUrl(ReadSectionString(settings::kServersSection, "StationDirectory", QString()));
}

QString SupportEmail()
{
    return QStringLiteral("support@palomer.example");
}
} // namespace servers
