// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A full disk under every file the program rewrites: the song history, a fetched channel list put
// in place, the built public list, My Stations (a change, an import, an export), the settings. Each write
// must say that it failed, leave the old file byte for byte and no stray file beside it, and succeed once
// there is room again. The disk is "full" through a file size limit, which binds root too and needs no mount:
// a write past it fails with EFBIG, as one on a full disk fails with ENOSPC.
#include "TestSupport.h"

#include "base/Settings.h"
#include "catalogue/ChannelRecord.h"
#include "platform/WholeFile.h"
#include "playback/SongHistory.h"
#include "stations/MyStations.h"
#include "stations/Playlist.h"
#include "stations/PublicChannelList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace
{
constexpr rlim_t kRoom = 1024;

// While alive, no file of this process can grow past kRoom bytes.
class CDiskFull
{
public:
    CDiskFull()
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_bSet = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        rlimit tight = m_saved;
        tight.rlim_cur = kRoom;
        m_bSet = m_bSet && setrlimit(RLIMIT_FSIZE, &tight) == 0;
    }
    ~CDiskFull()
    {
        if (m_bSet)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool IsSet() const { return m_bSet; }

private:
    rlimit m_saved{};
    bool m_bSet = false;
    void (*m_previousHandler)(int) = nullptr;
};

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

CStationList Stations(const QString& strHost, int nCount)
{
    CStationList stations;
    for (int i = 0; i < nCount; ++i)
    {
        CStationRecord record;
        record.m_strName = QStringLiteral("Station %1 of %2").arg(i).arg(strHost);
        record.m_strUrl = QStringLiteral("http://%1.example.org:8000/live/%2").arg(strHost).arg(i);
        stations.append(record);
    }
    return stations;
}

QByteArray ChannelList(const QString& strName, int nCount)
{
    QString strText = QStringLiteral("Type,Channel,Address,Source,Language,Description,Status\r\n");
    for (int i = 0; i < nCount; ++i)
        strText +=
            QStringLiteral("Radio,%1 %2,http://%1.example.org/%2,x,English,About,ON\r\n").arg(strName).arg(i);
    return testsupport::Utf16Le(strText);
}

// One rewrite of strPath, which holds its old content already: call it to write (again).
using Write = std::function<bool(QString* pstrError)>;

// Puts the old file in place and makes the write of the named kind; each new content is well past
// the room the disk has. The settings have their own file: strPath becomes it.
Write Prepare(const QString& strWriter, QString& strPath, const QString& strFolder)
{
    if (strWriter == "settings")
    {
        testsupport::ClearSettings();
        for (int i = 0; i < 60; ++i)
            WriteSectionString(QStringLiteral("Old"), QStringLiteral("Value%1").arg(i),
                               QStringLiteral("Stored before"));
        strPath = testsupport::SettingsFilePath();
        return [](QString*)
        {
            // The settings store only says whether.
            return WriteSettingInt(QStringLiteral("Volume"), 30) &&
                   ReadSettingInt(QStringLiteral("Volume"), 0) == 30;
        };
    }
    if (strWriter == "song history")
    {
        QByteArray old;
        for (int i = 0; i < 20; ++i)
            old += QStringLiteral(
                       "{\"time\":\"2026-01-02T20:%1:00.000\",\"channel\":\"Old\",\"title\":\"Song %1\"}\n")
                       .arg(i, 2, 10, QLatin1Char('0'))
                       .toUtf8();
        testsupport::WriteFile(strPath, old);
        auto history = std::make_shared<CSongHistory>(strPath);
        history->Load();
        return [history](QString* pstrError)
        {
            // A burst of titles, written once.
            for (int i = 0; i < 30; ++i)
                history->Add(QStringLiteral("New"), QStringLiteral("A rather long title, number %1").arg(i));
            const bool bSaved = history->Save();
            *pstrError = history->LastError();
            return bSaved && history->IsSaved();
        };
    }
    if (strWriter == "channel list put in place")
    {
        testsupport::WriteFile(strPath, ChannelList("old", 10));
        const QString strFetched = strFolder + "/fetched.csv";
        testsupport::WriteFile(strFetched, ChannelList("new", 40));
        return [strPath, strFetched](QString* pstrError)
        { return CopyWholeFile(strFetched, strPath, 1 << 20, pstrError); };
    }
    if (strWriter == "public channel list")
    {
        testsupport::WriteFile(strPath, ChannelList("old", 10));
        QList<CChannelRecord> channels;
        for (int i = 0; i < 40; ++i)
            channels.append(ParseChannelLine(
                QStringLiteral("Radio,New %1,http://new.example.org/%1,x,English,About,ON").arg(i)));
        return [strPath, channels](QString* pstrError)
        { return WritePublicChannelList(strPath, channels, pstrError); };
    }
    // My Stations: the file is the list's own, or (export) another file that exists already.
    const bool bExport = strWriter == "My Stations export";
    const QString strList = bExport ? strFolder + "/MyStations.m3u" : strPath;
    testsupport::WriteFile(strList, WritePlaylist(Stations("old", 20), EPlaylistFormat::M3U));
    if (bExport)
        testsupport::WriteFile(strPath, "#EXTM3U\n#EXTINF:-1,An older export\nhttp://older.example/\n");
    auto mine = std::make_shared<CMyStations>(strList);
    mine->Load();
    if (bExport)
    {
        mine->AddMany(Stations("new", 30));
        return [mine, strPath](QString* pstrError)
        { return mine->Export(strPath, EPlaylistFormat::XSPF, pstrError); };
    }
    if (strWriter == "My Stations change")
        return [mine](QString* pstrError)
        {
            const bool bDone = mine->Remove(0) == CMyStations::Done;
            *pstrError = mine->LastWriteError();
            return bDone;
        };
    return [mine](QString* pstrError)
    {
        CMyStations::SAddCounts counts;
        const bool bDone = mine->AddMany(Stations("new", 30), &counts) == CMyStations::Done;
        *pstrError = mine->LastWriteError();
        return bDone && counts.nAdded == 30 && mine->Count() == 50;
    };
}
} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void writeFailsAndKeepsOldFile_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("saysWhy");
        for (const char* name :
             {"song history", "channel list put in place", "public channel list", "My Stations change",
              "My Stations import", "My Stations export", "settings"})
            QTest::newRow(name) << QString::fromLatin1(name) << (qstrcmp(name, "settings") != 0);
    }

    void writeFailsAndKeepsOldFile()
    {
        QFETCH(QString, writer);
        QFETCH(bool, saysWhy);
        QTemporaryDir dir;
        QString strPath = dir.filePath(QStringLiteral("target"));
        const Write write = Prepare(writer, strPath, dir.path());
        const QString strFolder = QFileInfo(strPath).path();
        const QByteArray before = ReadAll(strPath);
        QVERIFY(!before.isEmpty());
        const QStringList files = QDir(strFolder).entryList(QDir::Files);

        QString strError;
        bool bWritten = true;
        {
            CDiskFull full;
            QVERIFY(full.IsSet());
            bWritten = write(&strError);
        }
        QVERIFY2(!bWritten, "the write reported success");
        QVERIFY(strError.isEmpty() != saysWhy);
        QCOMPARE(ReadAll(strPath), before);
        QCOMPARE(QDir(strFolder).entryList(QDir::Files), files);

        // With room again the same write goes through, and the new file is larger than the room was.
        QVERIFY(write(&strError));
        const QByteArray after = ReadAll(strPath);
        QVERIFY(after != before);
        QVERIFY(qsizetype(after.size()) > qsizetype(kRoom));
        QCOMPARE(QDir(strFolder).entryList(QDir::Files), files);
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "robust_fulldisk.moc"
