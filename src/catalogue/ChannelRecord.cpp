#include "catalogue/ChannelRecord.h"

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
// a start past the end gives an empty text. Trimmed before it is copied, so each field costs one
// allocation.
QString TrimmedSubstring(QStringView line, qsizetype nStart, qsizetype nCount)
{
    const qsizetype nLength = line.size();
    if (nStart < 0)
        nStart = 0;
    if (nCount < 0 || nStart >= nLength)
        return QString();
    if (nCount > nLength - nStart)
        nCount = nLength - nStart;
    return line.mid(nStart, nCount).trimmed().toString();
}

// First "," at nFrom or later, -1 when there is none (also when nFrom is at or past the end).
qsizetype FindComma(QStringView line, qsizetype nFrom)
{
    if (nFrom < 0 || nFrom >= line.size())
        return -1;
    return line.indexOf(u',', nFrom);
}
} // namespace

CChannelRecord ParseChannelLine(QString strLine)
{
    const QStringView line(strLine);
    CChannelRecord record;

    qsizetype nPos = FindComma(line, 0);
    record.Field(0) = TrimmedSubstring(line, 0, nPos);
    for (int k = 1; k <= 5; ++k)
    {
        const qsizetype nStart = nPos + 1;
        nPos = FindComma(line, nStart);
        record.Field(k) = TrimmedSubstring(line, nStart, nPos - nStart);
    }
    record.Field(6) = TrimmedSubstring(line, nPos + 1, line.size() - (nPos + 1));
    return record;
}
