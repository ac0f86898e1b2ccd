// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Command 310 and the links to the maker's sites (commands 311, 312, 315, 316).
class CDlgFileDownloader;
class CMainFrame;

// Why the list is refreshed: the user asked ("Refresh Channels List"), or a view opened or a display
// choice changed and wants the list loaded.
enum class ERefresh
{
    UserAsked,
    Automatic,
};

// Brings a channel list into the data folder and announces it (CMainFrame::ChannelListArrived), for
// the player's page to reload.
//
// With the maker's channel list server configured, every refresh downloads the list through the
// download dialog, modal over pFrame, and a failure is told in a message box.
//
// Without it the list is built from the public sources (stations/ChannelSources.h). An automatic
// refresh takes the list built within the last day, asking no server; the user's refresh, or a list
// older than a day, asks the sources through the download dialog. When no source answers, the list
// built before is used; with none, the view shows its empty list and a line that says how to get
// channels, and only the user's own refresh shows the message box.
//
// Returns the dialog, whose DownloadFinished reports the outcome, or null when no dialog was needed;
// a refresh already under way is returned instead of starting a second one.
CDlgFileDownloader* RefreshChannelList(CMainFrame* pFrame, ERefresh eWhy = ERefresh::UserAsked);
// 311 and 315: the promotion page and the software download site in the user's browser.
void OpenPromotionSite();
void OpenDownloadSite();
