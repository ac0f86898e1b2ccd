// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// My Stations: the bytes of MyStations.m3u after every kind of change, a reload, a channel list
// refresh beside it, the addresses it refuses, a damaged file, a writer killed in the middle of its
// work and a write that fails for want of room.
#include "TestSupport.h"

#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "stations/MyStations.h"
#include "stations/Playlist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace
{
QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

CStationRecord Station(const QString& strName, const QString& strUrl, const QString& strOrigin = {})
{
    CStationRecord record;
    record.m_strName = strName;
    record.m_strUrl = strUrl;
    record.m_strOrigin = strOrigin;
    return record;
}

CStationList Numbered(int nCount)
{
    CStationList stations;
    for (int i = 0; i < nCount; ++i)
        stations.append(Station(QStringLiteral("Station %1").arg(i),
                                QStringLiteral("http://s%1.example.org:8000/live").arg(i), "import"));
    return stations;
}

bool WriteList(const QString& strPath, const CStationList& stations)
{
    return testsupport::WriteFile(strPath, WritePlaylist(stations, EPlaylistFormat::M3U));
}

// The child process of interruptedWriteLeavesOldOrNew: changes the list as fast as it can until it
// is killed.
int RunWriter(const QString& strPath)
{
    CMyStations stations(strPath);
    stations.Load();
    const CStationRecord extra = Station("Extra", "http://extra.example/live");
    bool bReady = false;
    for (;;)
    {
        // The last round may have been killed between the two changes.
        const int nExtra = stations.IndexOfAddress(extra.m_strUrl);
        const auto eResult = nExtra >= 0 ? stations.Remove(nExtra) : stations.Add(extra);
        if (eResult != CMyStations::Done)
            return 1;
        if (!bReady)
        {
            fputs("READY\n", stdout);
            fflush(stdout);
            bReady = true;
        }
    }
}
} // namespace

class TestStationsMine : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QDir folder(GetDataFolder());
        for (const QString& strName : folder.entryList(QDir::Files | QDir::Hidden))
            QVERIFY(folder.remove(strName));
    }

    void changesAreStoredAndSurviveReload()
    {
        CMyStations mine;
        QCOMPARE(mine.Path(), GetDataFolder() + "/MyStations.m3u");
        QCOMPARE(mine.Load(), 0);
        QSignalSpy changed(&mine, &CMyStations::Changed);

        CStationRecord eins = Station("Radio Eins", "http://eins.example/live.mp3", "directory:abc-123");
        eins.m_strLanguage = "German";
        eins.m_strDescription = "News & \"weather\", all day";
        QCOMPARE(mine.Add(eins), CMyStations::Done);
        QCOMPARE(mine.Add(Station("", "  rtsp://zwei.example/live  ")), CMyStations::Done);
        QCOMPARE(mine.Add(Station("Drei", "https://drei.example/x", "list")), CMyStations::Done);
        QCOMPARE(mine.Rename(1, "  Zwei \n Live "), CMyStations::Done);
        QCOMPARE(mine.Move(2, 0), CMyStations::Done);
        QCOMPARE(changed.count(), 5);
        QCOMPARE(mine.IndexOfAddress("HTTP://EINS.example/live.mp3"), 1);

        const QByteArray expected =
            "#EXTM3U\n"
            "#EXTINF:-1 vedrix-origin=\"list\",Drei\n"
            "https://drei.example/x\n"
            "#EXTINF:-1 tvg-language=\"German\" vedrix-description=\"News &amp; "
            "&quot;weather&quot;, all day\" vedrix-origin=\"directory:abc-123\",Radio Eins\n"
            "http://eins.example/live.mp3\n"
            "#EXTINF:-1 vedrix-origin=\"address\",Zwei Live\n"
            "rtsp://zwei.example/live\n";
        QCOMPARE(ReadAll(mine.Path()), expected);

        CMyStations reloaded;
        QCOMPARE(reloaded.Load(), 3);
        QCOMPARE(reloaded.Stations(), mine.Stations());
        QCOMPARE(reloaded.Stations()[1].DirectoryUuid(), QStringLiteral("abc-123"));

        QCOMPARE(mine.Remove(0), CMyStations::Done);
        QCOMPARE(reloaded.Load(), 2);
        QCOMPARE(reloaded.Stations()[0].m_strName, QStringLiteral("Radio Eins"));

        // A channel list refresh loads and deletes its own file, never this one.
        const QByteArray before = ReadAll(mine.Path());
        QVERIFY(testsupport::WriteFile(
            GetChannelListPath(),
            testsupport::Utf16Le("Type,Channel,Address,Extra,Language,About,Status\r\n"
                                 "Radio,One,http://one.example/,x,Hindi,About,ON\r\n")));
        CChannelCatalogue catalogue;
        QVERIFY(catalogue.Load() != 0);
        QVERIFY(!QFile::exists(GetChannelListPath()));
        QCOMPARE(ReadAll(mine.Path()), before);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("result");
        QTest::newRow("file url") << "file:///home/anna/song.mp3" << int(CMyStations::NotNetworkAddress);
        QTest::newRow("path") << "/home/anna/song.mp3" << int(CMyStations::NotNetworkAddress);
        QTest::newRow("script") << "javascript:alert(1)" << int(CMyStations::NotNetworkAddress);
        QTest::newRow("no host") << "http://" << int(CMyStations::NotNetworkAddress);
        QTest::newRow("empty") << "   " << int(CMyStations::NotNetworkAddress);
        QTest::newRow("same address") << "http://radio.example/live" << int(CMyStations::Duplicate);
        QTest::newRow("same, other case") << "HTTP://Radio.Example/live" << int(CMyStations::Duplicate);
        QTest::newRow("same, spaces") << " http://radio.example/live " << int(CMyStations::Duplicate);
    }

    void refusals()
    {
        QFETCH(QString, url);
        QFETCH(int, result);
        CMyStations mine;
        mine.Load();
        QCOMPARE(mine.Add(Station("Radio", "http://radio.example/live")), CMyStations::Done);
        const QByteArray before = ReadAll(mine.Path());
        QSignalSpy changed(&mine, &CMyStations::Changed);

        QCOMPARE(int(mine.Add(Station("Other", url))), result);
        QCOMPARE(mine.Rename(0, " \t "), CMyStations::EmptyName);
        QCOMPARE(mine.Rename(1, "Nothing there"), CMyStations::BadIndex);
        QCOMPARE(mine.Move(0, 1), CMyStations::BadIndex);
        QCOMPARE(mine.Remove(-1), CMyStations::BadIndex);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(mine.Count(), 1);
        QCOMPARE(ReadAll(mine.Path()), before);
        QVERIFY(!CMyStations::Describe(CMyStations::EResult(result)).isEmpty());
    }

    // Only an address that the user typed in may bind a local port: in the list, in its file, and
    // never because an imported playlist says so.
    void typedListenerAddresses()
    {
        QVERIFY(testsupport::WriteFile(CMyStations::DefaultPath(),
                                       "#EXTM3U\n#EXTINF:-1 vedrix-origin=\"address\",Typed\nudp://@:1234\n"
                                       "#EXTINF:-1 vedrix-origin=\"import\",Imported\nrtp://@:5004\n"
                                       "#EXTINF:-1 vedrix-origin=\"directory:abc\",Found\n"
                                       "srt://192.0.2.1:9999?mode=listener\n"));
        CMyStations mine;
        QCOMPARE(mine.Load(), 1);
        QCOMPARE(mine.Stations()[0].m_strName, QStringLiteral("Typed"));
        QCOMPARE(mine.Add(Station("Mine", "rtp://@:5004", "address")), CMyStations::Done);
        QCOMPARE(mine.Add(Station("Theirs", "udp://@:5006", "import")), CMyStations::NotNetworkAddress);
        QCOMPARE(mine.Add(Station("Listed", "udp://239.1.1.1:5006", "list")), CMyStations::NotNetworkAddress);
        QCOMPARE(ParsePlaylist("#EXTM3U\n#EXTINF:-1 vedrix-origin=\"address\",Claimed\nudp://@:1234\n",
                               "list.m3u", QUrl())
                     .m_nRefused,
                 1);
    }

    // An import is one batch and one write: an address in the list already, or twice in the batch
    // (in another letter case, with spaces), is added once; what the player cannot open is refused.
    void importAddsEachAddressOnceInOneWrite()
    {
        CMyStations mine;
        mine.Load();
        QCOMPARE(mine.AddMany(Numbered(3)), CMyStations::Done);
        QSignalSpy changed(&mine, &CMyStations::Changed);
        const CStationList batch = {
            Station("Stored", "HTTP://S1.EXAMPLE.ORG:8000/live"), Station("New A", "http://a.example/"),
            Station("Not a stream", "file:///etc/passwd"), Station("New A again", " http://A.example/ "),
            Station("", "http://b.example/")};
        CMyStations::SAddCounts counts;
        QCOMPARE(mine.AddMany(batch, &counts), CMyStations::Done);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(counts.nAdded, 2);
        QCOMPARE(counts.nKnown, 2);
        QCOMPARE(counts.nRefused, 1);
        QStringList names;
        for (const CStationRecord& station : mine.Stations())
            names << station.m_strName;
        QCOMPARE(names, QStringList({"Station 0", "Station 1", "Station 2", "New A", "http://b.example/"}));
        CMyStations reloaded;
        reloaded.Load();
        QCOMPARE(reloaded.Stations(), mine.Stations());

        // Nothing new: nothing written.
        QCOMPARE(mine.AddMany(batch, &counts), CMyStations::Done);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(counts.nAdded, 0);
        QCOMPARE(counts.nKnown, 4);
    }

    // A file damaged by hand or by a disk: every good station is kept, in order.
    void damagedFileLoadsWhatItCan()
    {
        static const char kDamaged[] = "#EXTM3U\r\n"
                                       "#EXTINF:-1 vedrix-origin=\"list\",Radio \xc3\x9cn\xc3\xaf\n"
                                       "http://good.example/1\n"
                                       "\0\xff\xfe\x01 garbage \x80\x80\n"
                                       "#EXTINF:-1 tvg-language=\"Hin,Half quoted\n"
                                       "http://good.example/2\n"
                                       "file:///etc/passwd\n"
                                       "<html><body>Not a playlist</body></html>\n"
                                       "#EXTINF:-1 vedrix-origin=\"surprise\",Odd origin\n"
                                       "http://good.example/3\n"
                                       "#EXTINF:-1,Cut off\n"
                                       "http://good.example/4"; // the last line lost its end
        QVERIFY(
            testsupport::WriteFile(CMyStations::DefaultPath(), QByteArray(kDamaged, sizeof(kDamaged) - 1)));
        CMyStations mine;
        QCOMPARE(mine.Load(), 4);
        QCOMPARE(mine.Stations()[0].m_strName, QString::fromUtf8("Radio Ünï"));
        QCOMPARE(mine.Stations()[0].m_strOrigin, QStringLiteral("list"));
        QCOMPARE(mine.Stations()[1].m_strUrl, QStringLiteral("http://good.example/2"));
        QCOMPARE(mine.Stations()[2].m_strOrigin, QStringLiteral("import"));
        QCOMPARE(mine.Stations()[3].m_strName, QStringLiteral("Cut off"));
        // The next change writes a clean file.
        QCOMPARE(mine.Remove(1), CMyStations::Done);
        CMyStations reloaded;
        QCOMPARE(reloaded.Load(), 3);
        QCOMPARE(ReadAll(mine.Path()), WritePlaylist(mine.Stations(), EPlaylistFormat::M3U));
    }

    // A writer killed at any moment leaves the old list or the new one, never a part of either;
    // what it may leave behind (a temporary file) does not disturb the next start.
    void interruptedWriteLeavesOldOrNew()
    {
        const QString strPath = CMyStations::DefaultPath();
        const CStationList base = Numbered(1500);
        QVERIFY(WriteList(strPath, base));
        QVERIFY(testsupport::WriteFile(strPath + ".Xk3Jq9", "#EXTM3U\n#EXTINF:-1,Sta")); // stale, cut off
        for (int nRound = 0; nRound < 6; ++nRound)
        {
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(QCoreApplication::applicationFilePath(), {"--writer", strPath});
            QVERIFY(writer.waitForStarted(10000));
            QVERIFY2(writer.waitForReadyRead(20000), qPrintable(QString::number(writer.exitCode())));
            QCOMPARE(writer.readLine(), QByteArray("READY\n"));
            QTest::qSleep(int(QRandomGenerator::global()->bounded(5, 150)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));

            CMyStations mine;
            const int nCount = mine.Load();
            QVERIFY2(nCount == 1500 || nCount == 1501, qPrintable(QString::number(nCount)));
            QCOMPARE(mine.Stations().mid(0, 1500), base);
            QVERIFY(ReadAll(strPath).endsWith("\n"));
        }
        CMyStations mine;
        mine.Load();
        QCOMPARE(mine.Add(Station("After", "http://after.example/")), CMyStations::Done);
        CMyStations reloaded;
        QVERIFY(reloaded.Load() >= 1501);
        QCOMPARE(reloaded.Stations().last().m_strName, QStringLiteral("After"));
    }

    // A full disk (here: a file size limit, which binds root too) fails the change, keeps the old
    // file as it was and the list as the file says.
    void failedWriteKeepsOldFile()
    {
        CMyStations mine;
        mine.Load();
        const CStationList stations = Numbered(40);
        for (const CStationRecord& station : stations)
            QCOMPARE(mine.Add(station), CMyStations::Done);
        const QByteArray before = ReadAll(mine.Path());
        QVERIFY(before.size() > 2048);
        QSignalSpy changed(&mine, &CMyStations::Changed);

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved;
        tight.rlim_cur = 1024;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const CMyStations::EResult added = mine.Add(Station("One too many", "http://full.example/"));
        const CMyStations::EResult removed = mine.Remove(0);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(added, CMyStations::WriteFailed);
        QCOMPARE(removed, CMyStations::WriteFailed);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(mine.Stations(), stations);
        QCOMPARE(ReadAll(mine.Path()), before);
        QCOMPARE(QDir(GetDataFolder()).entryList(QDir::Files), QStringList{"MyStations.m3u"});
        // With room again the same change goes through.
        QCOMPARE(mine.Add(Station("One too many", "http://full.example/")), CMyStations::Done);
        QCOMPARE(mine.Count(), 41);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--writer") == 0)
        return RunWriter(QString::fromLocal8Bit(argv[2]));
    TestStationsMine test;
    return QTest::qExec(&test, argc, argv);
}

#include "stations_mine.moc"
