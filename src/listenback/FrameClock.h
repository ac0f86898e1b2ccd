// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The media time of a stream's bytes. MP3 (MPEG audio) and AAC in ADTS frames carry their sample
// count and rate in every frame header, so their time is exact, also for a variable bit rate, and
// the frame starts are clean points to cut at. Other formats fall back on a byte rate (the server's
// icy-br) or, without one, on the time the bytes arrived. Garbage between frames (a server's
// glitch, a stray metadata block) is skipped until two frames in a row agree again.
#include <QByteArray>
#include <QList>

class CFrameClock
{
public:
    enum class EMode
    {
        Frames,      // MPEG audio or ADTS headers
        ByteRate,    // a constant byte rate
        ArrivalTime, // when the bytes came
    };
    // Frames first (an MPEG or AAC stream), falling back on the byte rate (nBytesPerSecond > 0)
    // or arrival time when none are found; bFrames false: the fallback from the start.
    CFrameClock(bool bFrames, qint64 nBytesPerSecond);
    EMode Mode() const { return m_mode; }
    // The next bytes of the stream (they follow the ones fed before); dArrival: seconds since the
    // first byte came.
    void Feed(const char* pData, qint64 nSize, double dArrival);
    qint64 Bytes() const { return m_nFed; }
    // Media seconds at a byte offset (0 = the first byte); the newest time beyond what is known.
    double SecondsAt(qint64 nOffset) const;
    // The cut point (a frame start) at or before dSeconds; never below nFloor when one at or after
    // nFloor exists.
    qint64 OffsetAt(double dSeconds, qint64 nFloor = 0) const;
    // The first cut point at or after nOffset (Bytes() when none yet).
    qint64 CutAtOrAfter(qint64 nOffset) const;
    // Forgets what lies before nOffset, but for the point that still times it.
    void DropBefore(qint64 nOffset);

    struct SHeader
    {
        int nLength;  // bytes, header included
        int nSamples; // per channel
        int nRate;    // samples a second
        int nKind;    // format, rate and channels: the frames of one stream agree on it
    };
    // A frame header at p (at least 7 bytes readable); false when the bytes are none.
    static bool ParseHeader(const unsigned char* p, SHeader& header);
    static constexpr int kHeaderBytes = 7;

private:
    struct SPoint
    {
        qint64 nOffset;
        double dSeconds;
    };
    void AddPoint(qint64 nOffset, double dSeconds, bool bAlways = false);
    void ParseFrames();
    void FallBack();

    EMode m_mode;
    qint64 m_nBytesPerSecond;
    qint64 m_nFed = 0;
    double m_dArrival = 0;
    // Frames: the bytes not yet parsed, from m_nBufferOffset; at most a frame and a chunk.
    QByteArray m_buffer;
    qint64 m_nBufferOffset = 0;
    bool m_bLocked = false;
    bool m_bEverLocked = false;
    SHeader m_locked{};
    qint64 m_nNext = 0;      // where the next frame starts (locked) or the search goes on
    double m_dSeconds = 0;   // media time at m_nNext, once locked
    qint64 m_nFrontier = 0;  // the end of the last frame whose header was read
    qint64 m_nLastStart = 0; // and its start
    double m_dLastStart = 0;
    // Points of the line, oldest first, at least m_dSpacing seconds apart; thinned out when too many,
    // so memory stays bounded however long the buffer.
    QList<SPoint> m_points;
    double m_dSpacing = 0.25;
};
