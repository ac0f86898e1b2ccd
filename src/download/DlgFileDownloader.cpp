// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "download/DlgFileDownloader.h"
#include "base/TextAreas.h"

#include "base/SettingNames.h"
#include "catalogue/DataFolder.h"
#include "platform/ProcessAge.h"
#include "platform/WaitCursor.h"
#include "platform/WholeFile.h"
#include "base/PlayerTrace.h"
#include "stations/ChannelSources.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace
{
constexpr int kStartDelayMs = 1000;

const char* const kApplicationIcon = ":/res/icons/vedrix.svg";

QIcon ApplicationIcon()
{
    if (QFile::exists(QLatin1String(kApplicationIcon)))
        return QIcon(QLatin1String(kApplicationIcon));
    return QGuiApplication::windowIcon();
}
} // namespace

CDlgFileDownloader::CDlgFileDownloader(QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_pMessage(new QLabel(this))
{
    setObjectName(QStringLiteral("CDlgFileDownloader"));
    setWindowTitle(text::Dialogs::tr("Downloading File..."));
    setModal(true);

    m_pMessage->setObjectName(QString::number(IDC_MESSAGE));
    m_pMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pMessage->setTextFormat(Qt::PlainText);
    // A little larger than body text: the dialog holds nothing else, and the caption needs room.
    QFont font = m_pMessage->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    m_pMessage->setFont(font);
    m_pMessage->setMinimumWidth(240);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(m_pMessage);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kStartDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &CDlgFileDownloader::OnTimer);
    connect(&m_downloadManager, &CFileDownloadManager::Finished, this, &CDlgFileDownloader::OnFetched);
    // Whichever way the dialog ends (fetched, failed, closed in the first second), the caller hears once.
    connect(this, &QDialog::finished, this,
            [this](int nCode)
            {
                int nResult = 0;
                if (nCode == kResultFetched)
                {
                    nResult = CopyWholeFile(m_strDownloadedFile, m_strDestination, kMaxChannelListBytes,
                                            &m_strWriteError)
                                  ? 1
                                  : 0;
                    QFile::remove(m_strDownloadedFile);
                    m_strDownloadedFile.clear();
                }
                else if (nCode == kResultBuilt)
                {
                    nResult = 1;
                }
                emit DownloadFinished(nResult);
            });
}

CDlgFileDownloader::~CDlgFileDownloader() = default;

void CDlgFileDownloader::DownloadFile(const QString& strUrl, const QString& strDestination)
{
    m_strFileUrl = strUrl;
    m_strDestination = strDestination;
    m_strDownloadedFile.clear();
    m_strWriteError.clear();
    OnInitDialog();
    open();
}

void CDlgFileDownloader::BuildChannelList(CChannelSources* pSources)
{
    m_pSources = pSources;
    m_pSources->setParent(this);
    connect(m_pSources, &CChannelSources::Progress, this, &CDlgFileDownloader::OnSourcesProgress);
    connect(m_pSources, &CChannelSources::Finished, this,
            [this](bool bWritten)
            {
                playertrace::Mark("channel sources: list written", bWritten ? "yes" : "no");
                m_pWait.reset();
                m_bTransferring = false;
                done(bWritten ? kResultBuilt : kResultFailed);
            });
    m_strFileUrl.clear();
    m_strDestination.clear();
    m_strDownloadedFile.clear();
    OnInitDialog();
    open();
}

void CDlgFileDownloader::OnSourcesProgress(int nAnswered, int nTotal)
{
    playertrace::Mark("channel sources: answer");
    m_pMessage->setText(text::Dialogs::tr("%1 (%2 of %3 sources)").arg(m_strMessage).arg(nAnswered).arg(nTotal));
}

void CDlgFileDownloader::OnInitDialog()
{
    m_pMessage->setText(m_strMessage);
    m_hIcon = ApplicationIcon();
    if (!m_hIcon.isNull())
        setWindowIcon(m_hIcon);
    setWindowTitle(QString::fromUtf8(settings::kApplication));
    // Single shot: the fetch runs once, a second after the dialog appears. The program's own first
    // fetch, at its start, waits the second from the program's start instead: the window, the list
    // and the player are made during that second rather than before it, and auto play comes sooner.
    const long long nAge = ProcessAgeMs();
    m_timer.start(nAge >= 0 && nAge < kStartDelayMs ? int(kStartDelayMs - nAge) : kStartDelayMs);
    playertrace::Mark("download dialog: the wait begins");
}

void CDlgFileDownloader::OnTimer()
{
    playertrace::Mark("download dialog: the wait is over");
    m_timer.stop();
    m_bTransferring = true;
    m_pWait = std::make_unique<CWaitCursor>();
    if (m_pSources)
    {
        playertrace::Mark("channel sources: fetch begins");
        m_pSources->Start();
        return;
    }
    m_downloadManager.m_strUrl = m_strFileUrl;
    m_downloadManager.Start();
}

void CDlgFileDownloader::OnFetched(bool bSuccess)
{
    playertrace::Mark("download dialog: fetched");
    m_pWait.reset();
    m_bTransferring = false;
    if (bSuccess)
    {
        m_strDownloadedFile = m_downloadManager.m_strTempFile;
        done(kResultFetched);
    }
    else
    {
        done(kResultFailed);
    }
}

void CDlgFileDownloader::reject()
{
    if (m_bTransferring && !m_pSources)
        return;
    if (m_pSources)
        m_pSources->Cancel();
    m_pWait.reset();
    m_bTransferring = false;
    m_timer.stop();
    done(kResultFailed);
}
