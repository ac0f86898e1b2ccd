#pragma once
// Addresses of the maker's servers. Built-in defaults; the settings file can override each one in
// the "Servers" section (the demo and the tests point them at local servers).
#include <QUrl>

namespace servers
{
// Base address of the channel list server; the list is its path "/tvlist.zip". Key "ChannelListServer".
QUrl ChannelListUrl();
// The banner page: the banner server with the path "/banners/vedrix/". Key "BannerServer".
QUrl BannerUrl();
// The promotion site, path "/". Key "PromotionSite".
QUrl PromotionUrl();
// The software download site, path "/". Key "DownloadSite".
QUrl DownloadSiteUrl();
// The station directory's server, a base URL such as "http://127.0.0.1:8080" (its API paths go below
// it). Empty unless key "StationDirectory" is set: the directory client then finds a server itself.
QUrl StationDirectoryUrl();
// The support e-mail address shown in the About box, the status pane and the failure message.
QString SupportEmail();
} // namespace servers
