#include "stations/MyStations.h"

#include "catalogue/DataFolder.h"
#include "player/StreamAddress.h"
#include "stations/Playlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace
{
constexpr const char* kFileName = "MyStations.m3u";

QString AddressKey(const QString& strUrl)
{
    return QUrl(strUrl.trimmed()).toString(QUrl::FullyEncoded);
}
} // namespace

CMyStations::CMyStations(const QString& strPath, QObject* pParent)
    : QObject(pParent), m_strPath(strPath.isEmpty() ? DefaultPath() : strPath)
{
}

QString CMyStations::DefaultPath()
{
    return GetDataFolder() + u'/' + QLatin1String(kFileName);
}

int CMyStations::Load()
{
    m_stations.clear();
    QFile file(m_strPath);
    if (file.open(QIODevice::ReadOnly))
    {
        // The parser skips what it cannot read, so a damaged file still gives its good stations.
        m_stations = ParsePlaylist(file.readAll(), QLatin1String(kFileName), QUrl(), EPlaylistTrust::OwnList)
                         .m_stations;
    }
    emit Changed();
    return Count();
}

int CMyStations::IndexOfAddress(const QString& strUrl) const
{
    const QString strKey = AddressKey(strUrl);
    for (int i = 0; i < Count(); ++i)
    {
        if (AddressKey(m_stations[i].m_strUrl) == strKey)
            return i;
    }
    return -1;
}

CMyStations::EResult CMyStations::Add(const CStationRecord& station)
{
    CStationRecord record = station;
    record.m_strUrl = record.m_strUrl.trimmed();
    // Only what the user typed in may bind a local port (udp://@:1234); an import, the directory or
    // the maker's list may not.
    const bool bTyped = record.m_strOrigin == QLatin1String(CStationRecord::kOriginAddress);
    if (!CStreamAddress::IsPlayable(record.m_strUrl, bTyped ? CStreamAddress::ESource::Typed
                                                            : CStreamAddress::ESource::Outside))
        return NotNetworkAddress;
    if (IndexOfAddress(record.m_strUrl) >= 0)
        return Duplicate;
    record.m_strName = CStationRecord::CleanText(record.m_strName);
    record.m_strLanguage = CStationRecord::CleanText(record.m_strLanguage);
    record.m_strDescription = CStationRecord::CleanText(record.m_strDescription);
    if (record.m_strName.isEmpty())
        record.m_strName = record.m_strUrl;
    if (record.m_strOrigin.isEmpty())
        record.m_strOrigin = QLatin1String(CStationRecord::kOriginAddress);
    CStationList stations = m_stations;
    stations.append(record);
    return Commit(stations);
}

CMyStations::EResult CMyStations::Rename(int nIndex, const QString& strName)
{
    if (nIndex < 0 || nIndex >= Count())
        return BadIndex;
    const QString strSimplified = CStationRecord::CleanText(strName);
    if (strSimplified.isEmpty())
        return EmptyName;
    CStationList stations = m_stations;
    stations[nIndex].m_strName = strSimplified;
    return Commit(stations);
}

CMyStations::EResult CMyStations::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= Count())
        return BadIndex;
    CStationList stations = m_stations;
    stations.removeAt(nIndex);
    return Commit(stations);
}

CMyStations::EResult CMyStations::Move(int nFrom, int nTo)
{
    if (nFrom < 0 || nFrom >= Count() || nTo < 0 || nTo >= Count())
        return BadIndex;
    if (nFrom == nTo)
        return Done;
    CStationList stations = m_stations;
    stations.move(nFrom, nTo);
    return Commit(stations);
}

QString CMyStations::Describe(EResult eResult)
{
    switch (eResult)
    {
    case Done:
        return {};
    case NotNetworkAddress:
        return tr("This is not an internet stream address. My Stations takes addresses such as "
                  "http://, https://, rtsp:// or mms:// only.");
    case Duplicate:
        return tr("This station is in My Stations already.");
    case BadIndex:
        return tr("This station is no longer in My Stations.");
    case EmptyName:
        return tr("A station needs a name.");
    case WriteFailed:
        return tr("My Stations could not be saved. The list is unchanged.");
    }
    return {};
}

CMyStations::EResult CMyStations::Commit(const CStationList& stations)
{
    if (!Save(stations))
        return WriteFailed;
    m_stations = stations;
    emit Changed();
    return Done;
}

bool CMyStations::Save(const CStationList& stations)
{
    QDir().mkpath(QFileInfo(m_strPath).absolutePath());
    // QSaveFile writes a temporary file beside the list and renames it over the list on commit.
    QSaveFile file(m_strPath);
    // Unbuffered: a buffered QSaveFile loses a short write in its final flush (disk full, file
    // size limit) and commits the cut file; written directly, the short count shows here.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray data = WritePlaylist(stations, EPlaylistFormat::M3U);
    if (file.write(data) != data.size())
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
