// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rewind buffer against a small stream server on 127.0.0.1: an Icecast-like MP3 stream with
// interleaved titles goes into the ring as audio alone, its titles at the offsets where they
// arrived, timed by its frames, and a title's span is saved cut at frame starts; a ring smaller
// than the stream keeps the newest bytes and the title in force at its start; and what is not a
// live stream (an error, a playlist, a web page, a file) is handed back to be played directly.
#include "listenback/FrameClock.h"
#include "listenback/ListenBuffer.h"
#include "listenback/RingFile.h"

#include "TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
constexpr qint64 kMetaInt = 1000;
constexpr int kFrameBytes = 384;      // MPEG-1 layer III, 128 kbit/s, 48 kHz: 24 ms
constexpr int kFrames = 400;          // 9.6 s
constexpr int kSecondTitleBlock = 50; // after 50000 bytes of audio

QByteArray Mp3Audio()
{
    QByteArray audio;
    for (int i = 0; i < kFrames; ++i)
    {
        QByteArray frame(kFrameBytes, char(i & 0x7F));
        frame[0] = char(0xFF);
        frame[1] = char(0xFB);
        frame[2] = char(0x94);
        frame[3] = char(0x44);
        audio += frame;
    }
    return audio;
}

QByteArray MetaBlock(const QByteArray& text)
{
    if (text.isEmpty())
        return QByteArray(1, '\0');
    const qsizetype nUnits = (text.size() + 15) / 16;
    return char(nUnits) + text + QByteArray(nUnits * 16 - text.size(), '\0');
}

// Answers each request by its path, as the servers out there do, and remembers the last request.
class CStreamServer : public QTcpServer
{
public:
    CStreamServer()
    {
        connect(this, &QTcpServer::newConnection, this,
                [this]
                {
                    while (QTcpSocket* pSocket = nextPendingConnection())
                    {
                        connect(pSocket, &QTcpSocket::disconnected, pSocket, &QObject::deleteLater);
                        connect(pSocket, &QTcpSocket::readyRead, this,
                                [this, pSocket] { OnRequest(pSocket); });
                    }
                });
        listen(QHostAddress::LocalHost);
    }
    QString Url(const QString& strPath) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(strPath);
    }
    QByteArray m_lastRequest;

private:
    void OnRequest(QTcpSocket* pSocket)
    {
        QByteArray& request = m_requests[pSocket];
        request += pSocket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        m_lastRequest = request;
        // A later socket may be given the same address: its request starts afresh.
        m_requests.remove(pSocket);
        const QByteArray path = m_lastRequest.split(' ').value(1);
        QByteArray answer;
        if (path == "/stream")
        {
            answer = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name: Test FM\r\nicy-br: 128\r\n"
                     "icy-metaint: " +
                     QByteArray::number(kMetaInt) + "\r\n\r\n";
            const QByteArray audio = Mp3Audio();
            for (qsizetype nAt = 0, nBlock = 1; nAt < audio.size(); nAt += kMetaInt, ++nBlock)
            {
                answer += audio.mid(nAt, kMetaInt);
                if (nAt + kMetaInt > audio.size())
                    break;
                if (nBlock == 1)
                    answer += MetaBlock("StreamTitle='First Song';StreamUrl='';");
                else if (nBlock == kSecondTitleBlock)
                    answer += MetaBlock("StreamTitle='Second Song';StreamUrl='';");
                else if (nBlock % 7 == 0)
                    answer += MetaBlock(nBlock < kSecondTitleBlock ? "StreamTitle='First Song';"
                                                                   : "StreamTitle='Second Song';");
                else
                    answer += MetaBlock("");
            }
        }
        else if (path == "/missing")
            answer =
                "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 9\r\n\r\nNot found";
        else if (path == "/playlist")
            answer = "HTTP/1.0 200 OK\r\nContent-Type: audio/x-mpegurl\r\nicy-name: Test FM\r\n\r\n"
                     "#EXTM3U\nhttp://127.0.0.1:1/stream\n";
        else if (path == "/page")
            answer =
                "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<html><body>Listen here</body></html>";
        else if (path == "/file.mp3")
            answer = "HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: " +
                     QByteArray::number(Mp3Audio().size()) + "\r\n\r\n" + Mp3Audio();
        pSocket->write(answer);
        pSocket->disconnectFromHost();
    }
    QHash<QTcpSocket*, QByteArray> m_requests;
};
} // namespace

class TestListenbackBuffer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.isListening()); }

    void buffersAnIcyStream_data()
    {
        QTest::addColumn<qint64>("capacity");
        QTest::newRow("room for all") << qint64(1024 * 1024);
        // The first title fell out of the ring; it stays as the one in force at its start.
        QTest::newRow("ring of 40 KB") << qint64(40000);
        // Only the second title's part is held.
        QTest::newRow("ring of 20 KB") << qint64(20000);
    }
    void buffersAnIcyStream()
    {
        QFETCH(qint64, capacity);
        QTemporaryDir folder;
        CListenBuffer buffer(m_server.Url("/stream"), capacity, folder.path());
        QSignalSpy ready(&buffer, &CListenBuffer::Ready);
        QSignalSpy failed(&buffer, &CListenBuffer::Failed);
        QSignalSpy notAStream(&buffer, &CListenBuffer::NotAStream);
        QVERIFY(!buffer.Ring());
        buffer.Start();
        // The server sends the whole stream and hangs up: the connection is lost after Ready.
        QVERIFY(testsupport::WaitFor([&] { return failed.count() > 0 || notAStream.count() > 0; }));
        QCOMPARE(notAStream.count(), 0);
        QCOMPARE(ready.count(), 1);
        QVERIFY(m_server.m_lastRequest.contains("\r\nIcy-MetaData: 1\r\n"));
        QVERIFY(m_server.m_lastRequest.contains("\r\nUser-Agent: Vedrix/"));
        QCOMPARE(buffer.ContentType(), QString("audio/mpeg"));

        const auto pRing = buffer.Ring();
        QVERIFY(pRing);
        const QByteArray audio = Mp3Audio();
        QCOMPARE(pRing->End(), audio.size());
        QCOMPARE(pRing->Begin(), qMax<qint64>(0, audio.size() - capacity));
        QVERIFY(QFileInfo(pRing->Path()).size() <= capacity);
        QByteArray held(pRing->End() - pRing->Begin(), '\0');
        QCOMPARE(pRing->Read(pRing->Begin(), held.data(), held.size()), held.size());
        QCOMPARE(held, audio.right(held.size()));
        // The stream ended: a reader at the end is not left waiting.
        char c;
        QCOMPARE(pRing->ReadWait(pRing->End(), &c, 1), qint64(0));

        // Seconds from the frames: 24 ms a frame, from the first byte of the stream.
        QCOMPARE(buffer.LiveSeconds(), kFrames * 0.024);
        QVERIFY(qAbs(buffer.StartSeconds() - pRing->Begin() / 16000.0) < 1e-9);
        const double dMiddle = (buffer.StartSeconds() + buffer.LiveSeconds()) / 2;
        const qint64 nCut = buffer.OffsetAt(dMiddle);
        QCOMPARE(nCut % kFrameBytes, 0);
        QVERIFY(buffer.SecondsAt(nCut) < dMiddle + 1e-9 && buffer.SecondsAt(nCut) > dMiddle - 0.024 - 1e-9);
        QCOMPARE(buffer.OffsetAt(-10), ((pRing->Begin() + kFrameBytes - 1) / kFrameBytes) * kFrameBytes);
        QCOMPARE(buffer.OffsetAt(1e9), pRing->End());

        // Titles at the audio offsets where their blocks came, repeats merged.
        const qint64 nFirst = kMetaInt;
        const qint64 nSecond = kSecondTitleBlock * kMetaInt;
        QList<CListenBuffer::STitleMark> expected{{nFirst, "First Song"}, {nSecond, "Second Song"}};
        if (pRing->Begin() >= nSecond)
            expected.removeFirst();
        const QList<CListenBuffer::STitleMark> titles = buffer.Titles();
        QCOMPARE(titles.size(), expected.size());
        for (qsizetype i = 0; i < titles.size(); ++i)
        {
            QCOMPARE(titles[i].nOffset, expected[i].nOffset);
            QCOMPARE(titles[i].strTitle, expected[i].strTitle);
        }
        QCOMPARE(buffer.TitleAt(nSecond - 1), pRing->Begin() < nSecond ? QString("First Song") : QString());
        QCOMPARE(buffer.TitleAt(nSecond), QString("Second Song"));
        QCOMPARE(buffer.TitleAt(pRing->End()), QString("Second Song"));

        // The first song's span, from the buffer's start when it began before it: whole frames only.
        const QString strPath = folder.filePath("first.mp3");
        const QString strError = buffer.SaveSpan(nFirst, nSecond, strPath);
        if (pRing->Begin() >= nSecond)
        {
            QVERIFY(!strError.isEmpty());
            QVERIFY(!QFile::exists(strPath));
            return;
        }
        QVERIFY2(strError.isEmpty(), qPrintable(strError));
        QFile saved(strPath);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray song = saved.readAll();
        const qint64 nFrom = audio.indexOf(song);
        const qint64 nStart = qMax(nFirst, pRing->Begin());
        QVERIFY(nFrom >= nStart && nFrom < nStart + kFrameBytes);
        QCOMPARE(nFrom % kFrameBytes, 0);
        QCOMPARE((nFrom + song.size()) % kFrameBytes, 0);
        QVERIFY(nFrom + song.size() <= nSecond);
        QVERIFY(nFrom + song.size() > nSecond - kFrameBytes);
    }

    void handsBackWhatIsNotALiveStream_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("not found") << "/missing";
        QTest::newRow("playlist with icy headers") << "/playlist";
        QTest::newRow("playlist by its name") << "/list.m3u";
        QTest::newRow("web page") << "/page";
        QTest::newRow("a file of known length") << "/file.mp3";
        QTest::newRow("nobody listening") << "";
    }
    void handsBackWhatIsNotALiveStream()
    {
        QFETCH(QString, path);
        QTemporaryDir folder;
        QString strUrl = m_server.Url(path);
        if (path.isEmpty())
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            strUrl = QStringLiteral("http://127.0.0.1:%1/stream").arg(closed.serverPort());
            closed.close();
        }
        CListenBuffer buffer(strUrl, 1024 * 1024, folder.path());
        QSignalSpy ready(&buffer, &CListenBuffer::Ready);
        QSignalSpy notAStream(&buffer, &CListenBuffer::NotAStream);
        buffer.Start();
        QVERIFY(testsupport::WaitFor([&] { return notAStream.count() > 0; }));
        QCOMPARE(ready.count(), 0);
        QVERIFY(!buffer.Ring());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

private:
    CStreamServer m_server;
};

QTEST_GUILESS_MAIN(TestListenbackBuffer)
#include "listenback_buffer.moc"
