#include "frame/ChannelListRefresh.h"

int RefreshChannelList(CMDIFrameWnd*)
{
    return 0;
}

void OpenPromotionSite() {}
void OpenDownloadSite() {}
void RefreshPromotionView(CMDIFrameWnd*) {}
void RefreshStoreView(CMDIFrameWnd*) {}
