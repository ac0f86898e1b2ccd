// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Playlist files in and out: M3U/M3U8 (plain or extended), PLS and XSPF.
//
// Reading is forgiving, because playlists found on the web are messy: a UTF-8 byte-order mark,
// CR LF line ends, keys in any letter case, entries out of order, the same stream twice, local file
// paths among the streams. Only network addresses (CStreamAddress::IsPlayable) become stations; every
// other entry is refused and counted, so the caller can say "3 entries were not internet addresses".
// An address that would bind a local port (udp://@:1234) counts as one from outside and is refused,
// except in the user's own list where the user typed it in.
#include "stations/StationRecord.h"

#include <QByteArray>
#include <QUrl>

enum class EPlaylistFormat
{
    Unknown,
    M3U, // also M3U8: the writer always writes UTF-8
    PLS,
    XSPF,
};

// Whose file is read. In the user's own list (My Stations) an entry whose origin is "address" was
// typed in by the user and may bind a local port; any other playlist is held to the rules for
// addresses from outside, whatever origin its entries claim.
enum class EPlaylistTrust
{
    Outside,
    OwnList,
};

class CPlaylistResult
{
public:
    EPlaylistFormat m_eFormat = EPlaylistFormat::Unknown; // the format the data was read as
    CStationList m_stations; // in playlist order, each address once; origin from the file or "import"
    int m_nRefused = 0;      // entries that were not network addresses (or relative without a base)
    int m_nDuplicates = 0;   // entries whose address an earlier entry already gave (kept once)
};

// Reads a playlist. strFileNameOrMime is the file's name (its extension counts) or the MIME type a
// server sent; either may be empty. The content decides when it is unmistakable ("[playlist]",
// "#EXTM3U", an XSPF document), so a PLS file named ".m3u" still reads. Relative entries are resolved
// against base only when base itself is a network address (a playlist downloaded from a server);
// for a local file (base empty or file://) they are refused. Never fails: unreadable parts are skipped.
// An HLS playlist (#EXT-X-... tags) is a stream, not a list: it gives one station, base itself, when
// base is a network address, and one refused entry otherwise.
CPlaylistResult ParsePlaylist(const QByteArray& data, const QString& strFileNameOrMime, const QUrl& base,
                              EPlaylistTrust eTrust = EPlaylistTrust::Outside);

// The format named by an extension or MIME type ("a.pls", "audio/x-scpls"), or Unknown.
EPlaylistFormat PlaylistFormatFromName(const QString& strFileNameOrMime);
// The format that the content shows, or Unknown when nothing marks it.
EPlaylistFormat PlaylistFormatFromContent(const QByteArray& data);
// The usual file extension without the dot: "m3u", "pls", "xspf".
QString PlaylistExtension(EPlaylistFormat eFormat);

// Writes stations as UTF-8 without a byte-order mark, lines ending in "\n".
// M3U: "#EXTM3U", then per station "#EXTINF:-1 tvg-language=".." vedrix-description=".."
// vedrix-origin="..",Name" (empty attributes left out) and the address. PLS: [playlist], FileN,
// TitleN, LengthN=-1, NumberOfEntries, Version=2. XSPF: version 1 with location, title, annotation.
// Unknown gives an empty array.
QByteArray WritePlaylist(const CStationList& stations, EPlaylistFormat eFormat);
