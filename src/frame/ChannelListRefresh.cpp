// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/ChannelListRefresh.h"
#include "base/Commands.h"
#include "base/Logging.h"
#include "base/TextAreas.h"

#include "base/ServerAddresses.h"
#include "base/SettingNames.h"
#include "base/StringTable.h"
#include "catalogue/DataFolder.h"
#include "download/DlgFileDownloader.h"
#include "frame/MainFrame.h"
#include "platform/MessageBox.h"
#include "platform/WholeFile.h"
#include "stations/ChannelSources.h"
#include "stations/PublicChannelList.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLocale>
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

namespace
{
void ReloadActiveView(const QPointer<CMainFrame>& frame)
{
    if (frame)
        frame->NotifyChannelListArrived();
}

void ShowRefreshFailed(CMainFrame* pFrame)
{
    ShowMessageBox(pFrame, AppTitle(), QMessageBox::Information,
                   text::MainWindow::tr("Failed to Update Load Channels List.\n\n"
                                        "Please make sure you Computer is connected to Internet.\n\n"
                                        "In case the problem persists please do write to us at ") +
                       servers::SupportEmail() + QLatin1Char('.'));
}

// A fetched or built list that could not be put where the view loads it from (a full disk): the
// view keeps what it shows, and the user hears why.
void ShowWriteFailed(CMainFrame* pFrame, const QString& strWhy)
{
    qCWarning(lcList, "the channel list could not be stored: %s", qUtf8Printable(strWhy));
    if (pFrame)
        pFrame->SetStatusText(
            text::MainWindow::tr("The channel list could not be refreshed: it could not be saved (%1).")
                .arg(strWhy));
}

// The public list built before, put where the view loads it from; false when there is none or it
// could not be put there (*pstrError then says why).
bool UsePublicList(QString* pstrError)
{
    const QString strList = GetPublicChannelListPath();
    return QFileInfo::exists(strList) &&
           CopyWholeFile(strList, GetChannelListPath(), kMaxChannelListBytes, pstrError);
}

CDlgFileDownloader* RefreshFromServer(CMainFrame* pFrame)
{
    auto* pDlg = new CDlgFileDownloader(pFrame);
    pDlg->m_strMessage = text::MainWindow::tr("Loading Channels List Now...");
    QPointer<CMainFrame> frame(pFrame);
    QObject::connect(pDlg, &CDlgFileDownloader::DownloadFinished, pDlg,
                     [pDlg, frame](int nResult)
                     {
                         pDlg->deleteLater();
                         if (nResult)
                             ReloadActiveView(frame);
                         else if (!pDlg->WriteError().isEmpty())
                             ShowWriteFailed(frame, pDlg->WriteError());
                         else
                             ShowRefreshFailed(frame);
                     });
    pDlg->DownloadFile(servers::ChannelListUrl().toString(), GetChannelListPath());
    return pDlg;
}

CDlgFileDownloader* RefreshFromPublicSources(CMainFrame* pFrame, ERefresh eWhy)
{
    if (eWhy == ERefresh::Automatic && IsPublicChannelListFresh(GetPublicChannelListPath()))
    {
        QString strError;
        if (UsePublicList(&strError))
            ReloadActiveView(pFrame);
        else if (!strError.isEmpty())
            ShowWriteFailed(pFrame, strError);
        return nullptr;
    }
    auto* pDlg = new CDlgFileDownloader(pFrame);
    pDlg->m_strMessage = text::MainWindow::tr("Loading Channels List Now...");
    QPointer<CMainFrame> frame(pFrame);
    QObject::connect(pDlg, &CDlgFileDownloader::DownloadFinished, pDlg,
                     [pDlg, frame, eWhy](int nResult)
                     {
                         pDlg->deleteLater();
                         // A failed build leaves the list built before, which is used as it is.
                         QString strError;
                         const bool bHaveList = UsePublicList(&strError);
                         if (!strError.isEmpty())
                         {
                             // The view keeps the channels it shows.
                             ShowWriteFailed(frame, strError);
                             return;
                         }
                         // Reloaded even without a list: the view then says how to get channels.
                         ReloadActiveView(frame);
                         if (nResult)
                             return;
                         if (!bHaveList && eWhy == ERefresh::UserAsked)
                             ShowRefreshFailed(frame);
                         else if (bHaveList && frame)
                             frame->SetStatusText(
                                 text::MainWindow::tr("The channel list could not be refreshed; the list of %1 "
                                                      "is shown.")
                                     .arg(QLocale().toString(PublicChannelListTime(GetPublicChannelListPath())
                                                                 .toLocalTime(),
                                                             QLocale::ShortFormat)));
                     });
    pDlg->BuildChannelList(new CChannelSources);
    return pDlg;
}
} // namespace

CDlgFileDownloader* RefreshChannelList(CMainFrame* pFrame, ERefresh eWhy)
{
    // A refresh asked for while one runs (a filter changed twice in a row) is the same refresh: the
    // list is filtered when it is loaded, after the download, with the choices of that moment.
    if (pFrame)
        if (auto* pRunning = pFrame->findChild<CDlgFileDownloader*>(QString(), Qt::FindDirectChildrenOnly))
            return pRunning;
    if (servers::HasChannelListServer())
        return RefreshFromServer(pFrame);
    return RefreshFromPublicSources(pFrame, eWhy);
}

void OpenPromotionSite()
{
    OpenInBrowser(servers::PromotionUrl());
}

void OpenDownloadSite()
{
    OpenInBrowser(servers::DownloadSiteUrl());
}

