// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process's age, by which the start-up's list download waits its second from the program's start.
#include "platform/ProcessAge.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

class TestProcessAge : public QObject
{
    Q_OBJECT
private slots:
    // It counts from the process's start (before main), follows the clock, and is never negative.
    void followsTheClockFromTheStart()
    {
        QElapsedTimer sinceMain;
        sinceMain.start();
        const long long nFirst = ProcessAgeMs();
        QVERIFY2(nFirst >= 0, "the system keeps the start time in /proc/self/stat");
        // The process started before this test ran, but not minutes before.
        QVERIFY(nFirst < 60 * 1000);
        QThread::msleep(300);
        const long long nSecond = ProcessAgeMs();
        const long long nSlept = sinceMain.elapsed();
        // The start time has a tick's resolution (10 ms), the clock a millisecond's.
        QVERIFY2(nSecond - nFirst >= nSlept - 30 && nSecond - nFirst <= nSlept + 30,
                 qPrintable(QStringLiteral("%1 ms after %2 ms").arg(nSecond - nFirst).arg(nSlept)));
    }
};

QTEST_GUILESS_MAIN(TestProcessAge)
#include "platform_process_age.moc"
