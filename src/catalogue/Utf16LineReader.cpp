// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/Utf16LineReader.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The first CR or LF in [p, pEnd), or pEnd. Lines are scanned eight code units at a time where the
// processor allows it: this scan touches every byte of the file.
const char16_t* FindLineEnd(const char16_t* p, const char16_t* pEnd)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(u'\r');
    const __m128i lf = _mm_set1_epi16(u'\n');
    while (pEnd - p >= 8)
    {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int nMask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf)));
        if (nMask)
            return p + __builtin_ctz(unsigned(nMask)) / 2;
        p += 8;
    }
#endif
    while (p != pEnd && *p != u'\n' && *p != u'\r')
        ++p;
    return p;
}
} // namespace

CUtf16LineReader::CUtf16LineReader(QIODevice& device, qsizetype nBufferBytes)
    : m_device(device), m_nCapacityUnits(std::max<qsizetype>(nBufferBytes / 2, 2))
{
    m_buffer.reset(new char16_t[size_t(m_nCapacityUnits)]);
}

CUtf16LineReader::~CUtf16LineReader() = default;

bool CUtf16LineReader::Fill()
{
    m_nPos = 0;
    m_nUnits = 0;
    if (m_bEnd || m_bError)
        return false;

    char* pBytes = reinterpret_cast<char*>(m_buffer.get());
    const qsizetype nCapacityBytes = m_nCapacityUnits * 2;
    qsizetype nBytes = 0;
    if (m_bHaveOddByte)
    {
        pBytes[0] = m_oddByte;
        nBytes = 1;
        m_bHaveOddByte = false;
    }
    // Keep reading until at least one whole code unit is there: a device may deliver one byte at a time.
    while (nBytes < 2)
    {
        const qint64 nRead = m_device.read(pBytes + nBytes, nCapacityBytes - nBytes);
        if (nRead < 0)
        {
            m_bError = true;
            return false;
        }
        if (nRead == 0)
        {
            // A lone byte left at the end is not a character; it is dropped.
            m_bEnd = true;
            return false;
        }
        nBytes += nRead;
    }
    if (nBytes % 2)
    {
        m_oddByte = pBytes[nBytes - 1];
        m_bHaveOddByte = true;
        --nBytes;
    }
    m_nUnits = nBytes / 2;
    if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN)
    {
        for (qsizetype i = 0; i < m_nUnits; ++i)
            m_buffer[size_t(i)] = qFromLittleEndian(m_buffer[size_t(i)]);
    }
    return true;
}

CUtf16LineReader::EResult CUtf16LineReader::ReadLine(QString& strLine)
{
    QStringView line;
    const EResult result = ReadLine(line);
    strLine = result == LINE ? line.toString() : QString();
    return result;
}

CUtf16LineReader::EResult CUtf16LineReader::ReadLine(QStringView& line)
{
    line = QStringView();
    while (m_bSkipToLineEnd)
    {
        if (m_nPos == m_nUnits && !Fill())
            return m_bError ? ERROR : END;
        const char16_t* pBegin = m_buffer.get() + m_nPos;
        const char16_t* pEnd = m_buffer.get() + m_nUnits;
        const char16_t* p = FindLineEnd(pBegin, pEnd);
        if (p == pEnd)
        {
            m_nPos = m_nUnits;
            continue;
        }
        m_bSkipToLineEnd = false;
        m_bSkipLineFeed = (*p == u'\r');
        m_nPos = (p - m_buffer.get()) + 1;
    }
    bool bPieces = false;  // the line began in an earlier buffer and is being put together
    bool bStarted = false; // some code unit (or a line end) of this line has been consumed
    for (;;)
    {
        if (m_nPos == m_nUnits && !Fill())
        {
            if (m_bError)
                return ERROR;
            if (bPieces)
                line = m_strPieces;
            return bStarted ? LINE : END;
        }
        const char16_t* pBegin = m_buffer.get() + m_nPos;
        const char16_t* pEnd = m_buffer.get() + m_nUnits;
        if (m_bSkipLineFeed)
        {
            m_bSkipLineFeed = false;
            if (*pBegin == u'\n')
            {
                ++m_nPos;
                continue;
            }
        }
        const char16_t* p = FindLineEnd(pBegin, pEnd);
        bStarted = true;
        const qsizetype nHave = bPieces ? m_strPieces.size() : 0;
        if (m_nMaxLineUnits >= 0 && nHave + (p - pBegin) > m_nMaxLineUnits)
        {
            const qsizetype nTake = m_nMaxLineUnits - nHave;
            if (bPieces)
            {
                m_strPieces.append(reinterpret_cast<const QChar*>(pBegin), nTake);
                line = m_strPieces;
            }
            else
            {
                line = QStringView(pBegin, nTake);
            }
            m_nPos = (pBegin - m_buffer.get()) + nTake;
            m_bSkipToLineEnd = true;
            return LINE;
        }
        if (p == pEnd)
        {
            // The buffer is about to be refilled: keep what it holds of this line.
            if (!bPieces)
                m_strPieces.resize(0);
            m_strPieces.append(reinterpret_cast<const QChar*>(pBegin), p - pBegin);
            bPieces = true;
            m_nPos = m_nUnits;
            continue;
        }
        if (bPieces)
        {
            m_strPieces.append(reinterpret_cast<const QChar*>(pBegin), p - pBegin);
            line = m_strPieces;
        }
        else
        {
            line = QStringView(pBegin, p - pBegin);
        }
        m_bSkipLineFeed = (*p == u'\r');
        m_nPos = (p - m_buffer.get()) + 1;
        return LINE;
    }
}
