// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Addresses of the servers the program talks to. The settings file can set each one in the "Servers"
// section; where it does not, the environment variable VEDRIX_SERVER_<key> can (the test environment
// points every public server at 127.0.0.1 that way), and then the built-in default holds.
//
// The maker's own servers (channel list, banner, promotion and download sites) have no built-in
// address: until one is configured the program builds its channel list from public sources and shows
// its own pages in place of the maker's.
#include <QUrl>

namespace servers
{
// Whether a channel list server is configured (key "ChannelListServer").
bool HasChannelListServer();
// The maker's channel list: the configured server with the path "/tvlist.zip"; empty when none is.
QUrl ChannelListUrl();
// The banner page: the banner server with the path "/banners/vedrix/". Key "BannerServer". Empty when
// none is configured.
QUrl BannerUrl();
// The promotion site, path "/". Key "PromotionSite". Empty when none is configured.
QUrl PromotionUrl();
// The software download site, path "/". Key "DownloadSite". Empty when none is configured.
QUrl DownloadSiteUrl();
// The station directory's server, a base URL such as "http://127.0.0.1:8080" (its API paths go below
// it). Empty unless key "StationDirectory" is set: the directory client then finds a server itself.
QUrl StationDirectoryUrl();
// The folder of the public per-language TV playlists; "<ISO 639-3 code>.m3u" is appended to it. Key
// "TvChannelLists", by default the iptv-org project's language lists.
QUrl TvChannelListsUrl();
// The support e-mail address shown in the About box, the status pane and the failure message.
QString SupportEmail();
} // namespace servers
