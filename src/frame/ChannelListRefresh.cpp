#include "frame/ChannelListRefresh.h"
#include "app/Commands.h"
#include "app/TextAreas.h"

#include "app/ServerAddresses.h"
#include "app/SettingNames.h"
#include "app/StringTable.h"
#include "catalogue/DataFolder.h"
#include "download/DlgFileDownloader.h"
#include "platform/MDIFrameWnd.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/View.h"

#include <QDesktopServices>
#include <QPointer>
#include <QUrl>

namespace
{
void OpenInBrowser(const QUrl& url)
{
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        QDesktopServices::openUrl(url);
}
} // namespace

CDlgFileDownloader* RefreshChannelList(CMDIFrameWnd* pFrame)
{
    // A refresh asked for while one runs (a filter changed twice in a row) is the same refresh: the
    // list is filtered when it is loaded, after the download, with the choices of that moment.
    if (pFrame)
        if (auto* pRunning = pFrame->findChild<CDlgFileDownloader*>(QString(), Qt::FindDirectChildrenOnly))
            return pRunning;

    auto* pDlg = new CDlgFileDownloader(pFrame);
    pDlg->m_strMessage = text::MainWindow::tr("Loading Channels List Now...");
    QPointer<CMDIFrameWnd> frame(pFrame);
    QObject::connect(pDlg, &CDlgFileDownloader::DownloadFinished, pDlg,
                     [pDlg, frame](int nResult)
                     {
                         pDlg->deleteLater();
                         if (nResult)
                         {
                             if (CView* pView = frame ? frame->GetActiveView() : nullptr)
                                 SendMessage(pView, WM_RELOAD_CHANNELS, 0, 0);
                             return;
                         }
                         ShowMessageBox(frame, AppTitle(), QMessageBox::Information,
                                        text::MainWindow::tr(
                                            "Failed to Update Load Channels List.\n\n"
                                            "Please make sure you Computer is connected to Internet.\n\n"
                                            "In case the problem persists please do write to us at ") +
                                            servers::SupportEmail() + QLatin1Char('.'));
                     });
    pDlg->DownloadFile(servers::ChannelListUrl().toString(), GetChannelListPath());
    return pDlg;
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
