// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listenback/FrameClock.h"

#include <algorithm>

namespace
{
// A stream said to be MPEG or AAC that shows no two agreeing frames in its first bytes is something
// else: time it the other way.
constexpr qint64 kSearchBytes = 64 * 1024;
// Twice this many points (16 bytes each) and every other one goes.
constexpr qsizetype kMaxPoints = 64 * 1024;

// kbit/s by bit rate index 1..14: MPEG-1 layers I, II, III; MPEG-2/2.5 layer I, layers II and III.
constexpr int kBitRates[5][14] = {
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};
constexpr int kMpegRates[3] = {44100, 48000, 32000};
constexpr int kAdtsRates[13] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                22050, 16000, 12000, 11025, 8000,  7350};
constexpr int kAdtsKind = 100;
} // namespace

CFrameClock::CFrameClock(bool bFrames, qint64 nBytesPerSecond)
    : m_mode(EMode::Frames), m_nBytesPerSecond(nBytesPerSecond)
{
    if (!bFrames)
        FallBack();
}

bool CFrameClock::ParseHeader(const unsigned char* p, SHeader& header)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int nLayerBits = (p[1] >> 1) & 3;
    const int nVersionBits = (p[1] >> 3) & 3;
    if (nLayerBits == 0)
    {
        // ADTS: twelve sync bits and a layer of 0, which MPEG audio does not use.
        if ((p[1] & 0xF0) != 0xF0)
            return false;
        const int nRateIndex = (p[2] >> 2) & 0xF;
        if (nRateIndex >= 13)
            return false;
        const int nLength = ((p[3] & 3) << 11) | (p[4] << 3) | (p[5] >> 5);
        const bool bCrc = (p[1] & 1) == 0;
        if (nLength < (bCrc ? 9 : 7))
            return false;
        // MPEG version, profile, rate and channels.
        const int nFixed = ((p[1] >> 3) & 1) << 12 | (p[2] & 0xFD) << 2 | (p[3] >> 6);
        header = {nLength, 1024 * ((p[6] & 3) + 1), kAdtsRates[nRateIndex], kAdtsKind << 16 | nFixed};
        return true;
    }
    const int nRateBits = (p[2] >> 2) & 3;
    const int nBitRateIndex = p[2] >> 4;
    if (nVersionBits == 1 || nRateBits == 3 || nBitRateIndex == 0 || nBitRateIndex == 15 || (p[3] & 3) == 2)
        return false;
    const bool bMpeg1 = nVersionBits == 3;
    const int nLayer = 4 - nLayerBits;
    const int nTable = bMpeg1 ? nLayer - 1 : (nLayer == 1 ? 3 : 4);
    const int nBitRate = kBitRates[nTable][nBitRateIndex - 1] * 1000;
    const int nRate = kMpegRates[nRateBits] >> (bMpeg1 ? 0 : (nVersionBits == 2 ? 1 : 2));
    const int nPadding = (p[2] >> 1) & 1;
    int nLength;
    int nSamples;
    if (nLayer == 1)
    {
        nLength = (12 * nBitRate / nRate + nPadding) * 4;
        nSamples = 384;
    }
    else if (nLayer == 2 || bMpeg1)
    {
        nLength = 144 * nBitRate / nRate + nPadding;
        nSamples = 1152;
    }
    else
    {
        nLength = 72 * nBitRate / nRate + nPadding;
        nSamples = 576;
    }
    // Version, layer, rate and channel mode.
    header = {nLength, nSamples, nRate, (nVersionBits * 4 + nLayer) << 8 | nRateBits << 2 | (p[3] >> 6)};
    return true;
}

void CFrameClock::Feed(const char* pData, qint64 nSize, double dArrival)
{
    if (nSize <= 0)
        return;
    const qint64 nStart = m_nFed;
    m_nFed += nSize;
    m_dArrival = dArrival;
    switch (m_mode)
    {
    case EMode::ByteRate:
        break;
    case EMode::ArrivalTime:
        AddPoint(nStart, dArrival);
        break;
    case EMode::Frames:
        m_buffer.append(pData, nSize);
        ParseFrames();
        if (m_points.isEmpty() && m_nFed > kSearchBytes)
            FallBack();
        break;
    }
}

void CFrameClock::FallBack()
{
    m_mode = m_nBytesPerSecond > 0 ? EMode::ByteRate : EMode::ArrivalTime;
    m_buffer = QByteArray();
    m_points.clear();
    if (m_mode == EMode::ArrivalTime)
        m_points.append({0, 0});
}

void CFrameClock::ParseFrames()
{
    const qint64 nEnd = m_nBufferOffset + m_buffer.size();
    const auto at = [this](qint64 nOffset)
    { return reinterpret_cast<const unsigned char*>(m_buffer.constData()) + (nOffset - m_nBufferOffset); };
    for (;;)
    {
        SHeader header;
        if (m_bLocked)
        {
            if (m_nNext + kHeaderBytes > nEnd)
                break;
            if (ParseHeader(at(m_nNext), header) && header.nKind == m_locked.nKind)
            {
                AddPoint(m_nNext, m_dSeconds);
                m_nLastStart = m_nNext;
                m_dLastStart = m_dSeconds;
                m_dSeconds += double(header.nSamples) / header.nRate;
                m_nNext += header.nLength;
                m_nFrontier = m_nNext;
                continue;
            }
            // Lost: look for two agreeing frames again from the next byte. What lies between has no
            // duration: the line stays flat from here to the next frame.
            AddPoint(m_nNext, m_dSeconds, true);
            m_bLocked = false;
            ++m_nNext;
        }
        // The first lock wants three frames in a row that agree; later ones two of the stream's own.
        const int nConfirm = m_bEverLocked ? 2 : 3;
        bool bWait = false;
        while (!m_bLocked && m_nNext + kHeaderBytes <= nEnd)
        {
            if (ParseHeader(at(m_nNext), header) && (!m_bEverLocked || header.nKind == m_locked.nKind))
            {
                qint64 nAt = m_nNext + header.nLength;
                int nAgreeing = 1;
                SHeader next;
                while (nAgreeing < nConfirm && nAt + kHeaderBytes <= nEnd && ParseHeader(at(nAt), next) &&
                       next.nKind == header.nKind)
                {
                    ++nAgreeing;
                    nAt += next.nLength;
                }
                if (nAgreeing == nConfirm)
                {
                    AddPoint(m_nNext, m_dSeconds, true);
                    m_bLocked = true;
                    m_bEverLocked = true;
                    m_locked = header;
                    break;
                }
                if (nAt + kHeaderBytes > nEnd)
                {
                    bWait = true;
                    break;
                }
            }
            ++m_nNext;
        }
        if (!m_bLocked || bWait)
            break;
    }
    // Keep only what is still to be parsed.
    const qint64 nDone = qMin(m_nNext, nEnd) - m_nBufferOffset;
    if (nDone > 0)
    {
        m_buffer.remove(0, nDone);
        m_nBufferOffset += nDone;
    }
}

void CFrameClock::AddPoint(qint64 nOffset, double dSeconds, bool bAlways)
{
    if (!m_points.isEmpty() && (m_points.last().nOffset >= nOffset ||
                                (!bAlways && dSeconds < m_points.last().dSeconds + m_dSpacing)))
        return;
    if (m_points.size() >= 2 * kMaxPoints)
    {
        QList<SPoint> kept;
        kept.reserve(kMaxPoints + 1);
        for (qsizetype i = 0; i < m_points.size(); i += 2)
            kept.append(m_points[i]);
        m_points = std::move(kept);
        m_dSpacing *= 2;
    }
    m_points.append({nOffset, dSeconds});
}

double CFrameClock::SecondsAt(qint64 nOffset) const
{
    if (m_mode == EMode::ByteRate)
        return double(qMax<qint64>(nOffset, 0)) / m_nBytesPerSecond;
    if (m_points.isEmpty())
        return 0;
    // The newest known point: the end of the last whole frame, or the last bytes that came.
    const SPoint tail =
        m_mode == EMode::Frames ? SPoint{m_nFrontier, m_dSeconds} : SPoint{m_nFed, m_dArrival};
    if (nOffset >= tail.nOffset)
        return tail.dSeconds;
    auto next = std::upper_bound(m_points.cbegin(), m_points.cend(), nOffset,
                                 [](qint64 n, const SPoint& point) { return n < point.nOffset; });
    if (next == m_points.cbegin())
        return next->dSeconds;
    SPoint from = *(next - 1);
    SPoint to = next == m_points.cend() ? tail : *next;
    // The newest frame's start is known exactly too.
    if (m_mode == EMode::Frames && m_nLastStart > from.nOffset && m_nLastStart < to.nOffset)
    {
        if (nOffset >= m_nLastStart)
            from = {m_nLastStart, m_dLastStart};
        else
            to = {m_nLastStart, m_dLastStart};
    }
    if (to.nOffset <= from.nOffset)
        return from.dSeconds;
    return from.dSeconds +
           (to.dSeconds - from.dSeconds) * double(nOffset - from.nOffset) / double(to.nOffset - from.nOffset);
}

qint64 CFrameClock::OffsetAt(double dSeconds, qint64 nFloor) const
{
    qint64 nOffset = 0;
    if (m_mode == EMode::ByteRate)
        nOffset = qint64(qMax(dSeconds, 0.0) * double(m_nBytesPerSecond));
    else if (!m_points.isEmpty())
    {
        // The last known point at or before dSeconds (the first one when none is).
        auto next = std::upper_bound(m_points.cbegin(), m_points.cend(), dSeconds,
                                     [](double d, const SPoint& point) { return d < point.dSeconds; });
        nOffset = next == m_points.cbegin() ? next->nOffset : (next - 1)->nOffset;
        if (m_mode == EMode::Frames)
        {
            if (m_dLastStart <= dSeconds)
                nOffset = qMax(nOffset, m_nLastStart);
            if (m_nFrontier <= m_nFed && m_dSeconds <= dSeconds)
                nOffset = qMax(nOffset, m_nFrontier);
        }
    }
    return nOffset < nFloor ? CutAtOrAfter(nFloor) : nOffset;
}

qint64 CFrameClock::CutAtOrAfter(qint64 nOffset) const
{
    if (m_mode == EMode::ByteRate)
        return nOffset;
    auto next = std::lower_bound(m_points.cbegin(), m_points.cend(), nOffset,
                                 [](const SPoint& point, qint64 n) { return point.nOffset < n; });
    if (next != m_points.cend())
        return next->nOffset;
    if (m_mode == EMode::ArrivalTime)
        return qMax(m_nFed, nOffset);
    if (m_nLastStart >= nOffset)
        return m_nLastStart;
    return m_nFrontier <= m_nFed ? qMax(m_nFrontier, nOffset) : qMax(m_nFed, nOffset);
}

void CFrameClock::DropBefore(qint64 nOffset)
{
    auto next = std::upper_bound(m_points.cbegin(), m_points.cend(), nOffset,
                                 [](qint64 n, const SPoint& point) { return n < point.nOffset; });
    const qsizetype nDrop = (next - m_points.cbegin()) - 1;
    if (nDrop > 0)
        m_points.remove(0, nDrop);
}
