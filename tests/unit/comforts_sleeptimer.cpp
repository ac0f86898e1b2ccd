// The sleep timer with a short minute: it fades, expires once and then gives the sound back; a
// cancelled or song-bound timer behaves as the tray's entries promise; nothing runs while it is off.
#include "TestSupport.h"
#include "player/SleepTimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using testsupport::WaitFor;

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
        CSleepTimer timer;
        timer.SetSecondsPerMinute(1);
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        QSignalSpy levels(&timer, &CSleepTimer::FadeLevel);
        QElapsedTimer clock;
        clock.start();
        timer.Start(2);
        QCOMPARE(timer.Mode(), CSleepTimer::EMode::Timed);
        QCOMPARE(timer.MinutesLeft(), 2);
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep in 2 min"));
        QVERIFY(WaitFor([&] { return timer.MinutesLeft() == 1; }, 5000));
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep in 1 min"));
        QVERIFY(levels.isEmpty()); // the fade is only the last half minute
        QVERIFY(WaitFor([&] { return expired.count() == 1; }, 5000));
        QVERIFY(clock.elapsed() >= 2000);

        const QList<double> seen = Levels(levels);
        QVERIFY2(seen.size() >= 10, qPrintable(QString::number(seen.size())));
        for (int i = 1; i + 1 < seen.size(); ++i)
            QVERIFY(seen[i] < seen[i - 1]);
        QVERIFY(seen[seen.size() - 2] < 0.2);
        QCOMPARE(seen.last(), 1.0); // back to full once it has stopped
        QVERIFY(!timer.IsArmed());
        QVERIFY(!timer.IsRunning());
        QCOMPARE(timer.TipLine(), QString());
        // It expired once: nothing more comes.
        QTest::qWait(300);
        QCOMPARE(expired.count(), 1);
    }

    void cancelledDuringTheFadeDoesNotStop()
    {
        CSleepTimer timer;
        timer.SetSecondsPerMinute(2);
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        QSignalSpy levels(&timer, &CSleepTimer::FadeLevel);
        timer.Start(1);
        QVERIFY(WaitFor([&] { return !levels.isEmpty() && levels.last().at(0).toDouble() < 0.8; }, 5000));
        timer.Cancel();
        QCOMPARE(levels.last().at(0).toDouble(), 1.0);
        QVERIFY(!timer.IsRunning());
        QTest::qWait(1500);
        QCOMPARE(expired.count(), 0);
    }

    void endOfSongWaitsForTheNextTitle()
    {
        CSleepTimer timer;
        QSignalSpy expired(&timer, &CSleepTimer::Expired);
        timer.OnSongChanged(); // not armed: nothing
        timer.StartAtEndOfSong();
        QCOMPARE(timer.TipLine(), QStringLiteral("Sleep at the end of the song"));
        QVERIFY(!timer.IsRunning()); // no clock: only the title ends it
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
