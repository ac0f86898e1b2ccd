// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The channel list built from public sources, against tools/fakedirectory.py serving both the
// directory's answers and the TV playlists: what is asked, the list file that comes out and how the
// catalogue reads it, a refresh in which a source fails, the order kept across refreshes, and a build
// that is cancelled halfway.
#include "TestSupport.h"

#include "base/SettingNames.h"
#include "catalogue/ChannelCatalogue.h"
#include "stations/ChannelSources.h"
#include "stations/PublicChannelList.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

namespace
{
QJsonObject Station(const char* pszName, const char* pszLanguage, const char* pszCode, bool bOk = true,
                    const char* pszTags = "")
{
    const QString strName = QString::fromUtf8(pszName);
    QString strHost = strName.toLower();
    strHost.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    // The directory's lasting id of a station, the same in every answer.
    return QJsonObject{{"stationuuid", QUuid::createUuidV5(QUuid(), strName).toString(QUuid::WithoutBraces)},
                       {"name", strName},
                       {"url", QStringLiteral("http://127.0.0.1:9/%1").arg(strHost)},
                       {"language", QString::fromLatin1(pszLanguage)},
                       {"countrycode", QString::fromLatin1(pszCode)},
                       {"tags", QString::fromLatin1(pszTags)},
                       {"ok", bOk}};
}

QByteArray TvList(const QStringList& names)
{
    QByteArray data = "#EXTM3U\n";
    for (const QString& strName : names)
        data += "#EXTINF:-1 tvg-id=\"x\" group-title=\"News\"," + strName.toUtf8() + "\nhttp://127.0.0.1:9/tv/" +
                QUrl::toPercentEncoding(strName) + ".m3u8\n";
    // Only web streams count.
    data += "#EXTINF:-1,Not a web stream\nrtmp://127.0.0.1/live\n";
    return data;
}

// Type, name, language and status of each channel of the list file, in its order.
QStringList Rows(const QString& strPath)
{
    QStringList rows;
    for (const CChannelRecord& channel : ReadPublicChannelList(strPath))
        rows << QStringList{channel.m_strType, channel.m_strName, channel.m_strLanguage, channel.m_strStatus}.join(
                    u'|');
    return rows;
}
} // namespace

class TestStationsPublic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::ClearSettings();
        QVERIFY(m_folder.isValid());
        m_strList = m_folder.filePath(QStringLiteral("public.txt"));
        QDir().mkpath(m_folder.filePath(QStringLiteral("tv")));
    }
    void cleanup() { m_server.Stop(); }

    void buildsTheListAndKeepsItsOrder()
    {
        // Every group, a station in a language the filter does not know (left out), a broken one.
        WriteStations({Station("London, Calling", "english", "GB", true, "pop,rock"),
                       Station("Berlin Welle", "german", "DE"), Station("Berlin Kaputt", "german", "DE", false),
                       Station("Radio Lumière", "french", "FR"), Station("Sangeet FM", "hindi,english", "IN"),
                       Station("Malayalam FM", "malayalam", "IN"), Station("长江之声", "chinese", "CN"),
                       Station("Радио София", "bulgarian", "BG"), Station("Radio Dunărea", "romanian", "RO")});
        WriteTvList("eng", {QStringLiteral("News One")});
        WriteTvList("deu", {QStringLiteral("Nachrichten")});
        QVERIFY(StartServer());

        QVERIFY(Build());
        const QStringList first = Rows(m_strList);
        QCOMPARE(first, QStringList({"Radio|London‚ Calling|English|ON", "Radio|Berlin Welle|German|ON",
                                     "Radio|Berlin Kaputt|German|OFF", "Radio|Radio Lumière|French|ON",
                                     "Radio|Sangeet FM|Hindi|ON", "Radio|长江之声|Chinese|ON",
                                     "Radio|Радио София|Bulgarian|ON", "Radio|Radio Dunărea|Romanian|ON",
                                     "TV|News One|English|ON", "TV|Nachrichten|German|ON"}));
        // The file is the channel list's own format: the catalogue lists it with its columns.
        QFile file(m_strList);
        QVERIFY(file.open(QIODevice::ReadOnly));
        CChannelCatalogue catalogue;
        QVERIFY(catalogue.ReadLines(file));
        QCOMPARE(catalogue.m_header.m_strName, QStringLiteral("Channel"));
        QCOMPARE(catalogue.m_channels[0].m_strUrl, QStringLiteral("http://127.0.0.1:9/londoncalling"));
        QCOMPARE(catalogue.m_channels[0].m_strDescription, QStringLiteral("pop; rock"));
        QCOMPARE(catalogue.m_channels[8].m_strDescription, QStringLiteral("News"));
        // One request per group to each source, the broken stations asked for, the program named.
        QCOMPARE(m_server.Get("/__count?path=/json/stations/search").toInt(), 7);
        QCOMPARE(m_server.Get("/__count?path=/tv/eng.m3u").toInt(), 1);
        const QJsonObject last = QJsonDocument::fromJson(m_server.Get("/__last")).object();
        QVERIFY2(last["user_agent"].toString().startsWith("Vedrix/"), qPrintable(last["user_agent"].toString()));
        QCOMPARE(last["query"].toObject()["hidebroken"].toString(), QStringLiteral("false"));

        // The next refresh: a new English station ranks first, one German station is gone, and the
        // German TV playlist does not answer. The channels that stay keep their order (and so their
        // numbers), the new one comes last, and the German TV channel of the last list is kept.
        m_server.Stop();
        WriteStations({Station("New Wave", "english", "GB"), Station("London, Calling", "english", "GB", true,
                                                                     "pop,rock"),
                       Station("Berlin Welle", "german", "DE"), Station("Radio Lumière", "french", "FR"),
                       Station("Sangeet FM", "hindi,english", "IN"), Station("长江之声", "chinese", "CN"),
                       Station("Радио София", "bulgarian", "BG"), Station("Radio Dunărea", "romanian", "RO")});
        QFile::remove(m_folder.filePath(QStringLiteral("tv/deu.m3u")));
        QVERIFY(StartServer());
        QVERIFY(Build());
        QStringList expected = first;
        expected.removeAll(QStringLiteral("Radio|Berlin Kaputt|German|OFF"));
        expected << QStringLiteral("Radio|New Wave|English|ON");
        QCOMPARE(Rows(m_strList), expected);
    }

    void noSourceLeavesTheListAsItWas()
    {
        QVERIFY(WriteFile("Type,Channel,Address,Source,Language,Description,Status\r\n"));
        const QByteArray before = ReadList();
        // Nothing listens: every source fails at once, and the list file stays as it was.
        CChannelSources sources;
        sources.m_strListPath = m_strList;
        SetServers(QStringLiteral("http://127.0.0.1:9"));
        QSignalSpy finished(&sources, &CChannelSources::Finished);
        QSignalSpy progress(&sources, &CChannelSources::Progress);
        sources.Start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().at(0).toBool(), false);
        QCOMPARE(progress.last().at(0).toInt(), CChannelSources::SourceCount());
        QCOMPARE(ReadList(), before);
    }

    void cancelledBuildWritesNothing()
    {
        WriteStations({Station("Berlin Welle", "german", "DE")});
        QVERIFY(StartServer({QStringLiteral("--delay"), QStringLiteral("30")}));
        QVERIFY(WriteFile("Type,Channel,Address,Source,Language,Description,Status\r\n"));
        const QByteArray before = ReadList();
        {
            CChannelSources sources;
            sources.m_strListPath = m_strList;
            QSignalSpy finished(&sources, &CChannelSources::Finished);
            sources.Start();
            QVERIFY(testsupport::WaitFor([&] { return m_server.Get("/__count?path=/json/stations/search").toInt() > 0; }));
            QVERIFY(finished.isEmpty());
        } // the program quits in the middle
        QCOMPARE(ReadList(), before);
        QVERIFY(!IsPublicChannelListFresh(m_folder.filePath(QStringLiteral("none.txt"))));
        QVERIFY(IsPublicChannelListFresh(m_strList));
        QVERIFY(!IsPublicChannelListFresh(m_strList, QDateTime::currentDateTimeUtc().addSecs(25 * 3600)));
    }

private:
    void WriteStations(const QList<QJsonObject>& stations)
    {
        QJsonArray array;
        for (const QJsonObject& station : stations)
            array.append(station);
        QVERIFY(testsupport::WriteFile(m_folder.filePath(QStringLiteral("stations.json")),
                                       QJsonDocument(array).toJson()));
    }
    void WriteTvList(const char* pszCode, const QStringList& names)
    {
        QVERIFY(testsupport::WriteFile(m_folder.filePath(QStringLiteral("tv/%1.m3u").arg(QLatin1String(pszCode))),
                                       TvList(names)));
    }
    bool StartServer(const QStringList& extra = {})
    {
        if (!m_server.Start(QStringLiteral("tools/fakedirectory.py"),
                            QStringList{QStringLiteral("--stations"), m_folder.filePath(QStringLiteral("stations.json")),
                                        QStringLiteral("--tv-lists"), m_folder.filePath(QStringLiteral("tv"))} +
                                extra))
            return false;
        SetServers(m_server.Base());
        return true;
    }
    static void SetServers(const QString& strBase)
    {
        QSettings store(settings::kOrganization, settings::kApplication);
        store.setValue(QLatin1String(settings::kServersSection) + "/StationDirectory", strBase);
        store.setValue(QLatin1String(settings::kServersSection) + "/TvChannelLists", strBase + "/tv/");
    }
    bool Build()
    {
        CChannelSources sources;
        sources.m_strListPath = m_strList;
        QSignalSpy finished(&sources, &CChannelSources::Finished);
        sources.Start();
        return finished.wait(30000) && finished.first().at(0).toBool();
    }
    bool WriteFile(const QByteArray& text)
    {
        return testsupport::WriteFile(m_strList, testsupport::Utf16Le(QString::fromUtf8(text)));
    }
    QByteArray ReadList() const
    {
        QFile file(m_strList);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;
    QString m_strList;
    testsupport::CLocalServer m_server;
};

QTEST_GUILESS_MAIN(TestStationsPublic)
#include "stations_public.moc"
