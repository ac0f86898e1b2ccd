// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target: a live stream as the rewind buffer reads it. The first two bytes choose the ICY
// metadata interval (0: none), the rest is what the server sent. Whatever the bytes: the audio and
// titles do not depend on how the stream was cut into chunks, no audio byte is invented, titles
// come in order inside the audio and hold no control characters; the media clock gives the same
// times for any chunking, never runs backwards, and its cut points lie where it says.
#include "listenback/FrameClock.h"
#include "listenback/IcyReader.h"

#include <cstdint>
#include <cstdlib>

namespace
{
void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}

struct SResult
{
    QByteArray audio;
    QList<CIcyReader::STitle> titles;
};

// Feeds in chunks whose sizes come from the data itself (nStep 0: all at once).
SResult Read(qint64 nMetaInt, const QByteArray& stream, int nStep)
{
    CIcyReader reader(nMetaInt);
    SResult result;
    for (qsizetype nAt = 0; nAt < stream.size();)
    {
        const qsizetype n =
            nStep == 0
                ? stream.size()
                : qMin<qsizetype>(stream.size() - nAt, 1 + (static_cast<unsigned char>(stream[nAt]) % nStep));
        reader.Feed(stream.constData() + nAt, n, result.audio, result.titles);
        nAt += n;
    }
    Check(reader.AudioBytes() == result.audio.size());
    return result;
}

void CheckClock(const QByteArray& audio, qint64 nByteRate)
{
    CFrameClock whole(true, nByteRate);
    whole.Feed(audio.constData(), audio.size(), 1.0);
    CFrameClock pieces(true, nByteRate);
    for (qsizetype nAt = 0; nAt < audio.size();)
    {
        const qsizetype n =
            qMin<qsizetype>(audio.size() - nAt, 1 + (static_cast<unsigned char>(audio[nAt]) % 97));
        pieces.Feed(audio.constData() + nAt, n, 1.0);
        nAt += n;
    }
    Check(whole.Bytes() == audio.size() && pieces.Bytes() == audio.size());
    Check(whole.Mode() == pieces.Mode());
    double dLast = 0;
    for (qint64 nOffset = 0; nOffset <= audio.size(); nOffset += 1 + audio.size() / 64)
    {
        const double dSeconds = whole.SecondsAt(nOffset);
        Check(dSeconds >= 0 && dSeconds >= dLast - 1e-9);
        // Frames and a byte rate do not depend on the chunks (arrival times do, by their nature).
        Check(whole.Mode() == CFrameClock::EMode::ArrivalTime ||
              qAbs(dSeconds - pieces.SecondsAt(nOffset)) < 1e-6);
        dLast = dSeconds;
        const qint64 nCut = whole.OffsetAt(dSeconds);
        Check(nCut >= 0 && (nCut <= audio.size() || whole.Mode() == CFrameClock::EMode::ByteRate));
        Check(whole.SecondsAt(nCut) <= dSeconds + 1e-6 || whole.Mode() != CFrameClock::EMode::Frames);
        Check(whole.CutAtOrAfter(nOffset) >= nOffset);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    const qint64 nMetaInt = qint64(pData[0]) << 8 | pData[1];
    const QByteArray stream(reinterpret_cast<const char*>(pData + 2), qsizetype(nSize - 2));
    const SResult whole = Read(nMetaInt, stream, 0);
    for (int nStep : {1, 7, 300})
    {
        const SResult pieces = Read(nMetaInt, stream, nStep);
        Check(pieces.audio == whole.audio);
        Check(pieces.titles.size() == whole.titles.size());
        for (qsizetype i = 0; i < whole.titles.size(); ++i)
            Check(pieces.titles[i].nOffset == whole.titles[i].nOffset &&
                  pieces.titles[i].strTitle == whole.titles[i].strTitle);
    }
    Check(whole.audio.size() <= stream.size());
    qint64 nLast = 0;
    for (const CIcyReader::STitle& title : whole.titles)
    {
        Check(title.nOffset >= nLast && title.nOffset <= whole.audio.size());
        nLast = title.nOffset;
        for (QChar c : title.strTitle)
            Check(c.category() != QChar::Other_Control);
        Check(title.strTitle == title.strTitle.simplified());
    }
    CheckClock(whole.audio, 0);
    CheckClock(stream, 16000);
    return 0;
}
