// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzz target: the station directory's answer to a search. Whatever the bytes, a body that is not a
// JSON array gives no station; every station kept has an address the player may open and becomes a
// My Stations entry that plays the same address and names the directory's id; and a smaller limit
// keeps exactly the first stations of the full answer.
#include "stations/StreamAddress.h"
#include "stations/StationDirectory.h"

#include <cstdint>
#include <cstdlib>

namespace
{
void Check(bool bCondition)
{
    if (!bCondition)
        std::abort();
}

bool Same(const CDirectoryStation& a, const CDirectoryStation& b)
{
    return a.m_strUuid == b.m_strUuid && a.m_strName == b.m_strName && a.m_strUrl == b.m_strUrl &&
           a.m_strUrlResolved == b.m_strUrlResolved && a.m_strFavicon == b.m_strFavicon &&
           a.m_nBitrate == b.m_nBitrate && a.m_bLastCheckOk == b.m_bLastCheckOk;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray body(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    CDirectoryStationList all;
    const bool bArray = ParseDirectoryStations(body, all);
    Check(bArray || all.isEmpty());
    Check(all.size() <= kMaxDirectoryResults);
    for (const CDirectoryStation& station : all)
    {
        Check(CStreamAddress::IsPlayable(station.PlayAddress()));
        const CStationRecord record = station.ToStationRecord();
        Check(record.m_strUrl == station.PlayAddress());
        Check(record.DirectoryUuid() == station.m_strUuid);
    }
    // The limit cuts the same list at any length, the last station included.
    for (const int nLimit : {1, 2, int(all.size())})
    {
        if (nLimit < 1)
            continue;
        CDirectoryStationList some;
        Check(ParseDirectoryStations(body, some, nLimit) == bArray);
        Check(some.size() == qMin<qsizetype>(nLimit, all.size()));
        for (qsizetype i = 0; i < some.size(); ++i)
            Check(Same(some[i], all[i]));
    }
    return 0;
}
