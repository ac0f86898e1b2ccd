// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two parsers under the rewind buffer: the ICY metadata taken out of a stream in chunks of any
// size, with each title at the exact audio offset where it arrived and hostile blocks read safely;
// and the media clock over MP3 and ADTS frames, exact for constant and variable bit rates, back in
// step after garbage, and falling back on the byte rate for what has no frames.
#include "listenback/FrameClock.h"
#include "listenback/IcyReader.h"

#include <QRandomGenerator>
#include <QtTest>

namespace
{
QByteArray Audio(qint64 nFrom, qint64 nSize)
{
    QByteArray bytes(nSize, Qt::Uninitialized);
    for (qint64 i = 0; i < nSize; ++i)
        bytes[i] = char(((nFrom + i) * 13 + 5) & 0xFF);
    return bytes;
}

// A metadata block as a server sends it: length byte, text, NUL padding.
QByteArray Block(const QByteArray& text)
{
    const qsizetype nUnits = (text.size() + 15) / 16;
    QByteArray block(1, char(nUnits));
    block += text;
    block += QByteArray(nUnits * 16 - text.size(), '\0');
    return block;
}

// Feeds a stream to a reader in chunks cut by the given rule; the audio and titles it gave.
void FeedInChunks(CIcyReader& reader, const QByteArray& stream, const QString& strSplit, QByteArray& audio,
                  QList<CIcyReader::STitle>& titles)
{
    QRandomGenerator random(27);
    for (qsizetype nAt = 0; nAt < stream.size();)
    {
        qsizetype n = stream.size() - nAt;
        if (strSplit == "bytes")
            n = 1;
        else if (strSplit == "random")
            n = qMin<qsizetype>(n, 1 + random.bounded(700));
        reader.Feed(stream.constData() + nAt, n, audio, titles);
        nAt += n;
    }
}

// MPEG-1 layer III at 48 kHz: 1152 samples (24 ms) a frame, 144 * bit rate / 48000 bytes.
QByteArray Mp3Frame(int nKbits)
{
    const int nIndex =
        QList<int>{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}.indexOf(nKbits) + 1;
    QByteArray frame(144 * nKbits * 1000 / 48000, char(0x55));
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char((nIndex << 4) | (1 << 2));
    frame[3] = char(0x44);
    return frame;
}

// AAC LC in ADTS at 44.1 kHz, stereo, no CRC: 1024 samples a frame.
QByteArray AdtsFrame(int nLength)
{
    QByteArray frame(nLength, char(0x21));
    frame[0] = char(0xFF);
    frame[1] = char(0xF1);
    frame[2] = char((1 << 6) | (4 << 2));
    frame[3] = char((2 << 6) | ((nLength >> 11) & 3));
    frame[4] = char((nLength >> 3) & 0xFF);
    frame[5] = char(((nLength & 7) << 5) | 0x1F);
    frame[6] = char(0xFC);
    return frame;
}

// Bytes that look like the start of frames but are none, and a false header whose successor
// does not agree with it.
QByteArray Garbage()
{
    QByteArray bytes;
    for (int i = 0; i < 300; ++i)
        bytes += i % 3 ? char(0xFF) : char(i);
    bytes += Mp3Frame(64).left(10);
    return bytes + QByteArray(50, char(0xFF));
}
} // namespace

class TestListenbackParsers : public QObject
{
    Q_OBJECT

private slots:
    void icyTitlesAtTheirOffsets_data()
    {
        QTest::addColumn<qint64>("metaint");
        QTest::addColumn<QString>("split");
        for (qint64 nMetaInt : {1, 16, 1000, 16000})
            for (const char* pSplit : {"whole", "bytes", "random"})
                QTest::addRow("metaint %lld, %s", nMetaInt, pSplit) << nMetaInt << QString(pSplit);
    }
    void icyTitlesAtTheirOffsets()
    {
        QFETCH(qint64, metaint);
        QFETCH(QString, split);
        // Twelve intervals: a title after the 2nd, none (length 0) after most, the same title again
        // (reported again; the buffer merges repeats), and a change after the 9th.
        QByteArray stream;
        const QHash<int, QByteArray> blocks = {
            {2, "StreamTitle='First Song';StreamUrl='';"},
            {5, "StreamTitle='First Song';"},
            {9, "StreamTitle='Second \xc3\xa9 Song';"},
        };
        for (int i = 1; i <= 12; ++i)
        {
            stream += Audio((i - 1) * metaint, metaint);
            stream += blocks.contains(i) ? Block(blocks[i]) : QByteArray(1, '\0');
        }
        stream += Audio(12 * metaint, metaint / 2);

        CIcyReader reader(metaint);
        QByteArray audio;
        QList<CIcyReader::STitle> titles;
        FeedInChunks(reader, stream, split, audio, titles);
        QCOMPARE(audio, Audio(0, 12 * metaint + metaint / 2));
        QCOMPARE(reader.AudioBytes(), audio.size());
        QCOMPARE(titles.size(), 3);
        QCOMPARE(titles[0].nOffset, 2 * metaint);
        QCOMPARE(titles[0].strTitle, QString("First Song"));
        QCOMPARE(titles[1].nOffset, 5 * metaint);
        QCOMPARE(titles[2].nOffset, 9 * metaint);
        QCOMPARE(titles[2].strTitle, QString::fromUtf8("Second \xc3\xa9 Song"));
    }

    void hostileMetadata_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("title");
        QTest::newRow("quote in the title")
            << QByteArray("StreamTitle='Guns N' Roses - Patience';StreamUrl='x';") << true
            << "Guns N' Roses - Patience";
        QTest::newRow("no closing quote")
            << QByteArray("StreamTitle='Cut off here") << true << "Cut off here";
        QTest::newRow("no semicolon")
            << QByteArray("StreamTitle='Ends with quote'") << true << "Ends with quote";
        QTest::newRow("empty title") << QByteArray("StreamTitle='';") << true << "";
        QTest::newRow("no title") << QByteArray("StreamUrl='http://example.invalid/';") << false << "";
        QTest::newRow("Latin-1") << QByteArray("StreamTitle='Caf\xe9 del Mar';") << true
                                 << QString::fromUtf8("Caf\xc3\xa9 del Mar");
        QTest::newRow("control characters and breaks")
            << QByteArray("StreamTitle='One\r\nTwo\x01\x1b[31mThree\t';") << true << "One Two [31mThree";
        QTest::newRow("text turned around") << QByteArray("StreamTitle='a\xe2\x80\xae"
                                                          "b\xe2\x81\xa6"
                                                          "c';")
                                            << true << "a b c";
        QTest::newRow("markup stays text")
            << QByteArray("StreamTitle='<b>Bold</b> &amp;';") << true << "<b>Bold</b> &amp;";
        QTest::newRow("NUL inside") << QByteArray("StreamTitle='Before\0After';", 27) << true << "Before";
        QTest::newRow("largest block of noise") << QByteArray(255 * 16, char(0xFF)) << false << "";
        QTest::newRow("largest block, long title")
            << QByteArray("StreamTitle='") + QByteArray(255 * 16 - 15, 'x') + "';" << true
            << QString(255 * 16 - 15, 'x');
    }
    void hostileMetadata()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, named);
        QFETCH(QString, title);
        constexpr qint64 kMetaInt = 100;
        CIcyReader reader(kMetaInt);
        QByteArray audio;
        QList<CIcyReader::STitle> titles;
        const QByteArray stream = Audio(0, kMetaInt) + Block(text.left(255 * 16)) +
                                  Audio(kMetaInt, kMetaInt) + Block("StreamTitle='Next';");
        FeedInChunks(reader, stream, "random", audio, titles);
        // Whatever the block held, the audio around it is whole and the next block is read.
        QCOMPARE(audio, Audio(0, 2 * kMetaInt));
        QCOMPARE(titles.size(), named ? 2 : 1);
        if (named)
            QCOMPARE(titles[0].strTitle, title);
        QCOMPARE(titles.last().strTitle, QString("Next"));
        QCOMPARE(titles.last().nOffset, 2 * kMetaInt);
    }

    // An interval of 0, a negative or an absurd one: no metadata, every byte is audio.
    void absurdIntervalPassesEverything()
    {
        for (qint64 nMetaInt : {qint64(0), qint64(-16000), CIcyReader::kMaxMetaInt + 1, qint64(1) << 40})
        {
            CIcyReader reader(nMetaInt);
            QVERIFY(!reader.HasMetadata());
            const QByteArray stream = Audio(0, 5000) + Block("StreamTitle='x';");
            QByteArray audio;
            QList<CIcyReader::STitle> titles;
            FeedInChunks(reader, stream, "random", audio, titles);
            QCOMPARE(audio, stream);
            QVERIFY(titles.isEmpty());
        }
    }

    void frameClock_data()
    {
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<double>("frameSeconds");
        QTest::addColumn<bool>("constant");
        QList<QByteArray> cbr(500, Mp3Frame(128));
        QList<QByteArray> vbr;
        for (int i = 0; i < 500; ++i)
            vbr.append(Mp3Frame(QList<int>{128, 320, 64, 192, 32}[i % 5]));
        QList<QByteArray> adts;
        for (int i = 0; i < 500; ++i)
            adts.append(AdtsFrame(300 + (i % 7) * 40));
        QTest::newRow("MP3, constant bit rate") << cbr << 1152.0 / 48000 << true;
        QTest::newRow("MP3, variable bit rate") << vbr << 1152.0 / 48000 << false;
        QTest::newRow("AAC in ADTS") << adts << 1024.0 / 44100 << false;
    }
    void frameClock()
    {
        QFETCH(QList<QByteArray>, frames);
        QFETCH(double, frameSeconds);
        QFETCH(bool, constant);
        // Garbage before the first frame and three times in the middle: it has no duration. (A lone
        // frame between two runs of garbage cannot be told from them, so they are apart.)
        QByteArray stream = Garbage();
        QList<qint64> starts;
        for (int i = 0; i < frames.size(); ++i)
        {
            if (i == 100 || i == 250 || i == 350)
                stream += Garbage();
            starts.append(stream.size());
            stream += frames[i];
        }
        // And after the last frame: the stream broke off.
        const qsizetype nFramesEnd = stream.size();
        stream += Garbage();
        CFrameClock clock(true, 0);
        QRandomGenerator random(3);
        for (qsizetype nAt = 0; nAt < stream.size();)
        {
            const qsizetype n = qMin<qsizetype>(stream.size() - nAt, 1 + random.bounded(2000));
            clock.Feed(stream.constData() + nAt, n, 0.0);
            nAt += n;
        }
        QCOMPARE(clock.Mode(), CFrameClock::EMode::Frames);
        QCOMPARE(clock.Bytes(), stream.size());
        // Exact at a constant rate; with frames of changing sizes the line between the cut points is
        // a straight one.
        const double dTolerance = constant ? 1e-9 : 0.1;
        for (int i = 0; i < frames.size(); ++i)
            QVERIFY2(qAbs(clock.SecondsAt(starts[i]) - i * frameSeconds) < dTolerance,
                     qPrintable(QString::number(i)));
        QVERIFY(qAbs(clock.SecondsAt(nFramesEnd) - frames.size() * frameSeconds) < 1e-9);
        QVERIFY(qAbs(clock.SecondsAt(stream.size()) - frames.size() * frameSeconds) < 1e-9);
        if (constant)
        {
            // Between the garbage, seconds are bytes over the byte rate, at any offset.
            const double dByteRate = 128000.0 / 8;
            for (qint64 nOffset = starts[110]; nOffset < starts[240]; nOffset += 997)
                QVERIFY(qAbs(clock.SecondsAt(nOffset) -
                             (110 * frameSeconds + (nOffset - starts[110]) / dByteRate)) < 1e-9);
        }
        // The cut points are frame starts, at or before the time asked for and close to it.
        for (double dSeconds :
             {0.0, 1.0, 2.5, 5.0, 7.77, (frames.size() - 0.5) * frameSeconds, frames.size() * frameSeconds})
        {
            const qint64 nCut = clock.OffsetAt(dSeconds);
            QVERIFY2(starts.contains(nCut) || nCut == nFramesEnd, qPrintable(QString::number(nCut)));
            const double dCut = clock.SecondsAt(nCut);
            const qsizetype nFrame = nCut == nFramesEnd ? frames.size() : starts.indexOf(nCut);
            QVERIFY2(qAbs(dCut - nFrame * frameSeconds) < 1e-9,
                     qPrintable(QStringLiteral("%1 %2").arg(dCut).arg(nFrame)));
            QVERIFY(dCut <= dSeconds + 1e-9);
            QVERIFY(dCut > dSeconds - 0.3);
        }
        // Held at a floor: a cut point at or soon after it; the frame after garbage is one.
        const qint64 nFloorCut = clock.OffsetAt(0.0, starts[200] - 3);
        QVERIFY(starts.contains(nFloorCut) && nFloorCut >= starts[200]);
        QVERIFY(clock.SecondsAt(nFloorCut) < 200 * frameSeconds + 0.3);
        QCOMPARE(clock.CutAtOrAfter(starts[350] - 5), starts[350]);
        // Forgetting the start keeps the time of what remains.
        const double dBefore = clock.SecondsAt(starts[300] + 5);
        clock.DropBefore(starts[250] + 1);
        QCOMPARE(clock.SecondsAt(starts[300] + 5), dBefore);
    }

    // An Ogg stream (or anything else) has no frames of ours: once that is clear, it is timed by
    // its byte rate.
    void noFramesFallsBackOnTheByteRate()
    {
        QByteArray page = QByteArray("OggS") + QByteArray(4092, char(0xFF));
        CFrameClock clock(true, 16000);
        for (int i = 0; i < 40; ++i)
            clock.Feed(page.constData(), page.size(), 0.0);
        QCOMPARE(clock.Mode(), CFrameClock::EMode::ByteRate);
        QCOMPARE(clock.SecondsAt(160000), 10.0);
        QCOMPARE(clock.OffsetAt(2.5), qint64(40000));
    }
};

QTEST_GUILESS_MAIN(TestListenbackParsers)
#include "listenback_parsers.moc"
