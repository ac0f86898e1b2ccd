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
