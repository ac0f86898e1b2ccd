// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// When the player opens a dropped stream again: the waits between attempts, what ends the retrying,
// and that a stream which never played is not retried.
#include "ManualClock.h"
#include "playback/ReconnectPolicy.h"

#include <QtTest>

namespace
{
// Runs a script ("play", "end", "try" for the wait being over, "cancel") and describes the state after each step as
// "attempt/pending wait in ms", e.g. "2/2000"; an "end" that schedules nothing adds "!".
QStringList Run(const QStringList& steps)
{
    CReconnectPolicy policy;
    QStringList seen;
    for (const QString& step : steps)
    {
        QString mark;
        if (step == "play")
            policy.PlaybackStarted();
        else if (step == "cancel")
            policy.Cancel();
        else if (step == "try")
            policy.WaitOver();
        else if (!policy.StreamEnded())
            mark = "!";
        seen.append(QStringLiteral("%1/%2%3").arg(policy.Attempt()).arg(policy.PendingDelayMs()).arg(mark));
    }
    return seen;
}
} // namespace

class TestPlayerReconnect : public QObject
{
    Q_OBJECT
private slots:
    void Delays_data()
    {
        QTest::addColumn<int>("attempt");
        QTest::addColumn<int>("seconds");
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("second") << 2 << 2;
        QTest::newRow("third") << 3 << 4;
        QTest::newRow("fourth") << 4 << 8;
        QTest::newRow("fifth") << 5 << 16;
        QTest::newRow("sixth") << 6 << 30;
        QTest::newRow("seventh") << 7 << 30;
        QTest::newRow("after days") << 100000 << 30;
        QTest::newRow("past int range of a shift") << 40 << 30;
    }
    void Delays()
    {
        QFETCH(int, attempt);
        QFETCH(int, seconds);
        QCOMPARE(CReconnectPolicy::DelaySeconds(attempt), seconds);
    }

    void Scripts_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("drop and failing attempts back off")
            << QStringList{"play", "end", "try", "end", "try", "end", "try", "end", "try", "end", "try", "end", "try", "end"}
            << QStringList{"0/-1", "1/1000", "1/-1", "2/2000", "2/-1", "3/4000", "3/-1", "4/8000",
                           "4/-1", "5/16000", "5/-1", "6/30000", "6/-1", "7/30000"};
        QTest::newRow("never played: an error, not a reconnect")
            << QStringList{"end", "end"} << QStringList{"0/-1!", "0/-1!"};
        QTest::newRow("playing again starts the backoff over")
            << QStringList{"play", "end", "try", "end", "try", "play", "end"}
            << QStringList{"0/-1", "1/1000", "1/-1", "2/2000", "2/-1", "0/-1", "1/1000"};
        // The server ends a live stream; the sound it sent ahead plays on and then ends too.
        QTest::newRow("source end then playback end: one reconnect")
            << QStringList{"play", "end", "play", "end", "try", "end"}
            << QStringList{"0/-1", "1/1000", "1/1000", "1/1000", "1/-1", "2/2000"};
        QTest::newRow("stop or another channel while waiting")
            << QStringList{"play", "end", "try", "end", "cancel"}
            << QStringList{"0/-1", "1/1000", "1/-1", "2/2000", "0/-1"};
        QTest::newRow("cancel during an attempt")
            << QStringList{"play", "end", "try", "cancel", "end"} << QStringList{"0/-1", "1/1000", "1/-1", "0/-1", "0/-1!"};
        // The next stream has to play before its own drop is retried.
        QTest::newRow("after a cancel the new stream never played")
            << QStringList{"play", "end", "cancel", "end"} << QStringList{"0/-1", "1/1000", "0/-1", "0/-1!"};
        QTest::newRow("cancel while playing")
            << QStringList{"play", "cancel", "end"} << QStringList{"0/-1", "0/-1", "0/-1!"};
    }
    void Scripts()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QCOMPARE(Run(steps), expected);
    }

    void Text() { QCOMPARE(CReconnectPolicy::Text(3), QStringLiteral("Reconnecting... (attempt 3)")); }

    // Each wait ends in exactly one attempt, at its time on the clock, and leaves no timer behind.
    void AttemptFiresOnce()
    {
        CManualClock clock;
        CReconnectPolicy policy(nullptr, clock);
        int nAttempts = 0;
        policy.m_onAttempt = [&] { ++nAttempts; };
        policy.PlaybackStarted();
        QVERIFY(policy.StreamEnded());
        clock.Advance(999);
        QCOMPARE(nAttempts, 0);
        clock.Advance(1);
        QCOMPARE(nAttempts, 1);
        QVERIFY(!policy.IsWaiting());
        QCOMPARE(policy.Attempt(), 1);
        QCOMPARE(clock.RunningTimers(), 0);
        clock.Advance(3600 * 1000);
        QCOMPARE(nAttempts, 1);

        // The attempt failed: the next one waits two seconds.
        QVERIFY(policy.StreamEnded());
        clock.Advance(1999);
        QCOMPARE(nAttempts, 1);
        clock.Advance(1);
        QCOMPARE(nAttempts, 2);
    }

    void CancelledWaitNeverFires()
    {
        CManualClock clock;
        CReconnectPolicy policy(nullptr, clock);
        int nAttempts = 0;
        policy.m_onAttempt = [&] { ++nAttempts; };
        policy.PlaybackStarted();
        QVERIFY(policy.StreamEnded());
        policy.Cancel();
        QCOMPARE(clock.RunningTimers(), 0);
        clock.Advance(3600 * 1000);
        QCOMPARE(nAttempts, 0);
    }
};

QTEST_GUILESS_MAIN(TestPlayerReconnect)
#include "player_reconnect.moc"
