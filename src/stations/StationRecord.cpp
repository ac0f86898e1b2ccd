// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/StationRecord.h"

QString CStationRecord::DirectoryOrigin(const QString& strUuid)
{
    return QLatin1String(kOriginDirectoryPrefix) + strUuid;
}

QString CStationRecord::DirectoryUuid() const
{
    const QLatin1String prefix(kOriginDirectoryPrefix);
    return m_strOrigin.startsWith(prefix) ? m_strOrigin.mid(prefix.size()) : QString();
}

QString CStationRecord::CleanText(const QString& strText)
{
    QString strOut;
    strOut.reserve(strText.size());
    for (QChar c : strText)
    {
        if (c.category() == QChar::Other_Control && !c.isSpace())
            continue;
        if (c.isNonCharacter())
            continue;
        strOut.append(c);
    }
    return strOut.simplified();
}
