// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The station directory client against tools/fakedirectory.py on 127.0.0.1: what it asks, what it
// makes of the answer, the clicks it counts, and each way a search can fail (garbage, an HTTP error,
// no answer in time, no server), including a DNS SRV lookup that fails and gives way to the fallback.
#include "ManualClock.h"
#include "TestSupport.h"

#include "base/SettingNames.h"
#include "stations/FaviconCache.h"
#include "stations/MyStations.h"
#include "stations/PublicAddress.h"
#include "stations/StationDirectory.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString kBerlinUuid = QStringLiteral("96062a7b-0601-11e8-ae97-52543be04c81");

// tools/fakedirectory.py with its control paths.
class CFakeDirectory
{
public:
    bool Start() { return m_server.Start(QStringLiteral("tools/fakedirectory.py")); }
    void Stop() { m_server.Stop(); }
    QString Base() const { return m_server.Base(); }
    QByteArray Get(const QString& strPathAndQuery) { return m_server.Get(strPathAndQuery); }
    int Count(const QString& strPath) { return Get("/__count?path=" + strPath).toInt(); }
    int Clicks(const QString& strUuid) { return Get("/__clicks?uuid=" + strUuid).toInt(); }
    QJsonObject LastSearch() { return QJsonDocument::fromJson(Get("/__last")).object(); }

private:
    testsupport::CLocalServer m_server;
};

void SetDirectoryServer(const QString& strBase)
{
    QSettings store(settings::kOrganization, settings::kApplication);
    const QString strKey = QLatin1String(settings::kServersSection) + "/StationDirectory";
    if (strBase.isEmpty())
        store.remove(strKey);
    else
        store.setValue(strKey, strBase);
}

// The process's peak resident memory since the last ResetPeakMemory(), in kB (Linux).
qint64 PeakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool ResetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

QStringList Names(const CDirectoryStationList& stations)
{
    QStringList names;
    for (const CDirectoryStation& station : stations)
        names << station.m_strName;
    return names;
}
} // namespace

class TestStationsDirectory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::ClearSettings();
        QVERIFY(m_server.Start());
    }
    void cleanupTestCase() { m_server.Stop(); }
    void init()
    {
        SetDirectoryServer(m_server.Base());
        m_server.Get("/__control?delay=0&garbage=0&status=0&endless=0&no_limit=0");
    }

    void search_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("expected");
        // Most played first; the broken station is hidden; the one on disk is left out by the client.
        QTest::newRow("tag") << ""
                             << "jazz"
                             << ""
                             << "" << 100 << QStringList{"Smooth Jazz Paris", "Jazz Radio Berlin"};
        QTest::newRow("name in any case") << "HINDI"
                                          << ""
                                          << ""
                                          << "" << 100 << QStringList{"Hindi Hits"};
        QTest::newRow("country and language") << ""
                                              << ""
                                              << "germany"
                                              << "english" << 100 << QStringList{"Nachrichten TV"};
        QTest::newRow("limit") << ""
                               << ""
                               << ""
                               << "" << 3
                               << QStringList{"Smooth Jazz Paris", "Jazz Radio Berlin", "Hindi Hits"};
        QTest::newRow("nothing found") << "no such station"
                                       << ""
                                       << ""
                                       << "" << 100 << QStringList{};
    }

    void search()
    {
        QFETCH(QString, name);
        QFETCH(QString, tag);
        QFETCH(QString, country);
        QFETCH(QString, language);
        QFETCH(int, limit);
        QFETCH(QStringList, expected);

        CStationDirectory directory;
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        QSignalSpy failed(&directory, &CStationDirectory::Failed);
        directory.Search(CDirectoryQuery{name, tag, country, language, limit, {}, true});
        QVERIFY(directory.IsSearching());
        QVERIFY(ready.wait(10000));
        QCOMPARE(failed.count(), 0);
        QCOMPARE(Names(ready.at(0).at(0).value<CDirectoryStationList>()), expected);
        QVERIFY(!directory.IsSearching());
        QCOMPARE(directory.Server(), QUrl(m_server.Base()));

        const QJsonObject last = m_server.LastSearch();
        QCOMPARE(last.value("user_agent").toString(), QStringLiteral("Vedrix/1.0"));
        const QJsonObject query = last.value("query").toObject();
        QCOMPARE(query.value("hidebroken").toString(), QStringLiteral("true"));
        QCOMPARE(query.value("order").toString(), QStringLiteral("clickcount"));
        QCOMPARE(query.value("reverse").toString(), QStringLiteral("true"));
        QCOMPARE(query.value("limit").toString(), QString::number(limit));
        QCOMPARE(query.value("name").toString(), name);
        QCOMPARE(query.contains("tag"), !tag.isEmpty());
    }

    void stationFieldsAndClicks()
    {
        CStationDirectory directory;
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        directory.Search(CDirectoryQuery{"", "", "germany", "", 100, {}, true});
        QVERIFY(ready.wait(10000));
        const auto stations = ready.at(0).at(0).value<CDirectoryStationList>();
        QCOMPARE(Names(stations), (QStringList{"Jazz Radio Berlin", "Nachrichten TV"}));
        const CDirectoryStation& berlin = stations[0];
        QCOMPARE(berlin.m_strUuid, kBerlinUuid);
        QCOMPARE(berlin.m_strUrl, QStringLiteral("http://jazz-berlin.example/listen.pls"));
        QCOMPARE(berlin.m_strUrlResolved, QStringLiteral("http://stream.jazz-berlin.example/live.mp3"));
        QCOMPARE(berlin.m_strHomepage, QStringLiteral("https://jazzradioberlin.example/"));
        QCOMPARE(berlin.m_strFavicon, QStringLiteral("https://jazzradioberlin.example/favicon.png"));
        QCOMPARE(berlin.m_strTags, QStringLiteral("jazz,smooth jazz"));
        QCOMPARE(berlin.m_strCountry, QStringLiteral("Germany"));
        QCOMPARE(berlin.m_strCountryCode, QStringLiteral("DE"));
        QCOMPARE(berlin.m_strLanguage, QStringLiteral("german"));
        QCOMPARE(berlin.m_strCodec, QStringLiteral("MP3"));
        QCOMPARE(berlin.m_nBitrate, 128);
        QCOMPARE(berlin.m_bHls, false);
        QCOMPARE(berlin.m_bLastCheckOk, true);
        QCOMPARE(berlin.m_nVotes, 420);
        QCOMPARE(berlin.m_nClickCount, 9000);
        QCOMPARE(stations[1].m_bHls, true);

        // Into My Stations with its origin, playing the resolved stream.
        const CStationRecord record = berlin.ToStationRecord();
        QCOMPARE(record.m_strUrl, berlin.m_strUrlResolved);
        QCOMPARE(record.DirectoryUuid(), kBerlinUuid);
        CMyStations mine;
        mine.Load();
        QCOMPARE(mine.Add(record), CMyStations::Done);

        // Playing it counts one click; ids that are unknown or not ids count none.
        QSignalSpy counted(&directory, &CStationDirectory::ClickCounted);
        directory.CountClick(kBerlinUuid);
        QVERIFY(counted.wait(10000));
        QCOMPARE(counted.at(0), (QVariantList{kBerlinUuid, true}));
        QCOMPARE(m_server.Clicks(kBerlinUuid), 1);
        directory.CountClick("00000000-0000-0000-0000-000000000000");
        QVERIFY(counted.wait(10000));
        QCOMPARE(counted.at(1).at(1).toBool(), false);
        directory.CountClick("../../json/stations");
        QCOMPARE(counted.count(), 3);
        QCOMPARE(counted.at(2).at(1).toBool(), false);
    }

    // How a search fails, and that it says so once. The deadline runs on a clock that the test moves:
    // "still" never moves it (the answer itself ends the search), "deadline" moves it to the end of the
    // time a search has while the server sits on the request, "busy" moves it past that end without
    // letting the timer fire, as when reading a large answer keeps the event loop busy.
    void failures_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("serverDown");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("message");
        QTest::newRow("garbage") << "garbage=1" << false << 10000 << "still"
                                 << "The station directory sent an answer that could not be read.";
        QTest::newRow("http error") << "status=503" << false << 10000 << "still"
                                    << "The station directory answered with an error (HTTP 503).";
        QTest::newRow("no answer") << "delay=8" << false << 2000 << "deadline"
                                   << "The station directory did not answer in 2 seconds.";
        QTest::newRow("answer read after the deadline")
            << "" << false << 10000 << "busy" << "The station directory did not answer in 10 seconds.";
        QTest::newRow("server down") << "" << true << 10000 << "still"
                                     << "The station directory could not be reached: ";
    }

    void failures()
    {
        QFETCH(QString, control);
        QFETCH(bool, serverDown);
        QFETCH(int, timeout);
        QFETCH(QString, time);
        QFETCH(QString, message);
        if (!control.isEmpty())
            m_server.Get("/__control?" + control);
        if (serverDown)
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            const quint16 nPort = probe.serverPort();
            probe.close();
            SetDirectoryServer(QStringLiteral("http://127.0.0.1:%1").arg(nPort));
        }

        CManualClock clock;
        CStationDirectory directory(nullptr, clock);
        QCOMPARE(directory.Timeout(), 10000);
        directory.SetTimeout(timeout);
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        QSignalSpy failed(&directory, &CStationDirectory::Failed);
        const int nAsked = m_server.Count("/json/stations/search");
        directory.Search(CDirectoryQuery{"", "jazz", "", "", 10, {}, true});
        if (time == "busy")
            clock.Skip(timeout);
        if (time == "deadline")
        {
            QVERIFY(testsupport::WaitFor([&] { return m_server.Count("/json/stations/search") > nAsked; }));
            clock.Advance(timeout - 1);
            QCOMPARE(failed.count(), 0);
            QVERIFY(directory.IsSearching());
            clock.Advance(1);
            QCOMPARE(failed.count(), 1);
        }
        QVERIFY(testsupport::WaitFor([&] { return failed.count() + ready.count() > 0; }));
        QCOMPARE(ready.count(), 0);
        QVERIFY2(failed.at(0).at(0).toString().startsWith(message),
                 qPrintable(failed.at(0).at(0).toString()));
        QVERIFY(!directory.IsSearching());
        // One answer only: nothing is left to fire, however long the clock runs on.
        QCOMPARE(clock.RunningTimers(), 0);
        clock.Advance(10 * timeout);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(ready.count(), 0);
    }

    // A server that sends more than it was asked for: an answer without end fails soon and takes
    // little memory, and an answer with every station gives no more than the limit.
    void hostileAnswers_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("endless answer")
            << "endless=1"
            << "The station directory sent an answer longer than 4 MB; the search was stopped."
            << QStringList{};
        QTest::newRow("limit ignored") << "no_limit=1"
                                       << "" << QStringList{"Smooth Jazz Paris", "Jazz Radio Berlin"};
    }

    void hostileAnswers()
    {
        QFETCH(QString, control);
        QFETCH(QString, failure);
        QFETCH(QStringList, expected);
        m_server.Get("/__control?" + control);
        CManualClock clock;
        CStationDirectory directory(nullptr, clock);
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        QSignalSpy failed(&directory, &CStationDirectory::Failed);
        QVERIFY(ResetPeakMemory());
        const qint64 nMemoryBefore = PeakMemoryKb();
        directory.Search(CDirectoryQuery{"", "", "", "", 2, {}, true});
        // The clock stands still, so the search's own deadline cannot end it: the size of the answer must.
        QVERIFY(testsupport::WaitFor([&] { return ready.count() + failed.count() > 0; }, 15000));
        QVERIFY2(PeakMemoryKb() - nMemoryBefore < 64 * 1024,
                 qPrintable(QStringLiteral("%1 kB more").arg(PeakMemoryKb() - nMemoryBefore)));
        if (failure.isEmpty())
        {
            QCOMPARE(failed.count(), 0);
            QCOMPARE(Names(ready.at(0).at(0).value<CDirectoryStationList>()), expected);
        }
        else
        {
            QCOMPARE(ready.count(), 0);
            QCOMPARE(failed.at(0).at(0).toString(), failure);
        }
        QVERIFY(!directory.IsSearching());
    }

    // No server setting and an SRV name that cannot resolve: the fallback list takes over.
    void srvFailureUsesFallback()
    {
        SetDirectoryServer(QString());
        // The test environment names a (closed) server for every public one; this case wants none.
        const QByteArray environment = qgetenv("VEDRIX_SERVER_StationDirectory");
        qunsetenv("VEDRIX_SERVER_StationDirectory");
        const auto restore = qScopeGuard([&] { qputenv("VEDRIX_SERVER_StationDirectory", environment); });
        CStationDirectory directory;
        directory.SetSrvName(QStringLiteral("_api._tcp.vedrix-test.invalid"));
        directory.SetFallbackServers({QUrl(m_server.Base())});
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        QSignalSpy failed(&directory, &CStationDirectory::Failed);
        directory.Search(CDirectoryQuery{"", "jazz", "", "", 10, {}, true});
        QVERIFY(ready.wait(directory.Timeout() + 1000));
        QCOMPARE(failed.count(), 0);
        QCOMPARE(ready.at(0).at(0).value<CDirectoryStationList>().size(), 2);
        QCOMPARE(directory.Server(), QUrl(m_server.Base()));
        // Later requests go to the server found.
        QSignalSpy counted(&directory, &CStationDirectory::ClickCounted);
        directory.CountClick(kBerlinUuid);
        QVERIFY(counted.wait(10000));
        QCOMPARE(counted.at(0).at(1).toBool(), true);
    }

    // A logo on this machine or the local network is not fetched unless the directory is there
    // too: by address, IPv4 in IPv6 included, or by a name that resolves there.
    void faviconsOnlyFromPublicAddresses()
    {
        const QString strPort = QString::number(QUrl(m_server.Base()).port());
        SetDirectoryServer(QStringLiteral("https://directory.vedrix-test.invalid"));
        CFaviconCache cache(QDir::tempPath() + "/favicons-public");
        QSignalSpy ready(&cache, &CFaviconCache::Ready);
        QSignalSpy failed(&cache, &CFaviconCache::Failed);
        const QList<QUrl> local{QUrl("http://127.0.0.1:" + strPort + "/favicons/logo-1.png"),
                                QUrl("http://localhost:" + strPort + "/favicons/logo-2.png"),
                                QUrl("http://[::ffff:127.0.0.1]:" + strPort + "/favicons/logo-3.png")};
        for (const QUrl& url : local)
            QVERIFY(cache.Get(url).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), local.size(), 10000);
        QCOMPARE(ready.count(), 0);
        for (const char* pszPath : {"/favicons/logo-1.png", "/favicons/logo-2.png", "/favicons/logo-3.png"})
            QCOMPARE(m_server.Count(pszPath), 0);

        // With the directory on loopback, its logos there are fetched.
        SetDirectoryServer(m_server.Base());
        CFaviconCache withLocalDirectory(QDir::tempPath() + "/favicons-local");
        QSignalSpy localReady(&withLocalDirectory, &CFaviconCache::Ready);
        QVERIFY(withLocalDirectory.Get(local[1]).isEmpty());
        QVERIFY(localReady.wait(10000));
        QCOMPARE(m_server.Count("/favicons/logo-2.png"), 1);
    }

    void publicAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("isPublic");
        const std::pair<const char*, bool> rows[] = {
            {"127.0.0.1", false},
            {"127.255.0.9", false},
            {"10.1.2.3", false},
            {"172.16.0.1", false},
            {"172.31.255.254", false},
            {"172.32.0.1", true},
            {"192.168.178.1", false},
            {"169.254.169.254", false},
            {"100.64.0.1", false},
            {"100.127.255.1", false},
            {"100.128.0.1", true},
            {"0.0.0.0", false},
            {"224.0.0.251", false},
            {"255.255.255.255", false},
            {"::1", false},
            {"::", false},
            {"fe80::1", false},
            {"fe80::1%1", false},
            {"fc00::1", false},
            {"fd12:3456::1", false},
            {"ff02::fb", false},
            {"::ffff:127.0.0.1", false},
            {"::ffff:10.0.0.1", false},
            {"::ffff:93.184.216.34", true},
            {"64:ff9b::a00:1", false},
            {"2002:c0a8:0101::1", false},
            {"93.184.216.34", true},
            {"8.8.8.8", true},
            {"2606:4700:4700::1111", true},
            {"2a00:1450:4001::200e", true},
        };
        for (const auto& [pszAddress, bPublic] : rows)
            QTest::newRow(pszAddress) << QString(pszAddress) << bPublic;
    }

    void publicAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, isPublic);
        const QHostAddress parsed(address);
        QVERIFY(!parsed.isNull());
        QCOMPARE(IsPublicAddress(parsed), isPublic);
        QCOMPARE(IsLocalHostName(address.contains(':') ? "[" + address + "]" : address), !isPublic);
    }

    // The logo files are pruned when a cache is made: the old ones, then the oldest over the size.
    void faviconPruning()
    {
        QTemporaryDir folder;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        // name (a hash, as the cache names its files), size, age in days
        const struct
        {
            char cName;
            int nBytes;
            int nDays;
        } files[] = {{'a', 1000, 0}, {'b', 1000, 1}, {'c', 1000, 2}, {'d', 100, 31}, {'e', 1000, 3}};
        for (const auto& file : files)
        {
            QFile out(folder.filePath(QString(40, QChar(file.cName))));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(QByteArray(file.nBytes, 'x'));
            QVERIFY(out.flush()); // a write at close would make the time now again
            QVERIFY(out.setFileTime(now.addDays(-file.nDays), QFileDevice::FileModificationTime));
        }
        QVERIFY(testsupport::WriteFile(folder.filePath("notes.txt"), "not a logo"));
        CFaviconCache::Prune(folder.path(), 3000, 30, now);
        QStringList left = QDir(folder.path()).entryList(QDir::Files);
        left.sort();
        QCOMPARE(left, (QStringList{QString(40, 'a'), QString(40, 'b'), QString(40, 'c'), "notes.txt"}));
        QCOMPARE(CFaviconCache::MaxAgeDays(), 30);
        QCOMPARE(CFaviconCache::MaxDiskBytes(), 20 * 1024 * 1024);
    }

    // Logos: fetched once, then from memory, then from disk in the next session; one too big or
    // not a picture is refused and never stored; a redirection is followed.
    void favicons()
    {
        const QUrl small(m_server.Base() + "/favicons/small.png");
        const QUrl huge(m_server.Base() + "/favicons/huge.png");
        const QUrl page(m_server.Base() + "/favicons/page.png");
        {
            CFaviconCache cache;
            QVERIFY(cache.Folder().startsWith(QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"))));
            QSignalSpy ready(&cache, &CFaviconCache::Ready);
            QSignalSpy failed(&cache, &CFaviconCache::Failed);
            QVERIFY(cache.Get(small).isEmpty());
            QVERIFY(cache.Get(small).isEmpty()); // one fetch for both
            QVERIFY(ready.wait(10000));
            const QByteArray bytes = ready.at(0).at(1).toByteArray();
            QVERIFY(bytes.startsWith("\x89PNG"));
            QCOMPARE(cache.Get(small), bytes);

            QVERIFY(cache.Get(huge).isEmpty());
            QVERIFY(cache.Get(page).isEmpty());
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, 10000);
            // Refused again without a fetch (the server's count below), and a file is never asked for;
            // neither says anything, which the count after the next fetches shows.
            QVERIFY(cache.Get(huge).isEmpty());
            QVERIFY(cache.Get(QUrl("file:///etc/passwd")).isEmpty());
            QCOMPARE(QDir(cache.Folder()).entryList(QDir::Files).size(), 1);

            // SVG, by its type or by its content, is no logo.
            const QUrl svg(m_server.Base() + "/favicons/logo.svg");
            const QUrl svgAsPng(m_server.Base() + "/favicons/svg-as.png");
            QVERIFY(cache.Get(svg).isEmpty());
            QVERIFY(cache.Get(svgAsPng).isEmpty());
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 4, 10000);
            QCOMPARE(ready.count(), 1);

            // A redirection to an address that may be fetched from is followed.
            QVERIFY(cache.Get(QUrl(m_server.Base() + "/favicons/moved.png")).isEmpty());
            QVERIFY(ready.wait(10000));
            QVERIFY(ready.at(1).at(1).toByteArray().startsWith("\x89PNG"));
            QCOMPARE(m_server.Count("/favicons/logo-4.png"), 1);
            QCOMPARE(failed.count(), 4);
            QCOMPARE(ready.count(), 2);
        }
        CFaviconCache nextSession;
        QVERIFY(nextSession.Get(small).startsWith("\x89PNG"));
        QCOMPARE(m_server.Count("/favicons/small.png"), 1);
        QCOMPARE(m_server.Count("/favicons/huge.png"), 1);
    }

private:
    CFakeDirectory m_server;
};

QTEST_GUILESS_MAIN(TestStationsDirectory)
#include "stations_directory.moc"
