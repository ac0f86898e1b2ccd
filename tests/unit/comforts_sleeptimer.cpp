// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sleep timer on a clock the test moves: it fades, expires once at its minute and then gives the
// sound back; a cancelled or song-bound timer behaves as the tray's entries promise; nothing runs
// while it is off.
#include "ManualClock.h"
#include "playback/SleepTimer.h"

#include <QSignalSpy>
#include <QTest>

class TestSleepTimer : public QObject
{
    Q_OBJECT

private:
    // Levels reported so far, in order.
    static QList<double> Levels(const QSignalSpy& spy)
    {
        QList<double> levels;
        for (const auto& args : spy)
            levels << args.at(0).toDouble();
        return levels;
    }

private slots:
    void timedFadesThenStopsAndRestores()
    {
        CManualClock clock;
        CSleepTimer timer(nullptr, clock);
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        QSignalSpy levels(&timer, &CSleepTimer::FadeLevel);
        timer.Start(2);
        QCOMPARE(timer.Mode(), CSleepTimer::EMode::Timed);
        QCOMPARE(timer.MinutesLeft(), 2);
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep in 2 min"));
        clock.Advance(60000);
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep in 1 min"));
        clock.Advance(29999);
        QVERIFY(levels.isEmpty()); // the fade is only the last half minute
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep in 1 min"));
        clock.Advance(30000);
        QCOMPARE(expired.count(), 0);
        clock.Advance(1); // two minutes to the millisecond
        QCOMPARE(expired.count(), 1);

        // A level for each step of the fade, each lower than the one before, then full again.
        const QList<double> seen = Levels(levels);
        QCOMPARE(seen.size(), CSleepTimer::kFadeSteps);
        for (int i = 1; i + 1 < seen.size(); ++i)
            QVERIFY(seen[i] < seen[i - 1]);
        QVERIFY(seen[seen.size() - 2] < 0.05);
        QCOMPARE(seen.last(), 1.0); // back to full once it has stopped
        QVERIFY(!timer.IsArmed());
        QVERIFY(!timer.IsRunning());
        QCOMPARE(timer.TipLine(), QString());
        // It expired once and left no timer behind: nothing more comes, however long.
        QCOMPARE(clock.RunningTimers(), 0);
        clock.Advance(24 * 3600 * 1000);
        QCOMPARE(expired.count(), 1);
    }

    void cancelledDuringTheFadeDoesNotStop()
    {
        CManualClock clock;
        CSleepTimer timer(nullptr, clock);
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        QSignalSpy levels(&timer, &CSleepTimer::FadeLevel);
        timer.Start(1);
        clock.Advance(45000);
        QVERIFY(!levels.isEmpty() && levels.last().at(0).toDouble() < 0.8);
        timer.Cancel();
        QCOMPARE(levels.last().at(0).toDouble(), 1.0);
        QVERIFY(!timer.IsRunning());
        QCOMPARE(clock.RunningTimers(), 0);
        clock.Advance(24 * 3600 * 1000);
        QCOMPARE(expired.count(), 0);
    }

    void endOfSongWaitsForTheNextTitle()
    {
        CManualClock clock;
        CSleepTimer timer(nullptr, clock);
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        timer.OnSongChanged(); // not armed: nothing
        timer.StartAtEndOfSong();
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep at the end of the song"));
        QVERIFY(!timer.IsRunning()); // no clock: only the title ends it
        clock.Advance(24 * 3600 * 1000);
        QCOMPARE(expired.count(), 0);
        timer.OnSongChanged();
        QCOMPARE(expired.count(), 1);
        QVERIFY(!timer.IsArmed());
        // A new timed start replaces the song-bound one, and Cancel disarms it.
        timer.StartAtEndOfSong();
        timer.Start(15);
        QCOMPARE(timer.Mode(), CSleepTimer::EMode::Timed);
        timer.OnSongChanged();
        QCOMPARE(expired.count(), 1);
        timer.Cancel();
        QVERIFY(!timer.IsArmed() && !timer.IsRunning());
    }
};

QTEST_GUILESS_MAIN(TestSleepTimer)
#include "comforts_sleeptimer.moc"
