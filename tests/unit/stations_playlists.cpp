// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Playlist import and export against files laid out like the ones found on the web: byte-order
// marks, CR LF, relative entries, duplicates, local paths among the streams, misnamed files, HLS, and
// a list of a few hundred entries; and every format written and read back without loss.
#include "stations/Playlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace
{
QString FixturePath(const QString& strName)
{
    return QStringLiteral(VEDRIX_TEST_SOURCE_DIR "/tests/fixtures/playlists/") + strName;
}

QByteArray ReadFixture(const QString& strName)
{
    QFile file(FixturePath(strName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CStationRecord Station(const QString& strName, const QString& strUrl, const QString& strLanguage = {},
                       const QString& strDescription = {}, const QString& strOrigin = {})
{
    return CStationRecord{strName, strUrl, strLanguage, strDescription, strOrigin};
}
} // namespace

Q_DECLARE_METATYPE(EPlaylistFormat)

class TestStationsPlaylists : public QObject
{
    Q_OBJECT

private slots:
    void parseRealWorldFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("nameOrMime");
        QTest::addColumn<QString>("base");
        QTest::addColumn<EPlaylistFormat>("format");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("refused");
        QTest::addColumn<int>("duplicates");
        QTest::addColumn<int>("probe"); // index of the station checked below
        QTest::addColumn<QString>("probeName");
        QTest::addColumn<QString>("probeUrl");
        QTest::addColumn<QString>("lastUrl");

        const auto M3U = EPlaylistFormat::M3U;
        const auto PLS = EPlaylistFormat::PLS;
        const auto XSPF = EPlaylistFormat::XSPF;
        const QString ext = "extended_bom_crlf.m3u";
        // Local copies: relative entries, paths and file:// are refused; the duplicate differs only in
        // the letter case of scheme and host.
        QTest::newRow("extended m3u, local")
            << ext << ext << "" << M3U << 4 << 4 << 1 << 0 << "Radio Eins, Berlin"
            << "http://stream.radio-eins.example/live.mp3"
            << "mms://old.example.com/wma";
        QTest::newRow("extended m3u, file url")
            << ext << ext << "file:///home/anna/list.m3u" << M3U << 4 << 4 << 1 << 1 << "Jazz Lounge"
            << "https://jazz.example.net:8443/lounge?type=.mp3"
            << "mms://old.example.com/wma";
        // Downloaded: relative entries resolve against the playlist's own address.
        QTest::newRow("extended m3u, downloaded") << ext << ext << "http://lists.example.org/radio/list.m3u"
                                                  << M3U << 6 << 2 << 1 << 3 << "Relative stream"
                                                  << "http://lists.example.org/radio/streams/relative.aac"
                                                  << "mms://old.example.com/wma";
        QTest::newRow("plain m3u8, downloaded") << "plain.m3u8"
                                                << "plain.m3u8"
                                                << "http://host.example/lists/plain.m3u8" << M3U << 4 << 1
                                                << 1 << 2 << "http://host.example/up/stream.mp3"
                                                << "http://host.example/up/stream.mp3"
                                                << "http://c.example.com/%C3%BAltima.mp3";
        QTest::newRow("plain m3u8, by mime type")
            << "plain.m3u8"
            << "audio/x-mpegurl; charset=utf-8"
            << "" << M3U << 3 << 2 << 1 << 1 << "https://b.example.com/radio.ogg"
            << "https://b.example.com/radio.ogg"
            << "http://c.example.com/%C3%BAltima.mp3";
        // Entries in number order whatever their order in the file; NumberOfEntries is wrong.
        QTest::newRow("shoutcast pls, local") << "shoutcast.pls"
                                              << "shoutcast.pls"
                                              << "" << PLS << 2 << 2 << 1 << 0 << "(#1 - 12/500) Example FM"
                                              << "http://ice1.example.com:8000/radio"
                                              << "http://ice3.example.com/radio.aac";
        QTest::newRow("shoutcast pls, downloaded")
            << "shoutcast.pls"
            << "shoutcast.pls"
            << "http://radio.example/tunein/station.pls" << PLS << 3 << 1 << 1 << 1 << "Third Station"
            << "http://ice3.example.com/radio.aac"
            << "http://radio.example/tunein/relative/path.mp3";
        // The first location that is a network address wins; an extension's title is not the title.
        QTest::newRow("xspf, local") << "stations.xspf"
                                     << "stations.xspf"
                                     << "" << XSPF << 2 << 2 << 1 << 0 << "Café & Jazz"
                                     << "http://xspf-one.example.org/stream"
                                     << "https://xspf-two.example.org/live.aac";
        QTest::newRow("xspf, downloaded")
            << "stations.xspf"
            << ""
            << "https://share.example/pl/stations.xspf" << XSPF << 3 << 1 << 1 << 1 << "Two Locations"
            << "https://xspf-two.example.org/live.aac"
            << "https://share.example/pl/relative/three.ogg";
        // The content decides when the name says nothing or the wrong thing.
        QTest::newRow("pls served as .php") << "listen.php"
                                            << "listen.php"
                                            << "" << PLS << 1 << 0 << 0 << 0 << "Served by PHP"
                                            << "http://php.example.com:8010/;"
                                            << "http://php.example.com:8010/;";
        QTest::newRow("pls named .m3u") << "misnamed.m3u"
                                        << "misnamed.m3u"
                                        << "" << PLS << 1 << 0 << 0 << 0 << "Misnamed"
                                        << "http://misnamed.example.com/stream"
                                        << "http://misnamed.example.com/stream";
        // An HLS playlist is one stream, not a list of segments.
        QTest::newRow("hls, downloaded") << "hls_live.m3u8"
                                         << "hls_live.m3u8"
                                         << "http://tv.example/live/index.m3u8" << M3U << 1 << 0 << 0 << 0
                                         << "http://tv.example/live/index.m3u8"
                                         << "http://tv.example/live/index.m3u8"
                                         << "http://tv.example/live/index.m3u8";
        QTest::newRow("hls, local") << "hls_live.m3u8"
                                    << "hls_live.m3u8"
                                    << "" << M3U << 0 << 1 << 0 << -1 << ""
                                    << ""
                                    << "";
        // 400 entries: every 25th a local path, every other 10th a repeat of the one before it.
        QTest::newRow("400 entries") << "large.m3u"
                                     << "large.m3u"
                                     << "" << M3U << 352 << 16 << 32 << 9 << "Station 11"
                                     << "http://s11.example.org:8000/live"
                                     << "http://s399.example.org:8000/live";
    }

    void parseRealWorldFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, nameOrMime);
        QFETCH(QString, base);
        QFETCH(EPlaylistFormat, format);
        QFETCH(int, count);
        QFETCH(int, refused);
        QFETCH(int, duplicates);
        QFETCH(int, probe);
        QFETCH(QString, probeName);
        QFETCH(QString, probeUrl);
        QFETCH(QString, lastUrl);

        const QByteArray data = ReadFixture(file);
        QVERIFY2(!data.isEmpty(), qPrintable(FixturePath(file)));
        const CPlaylistResult result = ParsePlaylist(data, nameOrMime, QUrl(base));
        QCOMPARE(result.m_eFormat, format);
        QCOMPARE(result.m_stations.size(), count);
        QCOMPARE(result.m_nRefused, refused);
        QCOMPARE(result.m_nDuplicates, duplicates);
        if (probe >= 0)
        {
            QCOMPARE(result.m_stations[probe].m_strName, probeName);
            QCOMPARE(result.m_stations[probe].m_strUrl, probeUrl);
            QCOMPARE(result.m_stations.last().m_strUrl, lastUrl);
        }
        for (const CStationRecord& station : result.m_stations)
        {
            QCOMPARE(station.m_strOrigin, QStringLiteral("import"));
            QVERIFY(!station.m_strName.isEmpty());
            QVERIFY2(!station.m_strUrl.contains(u'\r') && !station.m_strName.contains(u'\r'),
                     qPrintable(station.m_strUrl));
        }
    }

    // What the extended attributes carry (the My Stations file depends on them).
    void extendedAttributes()
    {
        const CPlaylistResult result = ParsePlaylist(ReadFixture("extended_bom_crlf.m3u"), "", QUrl());
        QCOMPARE(result.m_stations.size(), 4);
        QCOMPARE(result.m_stations[0].m_strLanguage, QStringLiteral("German"));
        QCOMPARE(result.m_stations[0].m_strDescription, QStringLiteral("News, weather & \"traffic\""));
        QCOMPARE(result.m_stations[2].m_strName, QStringLiteral("Radio Trois"));
        QCOMPARE(result.m_stations[2].m_strLanguage, QStringLiteral("French"));
        // No #EXTINF: the address is the name.
        QCOMPARE(result.m_stations[3].m_strName, QStringLiteral("mms://old.example.com/wma"));
        const CPlaylistResult xspf = ParsePlaylist(ReadFixture("stations.xspf"), "", QUrl());
        QCOMPARE(xspf.m_stations[0].m_strDescription, QStringLiteral("Smooth <jazz> all night"));
    }

    void writeAndReadBack_data()
    {
        QTest::addColumn<EPlaylistFormat>("format");
        QTest::addColumn<bool>("keepsAll"); // language, description and origin survive
        QTest::newRow("m3u") << EPlaylistFormat::M3U << true;
        QTest::newRow("pls") << EPlaylistFormat::PLS << false;
        QTest::newRow("xspf") << EPlaylistFormat::XSPF << false;
    }

    void writeAndReadBack()
    {
        QFETCH(EPlaylistFormat, format);
        QFETCH(bool, keepsAll);
        const CStationList stations{
            Station("Café \"Quoted\" & <Co>, Ltd", "http://x.example/a?b=1&c=2", "German",
                    "News, \"weather\" & more", "directory:9617a958-0601-11e8-ae97-52543be04c81"),
            Station("Plain", "rtsp://y.example/live", "", "", "address"),
            Station("Ünïcode ラジオ", "https://z.example/%C3%BA.mp3", "Japanese", "", "list"),
        };
        const QByteArray data = WritePlaylist(stations, format);
        const QString strName = "export." + PlaylistExtension(format);
        // Read back by its name, and by its content alone.
        for (const QString& strHint : {strName, QString()})
        {
            const CPlaylistResult result = ParsePlaylist(data, strHint, QUrl());
            QCOMPARE(result.m_eFormat, format);
            QCOMPARE(result.m_nRefused, 0);
            QCOMPARE(result.m_stations.size(), stations.size());
            for (int i = 0; i < stations.size(); ++i)
            {
                QCOMPARE(result.m_stations[i].m_strName, stations[i].m_strName);
                QCOMPARE(result.m_stations[i].m_strUrl, stations[i].m_strUrl);
                if (keepsAll)
                    QCOMPARE(result.m_stations[i], stations[i]);
            }
        }

        // A few hundred stations go through every format unchanged.
        const CStationList large = ParsePlaylist(ReadFixture("large.m3u"), "large.m3u", QUrl()).m_stations;
        const CStationList back = ParsePlaylist(WritePlaylist(large, format), strName, QUrl()).m_stations;
        QCOMPARE(back.size(), 352);
        for (int i = 0; i < back.size(); ++i)
            QCOMPARE(back[i].m_strUrl, large[i].m_strUrl);
    }
};

QTEST_GUILESS_MAIN(TestStationsPlaylists)
#include "stations_playlists.moc"
