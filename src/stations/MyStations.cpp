// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/MyStations.h"

#include "catalogue/DataFolder.h"
#include "platform/WholeFile.h"
#include "stations/StreamAddress.h"
#include "stations/Playlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

namespace
{
constexpr const char* kFileName = "MyStations.m3u";

QString AddressKey(const QString& strUrl)
{
    return QUrl(strUrl.trimmed()).toString(QUrl::FullyEncoded);
}

// Only what the user typed in may bind a local port; an import, the directory or the maker's list
// may not. (Asked of the station as given: an empty origin is not taken for typed.)
CStreamAddress::ESource SourceOf(const CStationRecord& station)
{
    return station.m_strOrigin == QLatin1String(CStationRecord::kOriginAddress) ? CStreamAddress::ESource::Typed
                                                                               : CStreamAddress::ESource::Outside;
}

// The station as the list keeps it: text cleaned, an empty name the address, an empty origin
// "address".
CStationRecord Prepared(const CStationRecord& station)
{
    CStationRecord record = station;
    record.m_strUrl = record.m_strUrl.trimmed();
    record.m_strName = CStationRecord::CleanText(record.m_strName);
    record.m_strLanguage = CStationRecord::CleanText(record.m_strLanguage);
    record.m_strDescription = CStationRecord::CleanText(record.m_strDescription);
    if (record.m_strName.isEmpty())
        record.m_strName = record.m_strUrl;
    if (record.m_strOrigin.isEmpty())
        record.m_strOrigin = QLatin1String(CStationRecord::kOriginAddress);
    return record;
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
    const CStationRecord record = Prepared(station);
    if (!CStreamAddress::IsPlayable(record.m_strUrl, SourceOf(station)))
        return NotNetworkAddress;
    if (IndexOfAddress(record.m_strUrl) >= 0)
        return Duplicate;
    CStationList stations = m_stations;
    stations.append(record);
    return Commit(stations);
}

CMyStations::EResult CMyStations::AddMany(const CStationList& stations, SAddCounts* pCounts)
{
    // One set of the addresses held, so that each new station costs one look-up rather than a pass
    // over the whole list.
    QSet<QString> known;
    known.reserve(m_stations.size() + stations.size());
    for (const CStationRecord& station : std::as_const(m_stations))
        known.insert(AddressKey(station.m_strUrl));
    SAddCounts counts;
    CStationList merged = m_stations;
    for (const CStationRecord& station : stations)
    {
        const CStationRecord record = Prepared(station);
        if (!CStreamAddress::IsPlayable(record.m_strUrl, SourceOf(station)))
        {
            ++counts.nRefused;
            continue;
        }
        const QString strKey = AddressKey(record.m_strUrl);
        if (known.contains(strKey))
        {
            ++counts.nKnown;
            continue;
        }
        known.insert(strKey);
        merged.append(record);
        ++counts.nAdded;
    }
    const EResult eResult = counts.nAdded > 0 ? Commit(merged) : Done;
    if (eResult != Done)
        counts.nAdded = 0;
    if (pCounts)
        *pCounts = counts;
    return eResult;
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

CMyStations::EResult CMyStations::Import(const QStringList& paths, SAddCounts* pCounts,
                                         QStringList* pUnreadable)
{
    // The most of a playlist file that is read.
    constexpr qint64 kMaxPlaylistBytes = 16 * 1024 * 1024;
    int nRefused = 0;
    CStationList stations;
    for (const QString& strPath : paths)
    {
        QFile file(strPath);
        if (!file.open(QIODevice::ReadOnly))
        {
            if (pUnreadable)
                pUnreadable->append(QFileInfo(strPath).fileName());
            continue;
        }
        const CPlaylistResult result = ParsePlaylist(file.read(kMaxPlaylistBytes), strPath, QUrl());
        nRefused += result.m_nRefused;
        stations += result.m_stations;
    }
    SAddCounts counts;
    const EResult eResult = AddMany(stations, &counts);
    counts.nRefused += nRefused;
    if (pCounts)
        *pCounts = counts;
    return eResult;
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
    m_strWriteError.clear();
    return WriteWholeFile(m_strPath, WritePlaylist(stations, EPlaylistFormat::M3U), &m_strWriteError);
}

bool CMyStations::Export(const QString& strPath, EPlaylistFormat eFormat, QString* pstrError) const
{
    return WriteWholeFile(strPath, WritePlaylist(m_stations, eFormat), pstrError);
}
