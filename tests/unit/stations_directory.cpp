// The station directory client against tools/fakedirectory.py on 127.0.0.1: what it asks, what it
// makes of the answer, the clicks it counts, and each way a search can fail (garbage, an HTTP error,
// no answer in time, no server), including a DNS SRV lookup that fails and gives way to the fallback.
#include "TestSupport.h"

#include "app/SettingNames.h"
#include "stations/FaviconCache.h"
#include "stations/MyStations.h"
#include "stations/StationDirectory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
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
        m_server.Get("/__control?delay=0&garbage=0&status=0");
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

    void failures_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("serverDown");
        QTest::addColumn<int>("timeout");
        QTest::addColumn<QString>("message");
        QTest::newRow("garbage") << "garbage=1" << false << 10000
                                 << "The station directory sent an answer that could not be read.";
        QTest::newRow("http error") << "status=503" << false << 10000
                                    << "The station directory answered with an error (HTTP 503).";
        QTest::newRow("no answer") << "delay=8" << false << 2000
                                   << "The station directory did not answer in 2 seconds.";
        QTest::newRow("server down") << "" << true << 10000 << "The station directory could not be reached: ";
    }

    void failures()
    {
        QFETCH(QString, control);
        QFETCH(bool, serverDown);
        QFETCH(int, timeout);
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

        CStationDirectory directory;
        QCOMPARE(directory.Timeout(), 10000);
        directory.SetTimeout(timeout);
        QSignalSpy ready(&directory, &CStationDirectory::ResultsReady);
        QSignalSpy failed(&directory, &CStationDirectory::Failed);
        QElapsedTimer clock;
        clock.start();
        directory.Search(CDirectoryQuery{"", "jazz", "", "", 10, {}, true});
        QVERIFY(failed.wait(timeout + 2000));
        QVERIFY2(clock.elapsed() < timeout + 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(failed.at(0).at(0).toString().startsWith(message),
                 qPrintable(failed.at(0).at(0).toString()));
        QVERIFY(!directory.IsSearching());
        // One answer only, even when the slow server finally speaks.
        QTest::qWait(300);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(ready.count(), 0);
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

    // Logos: fetched once, then from memory, then from disk in the next session; one too big or
    // not a picture is refused and never stored.
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
            QVERIFY(cache.Get(huge).isEmpty());
            QVERIFY(cache.Get(QUrl("file:///etc/passwd")).isEmpty());
            QTest::qWait(200);
            QCOMPARE(failed.count(), 2);
            QCOMPARE(ready.count(), 1);
            QCOMPARE(QDir(cache.Folder()).entryList(QDir::Files).size(), 1);
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
