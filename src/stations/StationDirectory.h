// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Client of the public station directory (radio-browser's JSON API).
//
// Everything is asynchronous: Search() answers with ResultsReady or Failed, never both, never
// twice, and always within Timeout() milliseconds (10 s), whatever the network does, reading the
// answer included. A new Search() replaces one that is still running, which then reports nothing.
// An answer is read up to MaxAnswerBytes() (4 MiB, ten times what the largest search gives); a
// longer one ends the search with Failed, and of the stations an answer lists, no more are kept than
// the search asked for.
//
// The server: the "StationDirectory" value of the "Servers" settings group when it is set, read for
// every request (the tests point it at a local fake, tools/fakedirectory.py); otherwise one of the
// servers that the DNS SRV record "_api._tcp.radio-browser.info" lists, picked at random as the
// directory asks its clients to; when that lookup fails or takes too long, one of FallbackServers().
// The choice is kept until a request to it fails.
#include "platform/Clock.h"
#include "stations/StationRecord.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

class QDnsLookup;
class QNetworkAccessManager;
class QNetworkReply;

// What to look for; empty fields are not sent. Names, tags, countries and languages match parts of
// words in the directory, letter case ignored.
class CDirectoryQuery
{
public:
    QString m_strName;
    QString m_strTag;
    QString m_strCountry;
    QString m_strLanguage;
    int m_nLimit = 100;
    QString m_strCountryCode; // two letters, matched exactly
    // Stations whose last check failed are left out unless this is false.
    bool m_bHideBroken = true;
};

// One station as the directory describes it (the documented fields of /json/stations/search).
class CDirectoryStation
{
public:
    QString m_strUuid; // stationuuid: the directory's lasting id of the station
    QString m_strName;
    QString m_strUrl;         // url: as the station's owner entered it (may be a playlist)
    QString m_strUrlResolved; // url_resolved: the stream behind it, as the directory last found it
    QString m_strHomepage;
    QString m_strFavicon;
    QString m_strTags; // comma separated
    QString m_strCountry;
    QString m_strCountryCode;
    QString m_strLanguage; // comma separated
    QString m_strCodec;
    int m_nBitrate = 0; // kbit/s, 0 when unknown
    bool m_bHls = false;
    bool m_bLastCheckOk = false;
    int m_nVotes = 0;
    int m_nClickCount = 0;

    // The address to play: url_resolved when it is a network address, otherwise url.
    QString PlayAddress() const;
    // The station for My Stations, with the origin "directory:<uuid>".
    CStationRecord ToStationRecord() const;
};

using CDirectoryStationList = QList<CDirectoryStation>;

// "Vedrix/<version>": how the program names itself to the public servers it asks, as the directory
// asks every client to.
QString DirectoryUserAgent();

// The most stations a search may ask for; the directory's own limit is higher, but no list is that long.
constexpr int kMaxDirectoryResults = 1000;

// Turns the body of /json/stations/search into stations; false when it is not a JSON array.
// Entries without a playable address are left out, and only the first nMaxStations of the others
// are kept.
bool ParseDirectoryStations(const QByteArray& body, CDirectoryStationList& stations,
                            int nMaxStations = kMaxDirectoryResults);

class CStationDirectory : public QObject
{
    Q_OBJECT

public:
    // The deadlines run on clock (tests pass one that they move on by hand).
    explicit CStationDirectory(QObject* pParent = nullptr, CClock& clock = CClock::System());
    ~CStationDirectory() override;

    // Starts a search (at most one runs; a running one is dropped silently).
    void Search(const CDirectoryQuery& query);
    // Tells the directory that the station is being played (/json/url/<uuid>), as it asks every
    // player to do; the answer only comes as ClickCounted. A uuid with other characters than
    // letters, digits and "-" is not sent (ClickCounted(uuid, false) follows at once).
    void CountClick(const QString& strUuid);
    // Drops the running search without a signal.
    void Cancel();
    bool IsSearching() const { return m_bSearchPending; }

    // The server in use; empty until one has been found.
    QUrl Server() const { return m_urlServer; }

    // Knobs with sensible defaults, for tests and for the user interface's own needs.
    int Timeout() const { return m_nTimeoutMs; }
    void SetTimeout(int nMilliseconds) { m_nTimeoutMs = nMilliseconds; }
    static constexpr qint64 MaxAnswerBytes() { return qint64(4) * 1024 * 1024; }
    QString SrvName() const { return m_strSrvName; }
    void SetSrvName(const QString& strName) { m_strSrvName = strName; }
    QList<QUrl> FallbackServers() const { return m_fallbackServers; }
    void SetFallbackServers(const QList<QUrl>& servers) { m_fallbackServers = servers; }

signals:
    void ResultsReady(const CDirectoryStationList& stations);
    void Failed(const QString& strMessage);
    void ClickCounted(const QString& strUuid, bool bCounted);

private:
    bool HaveServer();
    void FindServer();
    void OnDnsFinished();
    void UseServer(const QUrl& server);
    void SendSearch();
    void SendClick(const QString& strUuid);
    void OnSearchFinished();
    // Ends the search when the answer says or shows that it is longer than MaxAnswerBytes().
    void CheckAnswerSize();
    void OnTimeout();
    void Fail(const QString& strMessage);
    QUrl ApiUrl(const QString& strPath) const;
    QNetworkReply* Get(const QUrl& url);

    QNetworkAccessManager* m_pNetwork;
    QDnsLookup* m_pDns = nullptr;
    CClock& m_clock;
    CClockTimer* m_pTimerSearch; // the whole search, from Search() to its signal
    qint64 m_nDeadlineMs = 0;    // its end on m_clock, for work that keeps the timer from firing (reading)
    CClockTimer* m_pTimerDns;    // a lookup that takes this long gives way to the fallback servers
    QPointer<QNetworkReply> m_pSearchReply;
    CDirectoryQuery m_query;
    bool m_bSearchPending = false;
    QStringList m_pendingClicks; // asked for while the server was still being looked up
    QUrl m_urlServer;
    int m_nTimeoutMs = 10000;
    int m_nDnsTimeoutMs = 3000;
    QString m_strSrvName = QStringLiteral("_api._tcp.radio-browser.info");
    QList<QUrl> m_fallbackServers;
};
