#include "frame/ChannelListRefresh.h"

#include "app/ServerAddresses.h"
#include "app/SettingNames.h"
#include "catalogue/DataFolder.h"
#include "download/DlgFileDownloader.h"
#include "platform/MDIFrameWnd.h"
#include "platform/Messages.h"
#include "platform/View.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace
{
void OpenInBrowser(const QUrl& url)
{
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        QDesktopServices::openUrl(url);
}
} // namespace

int RefreshChannelList(CMDIFrameWnd* pFrame)
{
    const QString strDestination = GetChannelListPath();

    CDlgFileDownloader dlg(pFrame);
    dlg.m_strMessage = QStringLiteral("Loading Channels List Now...");
    const int nResult = dlg.DownloadFile(servers::ChannelListUrl().toString(), strDestination);

    if (nResult)
    {
        if (CView* pView = pFrame ? pFrame->GetActiveView() : nullptr)
            SendMessage(pView, WM_RELOAD_CHANNELS, 0, 0);
    }
    else
    {
        QMessageBox box(QMessageBox::Information, QString::fromUtf8(settings::kApplication),
                        QStringLiteral("Failed to Update Load Channels List.\n\n"
                                       "Please make sure you Computer is connected to Internet.\n\n"
                                       "In case the problem persists please do write to us at ") +
                            servers::SupportEmail() + QLatin1Char('.'),
                        QMessageBox::Ok, pFrame);
        box.exec();
    }
    return nResult;
}

void OpenPromotionSite()
{
    OpenInBrowser(servers::PromotionUrl());
}

void OpenDownloadSite()
{
    OpenInBrowser(servers::DownloadSiteUrl());
}

void RefreshPromotionView(CMDIFrameWnd* pFrame)
{
    if (CView* pView = pFrame ? pFrame->GetActiveView() : nullptr)
        PostMessage(pView, WM_PROMO_NAVIGATE, 0, 0);
}

void RefreshStoreView(CMDIFrameWnd* pFrame)
{
    if (CView* pView = pFrame ? pFrame->GetActiveView() : nullptr)
        PostMessage(pView, WM_STORE_NAVIGATE, 0, 0);
}
