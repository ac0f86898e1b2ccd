// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/StationDirectory.h"

#include "base/Logging.h"
#include "base/ServerAddresses.h"
#include "stations/StreamAddress.h"
#include "stations/ReplyLimit.h"

#include <QCoreApplication>
#include <QDnsLookup>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrlQuery>

#ifndef VEDRIX_VERSION
#define VEDRIX_VERSION "1.0"
#endif

namespace
{
QString Text(const QJsonObject& object, const char* pszKey)
{
    const QJsonValue value = object.value(QLatin1String(pszKey));
    if (value.isString())
        return value.toString().trimmed();
    if (value.isDouble())
        return QString::number(value.toDouble());
    return {};
}

// The directory sends numbers and flags as JSON numbers; older servers sent them as strings.
int Number(const QJsonObject& object, const char* pszKey)
{
    const QJsonValue value = object.value(QLatin1String(pszKey));
    if (value.isDouble())
        return value.toInt();
    if (value.isBool())
        return value.toBool() ? 1 : 0;
    if (value.isString())
    {
        if (value.toString() == QLatin1String("true"))
            return 1;
        return value.toString().toInt();
    }
    return 0;
}

bool IsSafeUuid(const QString& strUuid)
{
    static const QRegularExpression uuid(QStringLiteral("^[0-9A-Za-z-]{1,64}$"));
    return uuid.match(strUuid).hasMatch();
}
} // namespace

QString DirectoryUserAgent()
{
    QString strVersion = QCoreApplication::applicationVersion();
    if (strVersion.isEmpty())
        strVersion = QStringLiteral(VEDRIX_VERSION);
    return QStringLiteral("Vedrix/") + strVersion;
}

QString CDirectoryStation::PlayAddress() const
{
    return CStreamAddress::IsPlayable(m_strUrlResolved) ? m_strUrlResolved : m_strUrl;
}

CStationRecord CDirectoryStation::ToStationRecord() const
{
    CStationRecord record;
    record.m_strName = m_strName.simplified();
    record.m_strUrl = PlayAddress();
    record.m_strLanguage = m_strLanguage;
    QStringList about;
    if (!m_strCountry.isEmpty())
        about << m_strCountry;
    if (!m_strTags.isEmpty())
        about << m_strTags;
    record.m_strDescription = about.join(QLatin1String("; "));
    record.m_strOrigin = CStationRecord::DirectoryOrigin(m_strUuid);
    return record;
}

bool ParseDirectoryStations(const QByteArray& body, CDirectoryStationList& stations, int nMaxStations)
{
    stations.clear();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return false;
    const QJsonArray array = document.array();
    for (const QJsonValue& value : array)
    {
        if (stations.size() >= nMaxStations)
            break;
        if (!value.isObject())
            continue;
        const QJsonObject object = value.toObject();
        CDirectoryStation station;
        station.m_strUuid = Text(object, "stationuuid");
        station.m_strName = Text(object, "name");
        station.m_strUrl = Text(object, "url");
        station.m_strUrlResolved = Text(object, "url_resolved");
        station.m_strHomepage = Text(object, "homepage");
        station.m_strFavicon = Text(object, "favicon");
        station.m_strTags = Text(object, "tags");
        station.m_strCountry = Text(object, "country");
        station.m_strCountryCode = Text(object, "countrycode");
        station.m_strLanguage = Text(object, "language");
        station.m_strCodec = Text(object, "codec");
        station.m_nBitrate = Number(object, "bitrate");
        station.m_bHls = Number(object, "hls") != 0;
        station.m_bLastCheckOk = Number(object, "lastcheckok") != 0;
        station.m_nVotes = Number(object, "votes");
        station.m_nClickCount = Number(object, "clickcount");
        // A station that the player may not open is of no use in the list.
        if (!CStreamAddress::IsPlayable(station.PlayAddress()))
            continue;
        stations.append(station);
    }
    return true;
}

CStationDirectory::CStationDirectory(QObject* pParent, CClock& clock)
    : QObject(pParent), m_pNetwork(new QNetworkAccessManager(this)), m_clock(clock),
      m_pTimerSearch(clock.NewTimer(this)), m_pTimerDns(clock.NewTimer(this)),
      m_fallbackServers{QUrl(QStringLiteral("https://de1.api.radio-browser.info")),
                        QUrl(QStringLiteral("https://nl1.api.radio-browser.info")),
                        QUrl(QStringLiteral("https://at1.api.radio-browser.info"))}
{
    connect(m_pTimerSearch, &CClockTimer::Timeout, this, &CStationDirectory::OnTimeout);
    connect(m_pTimerDns, &CClockTimer::Timeout, this,
            [this]
            {
                if (m_pDns)
                    m_pDns->abort(); // finished() follows with an error: the fallback takes over
            });
}

CStationDirectory::~CStationDirectory()
{
    Cancel();
}

void CStationDirectory::Search(const CDirectoryQuery& query)
{
    Cancel();
    m_query = query;
    m_bSearchPending = true;
    m_pTimerSearch->Start(m_nTimeoutMs);
    m_nDeadlineMs = m_clock.NowMs() + m_nTimeoutMs;
    if (HaveServer())
        SendSearch();
    else
        FindServer();
}

void CStationDirectory::CountClick(const QString& strUuid)
{
    if (!IsSafeUuid(strUuid))
    {
        emit ClickCounted(strUuid, false);
        return;
    }
    if (HaveServer())
        SendClick(strUuid);
    else
    {
        m_pendingClicks.append(strUuid);
        FindServer();
    }
}

void CStationDirectory::Cancel()
{
    m_bSearchPending = false;
    m_pTimerSearch->Stop();
    if (m_pSearchReply)
    {
        QNetworkReply* pReply = m_pSearchReply;
        m_pSearchReply = nullptr;
        pReply->disconnect(this);
        pReply->abort();
        pReply->deleteLater();
    }
}

bool CStationDirectory::HaveServer()
{
    // The setting is read each time, so that a changed one counts from the next request on.
    const QUrl configured = servers::StationDirectoryUrl();
    if (configured.isValid() && !configured.isEmpty())
        m_urlServer = configured;
    return m_urlServer.isValid() && !m_urlServer.isEmpty();
}

void CStationDirectory::FindServer()
{
    if (m_pDns)
        return; // a lookup is under way; its end sends what waits
    m_pDns = new QDnsLookup(QDnsLookup::SRV, m_strSrvName, this);
    connect(m_pDns, &QDnsLookup::finished, this, &CStationDirectory::OnDnsFinished);
    m_pTimerDns->Start(qMin(m_nDnsTimeoutMs, m_nTimeoutMs / 2));
    m_pDns->lookup();
}

void CStationDirectory::OnDnsFinished()
{
    m_pTimerDns->Stop();
    QDnsLookup* pDns = m_pDns;
    m_pDns = nullptr;
    pDns->deleteLater();
    QList<QUrl> candidates;
    if (pDns->error() == QDnsLookup::NoError)
    {
        const auto records = pDns->serviceRecords();
        for (const QDnsServiceRecord& record : records)
        {
            QString strHost = record.target();
            if (strHost.endsWith(u'.'))
                strHost.chop(1);
            if (strHost.isEmpty())
                continue;
            QUrl url;
            url.setScheme(QStringLiteral("https"));
            url.setHost(strHost);
            if (record.port() != 443 && record.port() != 0)
                url.setPort(record.port());
            candidates.append(url);
        }
    }
    if (candidates.isEmpty())
        candidates = m_fallbackServers;
    if (candidates.isEmpty())
    {
        const QStringList clicks = std::exchange(m_pendingClicks, {});
        for (const QString& strUuid : clicks)
            emit ClickCounted(strUuid, false);
        Fail(tr("No server of the station directory could be found."));
        return;
    }
    // Spreads the clients over the directory's servers, as its operators ask.
    UseServer(candidates.at(int(QRandomGenerator::global()->bounded(candidates.size()))));
}

void CStationDirectory::UseServer(const QUrl& server)
{
    m_urlServer = server;
    if (m_bSearchPending && !m_pSearchReply)
        SendSearch();
    const QStringList clicks = std::exchange(m_pendingClicks, {});
    for (const QString& strUuid : clicks)
        SendClick(strUuid);
}

QUrl CStationDirectory::ApiUrl(const QString& strPath) const
{
    QUrl url = m_urlServer;
    QString strBase = url.path();
    while (strBase.endsWith(u'/'))
        strBase.chop(1);
    url.setPath(strBase + strPath);
    url.setQuery(QString());
    return url;
}

QNetworkReply* CStationDirectory::Get(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, DirectoryUserAgent());
    request.setRawHeader("Accept", "application/json");
    request.setTransferTimeout(m_nTimeoutMs);
    return m_pNetwork->get(request);
}

void CStationDirectory::SendSearch()
{
    QUrl url = ApiUrl(QStringLiteral("/json/stations/search"));
    QUrlQuery query;
    const std::pair<const char*, const QString*> fields[] = {
        {"name", &m_query.m_strName},
        {"tag", &m_query.m_strTag},
        {"country", &m_query.m_strCountry},
        {"language", &m_query.m_strLanguage},
        {"countrycode", &m_query.m_strCountryCode},
    };
    for (const auto& [pszKey, pValue] : fields)
    {
        if (!pValue->trimmed().isEmpty())
            query.addQueryItem(QLatin1String(pszKey), pValue->trimmed());
    }
    query.addQueryItem(QStringLiteral("hidebroken"), m_query.m_bHideBroken ? QStringLiteral("true")
                                                                           : QStringLiteral("false"));
    query.addQueryItem(QStringLiteral("order"), QStringLiteral("clickcount"));
    query.addQueryItem(QStringLiteral("reverse"), QStringLiteral("true"));
    query.addQueryItem(QStringLiteral("limit"),
                       QString::number(qBound(1, m_query.m_nLimit, kMaxDirectoryResults)));
    url.setQuery(query);
    m_pSearchReply = Get(url);
    connect(m_pSearchReply, &QNetworkReply::metaDataChanged, this, &CStationDirectory::CheckAnswerSize);
    connect(m_pSearchReply, &QNetworkReply::readyRead, this, &CStationDirectory::CheckAnswerSize);
    connect(m_pSearchReply, &QNetworkReply::finished, this, &CStationDirectory::OnSearchFinished);
}

void CStationDirectory::CheckAnswerSize()
{
    if (!m_pSearchReply)
        return;
    if (IsReplyTooLong(m_pSearchReply, MaxAnswerBytes()))
    {
        m_urlServer.clear();
        Fail(tr("The station directory sent an answer longer than %1 MB; the search was stopped.")
                 .arg(MaxAnswerBytes() / (1024 * 1024)));
    }
}

void CStationDirectory::OnSearchFinished()
{
    QNetworkReply* pReply = m_pSearchReply;
    m_pSearchReply = nullptr;
    if (!pReply)
        return;
    pReply->deleteLater();
    if (!m_bSearchPending)
        return;
    if (pReply->error() != QNetworkReply::NoError)
    {
        const int nStatus = pReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // Another server may do better next time.
        m_urlServer.clear();
        if (pReply->error() == QNetworkReply::OperationCanceledError)
            OnTimeout(); // the transfer timeout ended it
        else if (nStatus != 0)
            Fail(tr("The station directory answered with an error (HTTP %1).").arg(nStatus));
        else
            Fail(tr("The station directory could not be reached: %1").arg(pReply->errorString()));
        return;
    }
    CDirectoryStationList stations;
    if (!ParseDirectoryStations(pReply->read(MaxAnswerBytes() + 1), stations,
                                qBound(1, m_query.m_nLimit, kMaxDirectoryResults)))
    {
        Fail(tr("The station directory sent an answer that could not be read."));
        return;
    }
    // Reading took the event loop's time: the timer may not have had its turn.
    if (m_clock.NowMs() >= m_nDeadlineMs)
    {
        OnTimeout();
        return;
    }
    m_bSearchPending = false;
    m_pTimerSearch->Stop();
    emit ResultsReady(stations);
}

void CStationDirectory::SendClick(const QString& strUuid)
{
    QNetworkReply* pReply = Get(ApiUrl(QStringLiteral("/json/url/") + strUuid));
    // The answer is a few dozen bytes: a longer or endless one, or one that takes longer than a
    // search may, is cut off (finished follows with an error).
    constexpr qint64 kMaxClickAnswerBytes = 64 * 1024;
    const auto checkSize = [pReply]
    {
        if (IsReplyTooLong(pReply, kMaxClickAnswerBytes))
            pReply->abort();
    };
    connect(pReply, &QNetworkReply::metaDataChanged, pReply, checkSize);
    connect(pReply, &QNetworkReply::readyRead, pReply, checkSize);
    CClockTimer* pDeadline = m_clock.NewTimer(pReply);
    connect(pDeadline, &CClockTimer::Timeout, pReply, &QNetworkReply::abort);
    pDeadline->Start(m_nTimeoutMs);
    connect(pReply, &QNetworkReply::finished, this,
            [this, pReply, strUuid]
            {
                pReply->deleteLater();
                bool bCounted = false;
                if (pReply->error() == QNetworkReply::NoError)
                {
                    const QJsonObject answer =
                        QJsonDocument::fromJson(pReply->read(kMaxClickAnswerBytes)).object();
                    bCounted = Number(answer, "ok") != 0;
                }
                emit ClickCounted(strUuid, bCounted);
            });
}

void CStationDirectory::OnTimeout()
{
    if (!m_bSearchPending)
        return;
    Fail(tr("The station directory did not answer in %1 seconds.").arg((m_nTimeoutMs + 999) / 1000));
}

void CStationDirectory::Fail(const QString& strMessage)
{
    if (!m_bSearchPending)
        return;
    qCWarning(lcDirectory, "search failed: %s", qUtf8Printable(strMessage));
    Cancel();
    emit Failed(strMessage);
}
