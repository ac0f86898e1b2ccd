#pragma once
// Command 310 and the links to the maker's sites (commands 311, 312, 315, 316).
class CMDIFrameWnd;

// Downloads the channel list into the data folder through the download dialog and, on success, sends
// WM_USER+8 to the active view; on failure shows the message box. Non-zero on success.
int RefreshChannelList(CMDIFrameWnd* pFrame);
// 311 and 315: the promotion page and the software download site in the user's browser.
void OpenPromotionSite();
void OpenDownloadSite();
// 312 and 316: post WM_USER+6 or WM_USER+7 to the active view, if there is one.
void RefreshPromotionView(CMDIFrameWnd* pFrame);
void RefreshStoreView(CMDIFrameWnd* pFrame);
