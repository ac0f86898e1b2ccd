// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/ServerAddresses.h"

#include "base/Settings.h"

namespace
{
// The settings value, else the environment's VEDRIX_SERVER_<name>, else the key's default. Read from
// the file each time (the addresses are asked for rarely, from places that have no settings store at
// hand), and never written.
QString ServerSetting(const settings::StringSetting& key)
{
    const QString strEnvironment =
        qEnvironmentVariable((QByteArray("VEDRIX_SERVER_") + key.name).constData());
    return ReadSectionString(QString::fromLatin1(key.group), QString::fromLatin1(key.name),
                             strEnvironment.isEmpty() ? QString::fromUtf8(key.defaultValue) : strEnvironment);
}

// An override is a scheme and host (and port), such as "http://127.0.0.1:8080"; the path is fixed.
// Nothing configured gives an empty address.
QUrl ServerWithPath(const settings::StringSetting& key, const char* path)
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
    return ServerWithPath(settings::kChannelListServer, "/tvlist.zip");
}

QUrl BannerUrl()
{
    return ServerWithPath(settings::kBannerServer, "/banners/vedrix/");
}

QUrl PromotionUrl()
{
    return ServerWithPath(settings::kPromotionSite, "/");
}

QUrl DownloadSiteUrl()
{
    return ServerWithPath(settings::kDownloadSite, "/");
}

QUrl StationDirectoryUrl()
{
    return QUrl(ServerSetting(settings::kStationDirectory).trimmed());
}

QUrl TvChannelListsUrl()
{
    QUrl url(ServerSetting(settings::kTvChannelLists).trimmed());
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
