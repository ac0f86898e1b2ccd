// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The song history: newest last, at most 1000 songs, a burst of titles written once, the same after
// a reload, and a damaged file gives back every line that can still be read.
#include "TestSupport.h"
#include "playback/SongHistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSongHistory : public QObject
{
    Q_OBJECT

private slots:
    void keepsOrderCapAndSurvivesReload()
    {
        QTemporaryDir dir;
        const QString strFile = dir.filePath(QStringLiteral("songs.jsonl"));
        const QDateTime start(QDate(2026, 1, 2), QTime(20, 0));
        {
            CSongHistory history(strFile);
            history.Load();
            QVERIFY(history.Songs().isEmpty());
            history.Add(QStringLiteral("One"), QStringLiteral("First"), start);
            history.Add(QStringLiteral("One"), QStringLiteral("First"), start.addSecs(5)); // a repeated tag
            history.Add(QStringLiteral("Two"), QString(), start.addSecs(6)); // no title: nothing
            history.Add(QStringLiteral("Two"), QStringLiteral("Ünïcode, \"quoted\"\nline"),
                        start.addSecs(10));
            QCOMPARE(history.Songs().size(), 2);
            QCOMPARE(history.Recent(10).first().Text(), QStringLiteral("Two - Ünïcode, \"quoted\"\nline"));
            for (int i = 0; i < CSongHistory::kCapacity + 5; ++i)
                history.Add(QStringLiteral("Three"), QStringLiteral("Song %1").arg(i),
                            start.addSecs(100 + i));
            // The burst is written once, a moment later, not title by title.
            QVERIFY(!history.IsSaved());
            QVERIFY(!QFile::exists(strFile));
            QVERIFY(testsupport::WaitFor([&] { return history.IsSaved(); }));
            QCOMPARE(history.Songs().size(), CSongHistory::kCapacity);
        }
        CSongHistory reloaded(strFile);
        reloaded.Load();
        QCOMPARE(reloaded.Songs().size(), CSongHistory::kCapacity);
        QCOMPARE(reloaded.Songs().first().strTitle, QStringLiteral("Song 5"));
        QCOMPARE(reloaded.Songs().last().strTitle, QStringLiteral("Song 1004"));
        QCOMPARE(reloaded.Songs().last().time, start.addSecs(1104));
        const auto recent = reloaded.Recent(10);
        QCOMPARE(recent.size(), 10);
        QCOMPARE(recent.first().Text(), QStringLiteral("Three - Song 1004"));
        QCOMPARE(recent.last().Text(), QStringLiteral("Three - Song 995"));
    }

    void damagedFileLoadsWhatItCan()
    {
        QTemporaryDir dir;
        const QString strFile = dir.filePath(QStringLiteral("songs.jsonl"));
        QVERIFY(testsupport::WriteFile(
            strFile, "{\"time\":\"2026-01-02T20:00:00.000\",\"channel\":\"One\",\"title\":\"Kept\"}\n"
                     "\x01\x02 garbage {{{\n"
                     "{\"time\":\"not a time\",\"channel\":\"One\",\"title\":\"No time\"}\n"
                     "[1,2,3]\n"
                     "{\"time\":\"2026-01-02T20:05:00.000\",\"channel\":\"Two\",\"title\":\"Also kept\"}\n"
                     "{\"time\":\"2026-01-02T20:06:00.000\",\"channel\":\"Two\",\"tit"));
        {
            CSongHistory history(strFile);
            history.Load();
            QCOMPARE(history.Songs().size(), 2);
            QCOMPARE(history.Songs().at(0).Text(), QStringLiteral("One - Kept"));
            QCOMPARE(history.Songs().at(1).Text(), QStringLiteral("Two - Also kept"));
            // The next song rewrites the file whole: the damage is gone. The history goes before
            // its write is due, and writes on its way out.
            history.Add(QStringLiteral("Two"), QStringLiteral("New"));
        }
        CSongHistory reloaded(strFile);
        reloaded.Load();
        QCOMPARE(reloaded.Songs().size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestSongHistory)
#include "comforts_songhistory.moc"
