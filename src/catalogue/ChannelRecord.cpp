// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/ChannelRecord.h"

#include "catalogue/StringPool.h"

#include <QStringView>

const QString& CChannelRecord::Field(int nIndex) const
{
    return const_cast<CChannelRecord*>(this)->Field(nIndex);
}

QString& CChannelRecord::Field(int nIndex)
{
    switch (nIndex)
    {
    case 0:
        return m_strType;
    case 1:
        return m_strName;
    case 2:
        return m_strUrl;
    case 3:
        return m_strExtra;
    case 4:
        return m_strLanguage;
    case 5:
        return m_strDescription;
    default:
        Q_ASSERT(nIndex == 6);
        return m_strStatus;
    }
}

namespace
{
// A bounded substring: a negative start or count counts as 0, a count past the end is cut at the end,
// a start past the end gives an empty text. Returned trimmed, as a view: each field is copied once.
QStringView TrimmedSubstring(QStringView line, qsizetype nStart, qsizetype nCount)
{
    const qsizetype nLength = line.size();
    if (nStart < 0)
        nStart = 0;
    if (nCount < 0 || nStart >= nLength)
        return QStringView();
    if (nCount > nLength - nStart)
        nCount = nLength - nStart;
    return line.mid(nStart, nCount).trimmed();
}

// First "," at nFrom or later, -1 when there is none (also when nFrom is at or past the end).
qsizetype FindComma(QStringView line, qsizetype nFrom)
{
    if (nFrom < 0 || nFrom >= line.size())
        return -1;
    return line.indexOf(u',', nFrom);
}

// Calls store(k, text) for the seven fields in order.
template <class Store> void CutFields(QStringView line, Store&& store)
{
    qsizetype nPos = FindComma(line, 0);
    store(0, TrimmedSubstring(line, 0, nPos));
    for (int k = 1; k <= 5; ++k)
    {
        const qsizetype nStart = nPos + 1;
        nPos = FindComma(line, nStart);
        store(k, TrimmedSubstring(line, nStart, nPos - nStart));
    }
    store(6, TrimmedSubstring(line, nPos + 1, line.size() - (nPos + 1)));
}
} // namespace

CChannelRecord ParseChannelLine(QString strLine)
{
    CChannelRecord record;
    CutFields(strLine, [&](int k, QStringView text) { record.Field(k) = text.toString(); });
    return record;
}

CChannelRecord ParseChannelLine(QStringView line, CStringPool& pool)
{
    CChannelRecord record;
    CutFields(line,
              [&](int k, QStringView text)
              {
                  switch (k)
                  {
                  case 1:
                  case 2:
                  case 5:
                      record.Field(k) = pool.Keep(text);
                      break;
                  default:
                      record.Field(k) = pool.Get(text);
                      break;
                  }
              });
    return record;
}
