// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rewind buffer's ring file: what it holds after it wrapped around, that it never takes more
// than its cap on disk, that readers of overwritten bytes are refused rather than handed torn data,
// that a reader waiting at the live edge wakes for new bytes, the end or a cancel, and that only
// the files of programs that are gone are cleaned up.
#include "listenback/RingFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <future>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// The byte at logical offset n of the test stream.
char ByteAt(qint64 n)
{
    return char((n * 7 + n / 251) & 0xFF);
}

QByteArray Pattern(qint64 nFrom, qint64 nSize)
{
    QByteArray bytes(nSize, Qt::Uninitialized);
    for (qint64 i = 0; i < nSize; ++i)
        bytes[i] = ByteAt(nFrom + i);
    return bytes;
}

// What the file takes on disk: its length, or its allocated blocks less the unused end of the last.
qint64 DiskBytes(const QString& strPath)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(strPath).constData(), &info) != 0)
        return -1;
    const qint64 nBlock = qMax<qint64>(info.st_blksize, 512);
    const qint64 nSlack = (nBlock - info.st_size % nBlock) % nBlock;
    return qMax<qint64>(info.st_size, qint64(info.st_blocks) * 512 - nSlack);
}
} // namespace

class TestListenbackRing : public QObject
{
    Q_OBJECT

private slots:
    void holdsTheNewestBytes_data()
    {
        QTest::addColumn<qint64>("capacity");
        QTest::addColumn<QList<int>>("chunks");
        QTest::newRow("not yet full") << qint64(1000) << QList<int>{10, 300, 5};
        QTest::newRow("exactly full") << qint64(1000) << QList<int>{400, 600};
        QTest::newRow("wrapped, odd chunks") << qint64(1000) << QList<int>{7, 333, 999, 1, 640, 77};
        QTest::newRow("one chunk larger than the ring") << qint64(1000) << QList<int>{150, 2500, 30};
        QTest::newRow("many small") << qint64(97) << QList<int>(200, 13);
    }
    void holdsTheNewestBytes()
    {
        QFETCH(qint64, capacity);
        QFETCH(QList<int>, chunks);
        QTemporaryDir folder;
        CRingFile ring(folder.path() + "/made/here", capacity);
        QVERIFY2(ring.IsOpen(), qPrintable(ring.Error()));
        qint64 nTotal = 0;
        for (int nChunk : chunks)
        {
            QVERIFY(ring.Append(Pattern(nTotal, nChunk).constData(), nChunk));
            nTotal += nChunk;
            QCOMPARE(ring.End(), nTotal);
            QCOMPARE(ring.Begin(), qMax<qint64>(0, nTotal - capacity));
            QVERIFY(DiskBytes(ring.Path()) <= capacity);
        }
        // Every held byte reads back as it was appended, from any offset, across the wrap.
        const qint64 nBegin = ring.Begin();
        for (qint64 nOffset = nBegin; nOffset < nTotal; nOffset += qMax<qint64>(1, capacity / 7))
        {
            QByteArray bytes(capacity, '\0');
            const qint64 n = ring.Read(nOffset, bytes.data(), bytes.size());
            QCOMPARE(n, nTotal - nOffset);
            QCOMPARE(bytes.left(n), Pattern(nOffset, n));
        }
        char c;
        QCOMPARE(ring.Read(nTotal, &c, 1), qint64(0));
        QCOMPARE(ring.Read(nTotal + 1, &c, 1), qint64(-1));
        if (nBegin > 0)
            QCOMPARE(ring.Read(nBegin - 1, &c, 1), qint64(-1));
    }

    // Ten minutes of a 128 kbit/s stream, appended as fast as it goes, in a ring of 1 MiB.
    void neverLargerThanItsCapOnDisk()
    {
        constexpr qint64 kCap = 1024 * 1024;
        constexpr qint64 kTotal = 600 * 128000 / 8;
        QTemporaryDir folder;
        QString strPath;
        {
            CRingFile ring(folder.path(), kCap);
            QVERIFY(ring.IsOpen());
            strPath = ring.Path();
            QVERIFY(strPath.startsWith(folder.path()));
            QByteArray chunk(4096 + 17, 'x');
            qint64 nLargest = 0;
            for (qint64 n = 0; n < kTotal; n += chunk.size())
            {
                QVERIFY(ring.Append(chunk.constData(), chunk.size()));
                nLargest = qMax(nLargest, DiskBytes(strPath));
            }
            QVERIFY2(nLargest <= kCap, qPrintable(QString::number(nLargest)));
            QCOMPARE(ring.End() - ring.Begin(), kCap);
        }
        QVERIFY(!QFile::exists(strPath));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void waitingReaderWakes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("bytes come") << "append" << qint64(5);
        QTest::newRow("stream ends") << "finish" << qint64(0);
        QTest::newRow("player cancels") << "cancel" << qint64(0);
    }
    void waitingReaderWakes()
    {
        QFETCH(QString, action);
        QFETCH(qint64, expected);
        QTemporaryDir folder;
        CRingFile ring(folder.path(), 64);
        QVERIFY(ring.Append("abc", 3));
        // A cancel from an earlier open does not end this one.
        ring.Cancel();
        ring.ResetCancel();
        QByteArray buffer(16, '\0');
        std::promise<void> started;
        auto reader = std::async(std::launch::async,
                                 [&]
                                 {
                                     started.set_value();
                                     return ring.ReadWait(3, buffer.data(), buffer.size());
                                 });
        started.get_future().wait();
        if (action == "append")
            QVERIFY(ring.Append("defgh", 5));
        else if (action == "finish")
            ring.Finish();
        else
            ring.Cancel();
        QVERIFY(reader.wait_for(std::chrono::seconds(20)) == std::future_status::ready);
        QCOMPARE(reader.get(), expected);
        if (expected > 0)
            QCOMPARE(buffer.left(expected), QByteArray("defgh"));
        // Bytes already there are read without waiting, also after the end.
        QCOMPARE(ring.ReadWait(1, buffer.data(), 2), qint64(2));
        QCOMPARE(buffer.left(2), QByteArray("bc"));
    }

    // A program killed with its ring open leaves the file; the next start removes it, but not the
    // ring of a program still running, nor anything else in the folder.
    void removesOnlyStaleRings()
    {
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("notes.txt")).open(QIODevice::WriteOnly));
        CRingFile mine(folder.path(), 100);
        QVERIFY(mine.IsOpen());

        int pipeFds[2];
        QVERIFY(::pipe(pipeFds) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0)
        {
            ::close(pipeFds[0]);
            CRingFile held(folder.path(), 100);
            const QByteArray path = QFile::encodeName(held.Path()) + '\n';
            if (!held.IsOpen() || ::write(pipeFds[1], path.constData(), path.size()) != path.size())
                ::_exit(1);
            for (;;)
                ::pause();
        }
        ::close(pipeFds[1]);
        QByteArray childPath;
        char c;
        while (::read(pipeFds[0], &c, 1) == 1 && c != '\n')
            childPath.append(c);
        ::close(pipeFds[0]);
        const QString strChildPath = QFile::decodeName(childPath);
        QVERIFY(QFile::exists(strChildPath));

        QCOMPARE(CRingFile::RemoveStale(folder.path()), 0);
        QVERIFY(QFile::exists(strChildPath));

        ::kill(child, SIGKILL);
        int nStatus = 0;
        QCOMPARE(::waitpid(child, &nStatus, 0), child);
        QVERIFY(QFile::exists(strChildPath));
        QCOMPARE(CRingFile::RemoveStale(folder.path()), 1);
        QVERIFY(!QFile::exists(strChildPath));
        QVERIFY(QFile::exists(mine.Path()));
        QVERIFY(QFile::exists(folder.filePath("notes.txt")));
        QVERIFY(mine.Append("still here", 10));
    }

    void refusesWhatItCannotMake()
    {
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("file")).open(QIODevice::WriteOnly));
        CRingFile ring(folder.filePath("file/below"), 100);
        QVERIFY(!ring.IsOpen());
        QVERIFY(!ring.Error().isEmpty());
        char c;
        QCOMPARE(ring.Read(0, &c, 1), qint64(-1));
        QVERIFY(!ring.Append("x", 1));
    }
};

QTEST_GUILESS_MAIN(TestListenbackRing)
#include "listenback_ring.moc"
