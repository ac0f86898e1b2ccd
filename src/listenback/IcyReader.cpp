// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listenback/IcyReader.h"

#include <QStringDecoder>

CIcyReader::CIcyReader(qint64 nMetaInt)
    : m_nMetaInt(nMetaInt > 0 && nMetaInt <= kMaxMetaInt ? nMetaInt : 0), m_nLeft(m_nMetaInt)
{
}

void CIcyReader::Feed(const char* pData, qint64 nSize, QByteArray& audio, QList<STitle>& titles)
{
    if (m_nMetaInt == 0)
    {
        audio.append(pData, nSize);
        m_nAudio += nSize;
        return;
    }
    const char* const pEnd = pData + nSize;
    while (pData < pEnd)
    {
        switch (m_state)
        {
        case EState::Audio:
        {
            const qint64 n = qMin<qint64>(m_nLeft, pEnd - pData);
            audio.append(pData, n);
            m_nAudio += n;
            pData += n;
            m_nLeft -= n;
            if (m_nLeft == 0)
                m_state = EState::Length;
            break;
        }
        case EState::Length:
            m_nLeft = qint64(static_cast<unsigned char>(*pData++)) * 16;
            m_block.clear();
            m_state = m_nLeft > 0 ? EState::Block : EState::Audio;
            if (m_nLeft == 0)
                m_nLeft = m_nMetaInt;
            break;
        case EState::Block:
        {
            const qint64 n = qMin<qint64>(m_nLeft, pEnd - pData);
            m_block.append(pData, n);
            pData += n;
            m_nLeft -= n;
            if (m_nLeft > 0)
                break;
            QString strTitle;
            if (ParseTitle(m_block, strTitle))
                titles.append({m_nAudio, strTitle});
            m_block.clear();
            m_state = EState::Audio;
            m_nLeft = m_nMetaInt;
            break;
        }
        }
    }
}

bool CIcyReader::ParseTitle(const QByteArray& block, QString& strTitle)
{
    // The block is padded with NULs to its length.
    QByteArray text = block;
    const qsizetype nNul = text.indexOf('\0');
    if (nNul >= 0)
        text.truncate(nNul);
    static const QByteArray key("StreamTitle='");
    const qsizetype nKey = text.indexOf(key);
    if (nKey < 0)
        return false;
    const qsizetype nStart = nKey + key.size();
    // A title may hold quotes of its own (Guns N' Roses): it ends at the quote before the next
    // field's semicolon, else at the last quote, else (a cut block) at the end.
    qsizetype nEnd = text.indexOf("';", nStart);
    if (nEnd < 0)
        nEnd = text.lastIndexOf('\'');
    if (nEnd < nStart)
        nEnd = text.size();
    strTitle = CleanTitle(text.mid(nStart, nEnd - nStart));
    return true;
}

QString CIcyReader::CleanTitle(const QByteArray& raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString strText = utf8.decode(raw);
    if (utf8.hasError())
        strText = QString::fromLatin1(raw);
    for (QChar& c : strText)
    {
        // Control characters, line breaks and the marks that turn the text around in what follows.
        const char16_t u = c.unicode();
        if (c.category() == QChar::Other_Control || u == 0x2028 || u == 0x2029 ||
            (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            c = QLatin1Char(' ');
    }
    return strText.simplified();
}
