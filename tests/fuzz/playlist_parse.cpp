// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target: playlist import. Whatever the bytes, read as each format's file name and with and
// without a server address to resolve against, every station is a network address, each address
// comes once, and writing the stations out and reading them back gives the same list: every field
// through M3U (the My Stations file), names and addresses through PLS and XSPF.
#include "stations/StreamAddress.h"
#include "stations/Playlist.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

namespace
{
void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}

void CheckRoundTrip(const CStationList& stations, EPlaylistFormat eFormat)
{
    const CPlaylistResult back = ParsePlaylist(WritePlaylist(stations, eFormat), QString(), QUrl());
    Check(back.m_eFormat == eFormat);
    Check(back.m_nRefused == 0 && back.m_nDuplicates == 0);
    Check(back.m_stations.size() == stations.size());
    for (qsizetype i = 0; i < stations.size(); ++i)
    {
        Check(back.m_stations[i].m_strUrl == stations[i].m_strUrl);
        Check(back.m_stations[i].m_strName == stations[i].m_strName);
        if (eFormat == EPlaylistFormat::M3U)
            Check(back.m_stations[i] == stations[i]);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray bytes(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    static const QString names[] = {QString(), QStringLiteral("list.m3u"), QStringLiteral("list.pls"),
                                    QStringLiteral("list.xspf")};
    static const QUrl bases[] = {QUrl(), QUrl(QStringLiteral("http://lists.example.org/radio/list.m3u"))};
    for (const QString& strName : names)
    {
        for (const QUrl& base : bases)
        {
            const CPlaylistResult result = ParsePlaylist(bytes, strName, base);
            QSet<QString> addresses;
            for (const CStationRecord& station : result.m_stations)
            {
                Check(CStreamAddress::IsPlayable(station.m_strUrl));
                Check(!station.m_strName.isEmpty());
                Check(!addresses.contains(QUrl(station.m_strUrl).toString(QUrl::FullyEncoded)));
                addresses.insert(QUrl(station.m_strUrl).toString(QUrl::FullyEncoded));
            }
            CheckRoundTrip(result.m_stations, EPlaylistFormat::M3U);
            CheckRoundTrip(result.m_stations, EPlaylistFormat::PLS);
            CheckRoundTrip(result.m_stations, EPlaylistFormat::XSPF);
        }
    }
    return 0;
}
