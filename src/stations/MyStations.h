// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "My Stations": the user's own list of stations, kept beside the maker's channel list and never
// touched by its refresh. Stored in the data folder as "MyStations.m3u", an extended M3U that other
// players can open too (see WritePlaylist), rewritten atomically after every change: a crash or a
// full disk leaves the old file or the new one, never half of one.
//
// Use: construct, Load(), then read Stations() and change it only through Add, AddMany (or Import),
// Rename, Remove and Move. Each change is written at once; when the write fails the change is undone
// and the operation reports WriteFailed, so what the list shows is always what is stored. Changed()
// follows every change that was stored (and Load).
#include "stations/Playlist.h"
#include "stations/StationRecord.h"

#include <QObject>

class CMyStations : public QObject
{
    Q_OBJECT

public:
    enum EResult
    {
        Done = 1,
        NotNetworkAddress = 0, // the address is not one the player may open (CStreamAddress::IsPlayable)
        Duplicate = -1,        // a station with the same address is in the list already
        BadIndex = -2,         // no station at that index
        EmptyName = -3,        // a station needs a name to show
        WriteFailed = -4,      // the file could not be written; the list is as it was
    };

    // strPath empty: DefaultPath().
    explicit CMyStations(const QString& strPath = QString(), QObject* pParent = nullptr);

    // <data folder>/MyStations.m3u
    static QString DefaultPath();
    QString Path() const { return m_strPath; }

    // Reads the file. A missing file is an empty list; a damaged one gives the stations that could be
    // read (lines that are not network addresses are dropped). Returns the number of stations.
    int Load();

    const CStationList& Stations() const { return m_stations; }
    int Count() const { return int(m_stations.size()); }
    // Index of the station with this address (compared as URLs: scheme and host in any letter case),
    // or -1.
    int IndexOfAddress(const QString& strUrl) const;

    // Appends the station. An empty name becomes the address; an empty origin "address".
    EResult Add(const CStationRecord& station);
    // What AddMany did with the stations it was given.
    struct SAddCounts
    {
        int nAdded = 0;
        int nKnown = 0;   // in the list already, or earlier in the same batch
        int nRefused = 0; // not an address the player may open
    };
    // Appends every station that Add would take, in order, with one write of the file (an imported
    // playlist of ten thousand entries). Done also when none was new; WriteFailed adds none of them.
    EResult AddMany(const CStationList& stations, SAddCounts* pCounts = nullptr);
    // Imports the playlists (any format ParsePlaylist reads) as one batch through AddMany; entries
    // a playlist refuses count as refused, files that cannot be read are named in *pUnreadable.
    EResult Import(const QStringList& paths, SAddCounts* pCounts, QStringList* pUnreadable);
    EResult Rename(int nIndex, const QString& strName);
    EResult Remove(int nIndex);
    // Moves the station at nFrom so that it ends up at nTo (both indexes into the current list).
    EResult Move(int nFrom, int nTo);

    // A short sentence for a result that is not Done, for the caller's message box.
    static QString Describe(EResult eResult);
    // Why the last write of the file failed.
    QString LastWriteError() const { return m_strWriteError; }

    // Writes the list to another file in the given format, atomically as the list's own file;
    // false with *pstrError when it could not be written (an existing file there is then as it was).
    bool Export(const QString& strPath, EPlaylistFormat eFormat, QString* pstrError = nullptr) const;

signals:
    void Changed();

private:
    bool Save(const CStationList& stations);
    EResult Commit(const CStationList& stations);

    QString m_strPath;
    CStationList m_stations;
    QString m_strWriteError;
};
