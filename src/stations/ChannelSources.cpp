// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/ChannelSources.h"

#include "base/ServerAddresses.h"
#include "stations/PublicChannelList.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace
{
int GroupCount()
{
    return int(LanguageGroups().size());
}
} // namespace

CChannelSources::CChannelSources(QObject* pParent)
    : QObject(pParent), m_strListPath(GetPublicChannelListPath()), m_pDirectory(new CStationDirectory(this))
{
    connect(m_pDirectory, &CStationDirectory::ResultsReady, this,
            [this](const CDirectoryStationList& stations) { OnDirectoryAnswer(&stations); });
    connect(m_pDirectory, &CStationDirectory::Failed, this, [this] { OnDirectoryAnswer(nullptr); });
}

CChannelSources::~CChannelSources()
{
    Cancel();
}

int CChannelSources::SourceCount()
{
    return 2 * GroupCount();
}

void CChannelSources::Start()
{
    Cancel();
    m_bRunning = true;
    m_radio = m_tv = QList<QList<CChannelRecord>>(GroupCount());
    m_radioAnswered = m_tvAnswered = QList<bool>(GroupCount(), false);
    m_nGroup = 0;
    m_nAnswered = 0;
    m_nDirectoryFailures = 0;
    AskTvLists();
    AskDirectory();
}

void CChannelSources::Cancel()
{
    m_bRunning = false;
    m_pDirectory->Cancel();
    for (const QPointer<QNetworkReply>& pReply : std::exchange(m_tvReplies, {}))
    {
        if (!pReply)
            continue;
        pReply->disconnect(this);
        pReply->abort();
        pReply->deleteLater();
    }
}

void CChannelSources::AskDirectory()
{
    // One group after the other: the directory is run by volunteers, and asks its clients to be gentle.
    const CLanguageGroup& group = LanguageGroups().at(m_nGroup);
    CDirectoryQuery query;
    if (group.m_strDirectoryKey == QLatin1String("countrycode"))
        query.m_strCountryCode = group.m_strDirectoryValue;
    else
        query.m_strLanguage = group.m_strDirectoryValue;
    query.m_nLimit = publiclist::kDirectoryLimit;
    // The broken stations come too: they are the list's channels marked OFF.
    query.m_bHideBroken = false;
    m_pDirectory->Search(query);
}

void CChannelSources::OnDirectoryAnswer(const CDirectoryStationList* pStations)
{
    if (!m_bRunning)
        return;
    if (pStations)
    {
        m_radio[m_nGroup] = ChannelsFromDirectory(LanguageGroups().at(m_nGroup), *pStations);
        m_radioAnswered[m_nGroup] = true;
        m_nDirectoryFailures = 0;
    }
    else if (++m_nDirectoryFailures >= kDirectoryFailuresToGiveUp)
    {
        // The directory is out of reach (each failure may have waited out its time-out): the groups
        // that are left keep what the last list had of them.
        while (m_nGroup + 1 < GroupCount())
        {
            ++m_nGroup;
            Answered();
        }
    }
    ++m_nGroup;
    // Asked from the event loop, not from inside the directory client's own signal.
    if (m_nGroup < GroupCount())
        QMetaObject::invokeMethod(this, [this] { if (m_bRunning) AskDirectory(); }, Qt::QueuedConnection);
    Answered();
}

void CChannelSources::AskTvLists()
{
    if (!m_pNetwork)
        m_pNetwork = new QNetworkAccessManager(this);
    const QUrl base = servers::TvChannelListsUrl();
    for (int nGroup = 0; nGroup < GroupCount(); ++nGroup)
    {
        QNetworkRequest request(base.resolved(QUrl(LanguageGroups().at(nGroup).m_strTvList + QLatin1String(".m3u"))));
        request.setHeader(QNetworkRequest::UserAgentHeader, DirectoryUserAgent());
        request.setTransferTimeout(m_nTimeoutMs);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply* pReply = m_pNetwork->get(request);
        m_tvReplies.append(pReply);
        // An endless or oversized answer is cut off rather than kept in memory.
        connect(pReply, &QNetworkReply::downloadProgress, this,
                [pReply](qint64 nReceived, qint64 nTotal)
                {
                    if (nReceived > publiclist::kMaxPlaylistBytes || nTotal > publiclist::kMaxPlaylistBytes)
                        pReply->abort();
                });
        connect(pReply, &QNetworkReply::finished, this, [this, nGroup, pReply] { OnTvAnswer(nGroup, pReply); });
    }
}

void CChannelSources::OnTvAnswer(int nGroup, QNetworkReply* pReply)
{
    pReply->deleteLater();
    m_tvReplies.removeAll(pReply);
    if (!m_bRunning)
        return;
    if (pReply->error() == QNetworkReply::NoError)
    {
        const CPlaylistResult playlist = ParsePlaylist(pReply->readAll(), pReply->url().fileName(), pReply->url());
        m_tv[nGroup] = ChannelsFromPlaylist(LanguageGroups().at(nGroup), playlist);
        m_tvAnswered[nGroup] = true;
    }
    Answered();
}

void CChannelSources::Answered()
{
    ++m_nAnswered;
    emit Progress(m_nAnswered, SourceCount());
    if (m_nAnswered == SourceCount())
        Complete();
}

void CChannelSources::Complete()
{
    m_bRunning = false;
    const QList<CChannelRecord> previous = ReadPublicChannelList(m_strListPath);
    QList<CChannelRecord> channels;
    bool bAnyChannel = false;
    for (bool bRadio : {true, false})
    {
        for (int nGroup = 0; nGroup < GroupCount(); ++nGroup)
        {
            const bool bAnswered = bRadio ? m_radioAnswered[nGroup] : m_tvAnswered[nGroup];
            const QList<CChannelRecord>& fetched = bRadio ? m_radio[nGroup] : m_tv[nGroup];
            bAnyChannel = bAnyChannel || !fetched.isEmpty();
            channels += bAnswered ? fetched : ChannelsOfSource(previous, LanguageGroups().at(nGroup), bRadio);
        }
    }
    if (!bAnyChannel)
    {
        emit Finished(false, 0);
        return;
    }
    const QList<CChannelRecord> merged = MergeInStableOrder(ChannelKeys(previous), channels);
    const bool bWritten = WritePublicChannelList(m_strListPath, merged);
    emit Finished(bWritten, bWritten ? int(merged.size()) : 0);
}
