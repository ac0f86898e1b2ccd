#include "catalogue/Utf16LineReader.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>

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
    strLine.resize(0);
    bool bStarted = false; // some code unit (or a line end) of this line has been consumed
    for (;;)
    {
        if (m_nPos == m_nUnits && !Fill())
        {
            if (m_bError)
                return ERROR;
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
        const char16_t* p = pBegin;
        while (p != pEnd && *p != u'\n' && *p != u'\r')
            ++p;
        bStarted = true;
        if (p == pEnd)
        {
            strLine.append(reinterpret_cast<const QChar*>(pBegin), p - pBegin);
            m_nPos = m_nUnits;
            continue;
        }
        if (strLine.isEmpty())
            strLine = QString(reinterpret_cast<const QChar*>(pBegin), p - pBegin);
        else
            strLine.append(reinterpret_cast<const QChar*>(pBegin), p - pBegin);
        m_bSkipLineFeed = (*p == u'\r');
        m_nPos = (p - m_buffer.get()) + 1;
        return LINE;
    }
}
