#pragma once
// Command 310 and the links to the maker's sites (commands 311, 312, 315, 316).
class CDlgFileDownloader;
class CMDIFrameWnd;

// Starts downloading the channel list into the data folder through the download dialog, modal over
// pFrame; on success WM_USER+8 goes to the then active view, on failure the message box tells the
// user. Returns the dialog, whose DownloadFinished reports the outcome; a refresh already under way
// is returned instead of starting a second one.
CDlgFileDownloader* RefreshChannelList(CMDIFrameWnd* pFrame);
// 311 and 315: the promotion page and the software download site in the user's browser.
void OpenPromotionSite();
void OpenDownloadSite();
// 312 and 316: post WM_USER+6 or WM_USER+7 to the active view, if there is one.
void RefreshPromotionView(CMDIFrameWnd* pFrame);
void RefreshStoreView(CMDIFrameWnd* pFrame);
