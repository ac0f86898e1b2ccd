// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The channel list built from public sources, for users without the maker's channel list server: the
// station directory's most popular stations of each language group, and the public per-language TV
// playlists. It is written in the channel list file's own format, so that the filters, the serial
// numbers, "vedrix N", the hot keys and the last channel work on it as on the maker's list.
#include "catalogue/ChannelRecord.h"
#include "stations/Playlist.h"
#include "stations/StationDirectory.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One of the seven language groups of the list's filters.
class CLanguageGroup
{
public:
    QString m_strLanguage;     // the language field the filters know: "English", "German", ...
    QString m_strDirectoryKey; // the directory query: "language" or "countrycode"
    QString m_strDirectoryValue;
    QString m_strTvList; // the TV playlist's ISO 639-3 code: "eng"

    bool operator==(const CLanguageGroup&) const = default;
};

// The seven groups, in the order the list shows them.
const QList<CLanguageGroup>& LanguageGroups();

namespace publiclist
{
// How much of each group the list keeps: the most popular working stations and, marked OFF, the
// broken ones among them; the first TV channels of each language's playlist.
constexpr int kWorkingStationsPerGroup = 60;
constexpr int kBrokenStationsPerGroup = 15;
constexpr int kTvChannelsPerGroup = 100;
// The directory is asked for this many stations of a group (broken ones included).
constexpr int kDirectoryLimit = 200;
// A list fetched this long ago is used as it is by the automatic refreshes.
constexpr qint64 kFreshSeconds = 24 * 60 * 60;
// The largest TV playlist that is read.
constexpr qint64 kMaxPlaylistBytes = qint64(16) * 1024 * 1024;
} // namespace publiclist

// The channels of one group's directory answer: working stations first as the directory ranks them,
// then the broken ones marked OFF. Field 3 holds the station's lasting key ("directory:<uuid>").
// A station whose first language of the list's belongs to another group is left to that group.
// Indian stations take their language from the station (Hindi, Tamil, ...); those in none of the
// languages the filter knows are left out.
QList<CChannelRecord> ChannelsFromDirectory(const CLanguageGroup& group, const CDirectoryStationList& stations);
// The TV channels of one group's playlist (http and https streams only); key "tv:<address>".
QList<CChannelRecord> ChannelsFromPlaylist(const CLanguageGroup& group, const CPlaylistResult& playlist);

// The new list in a stable order: the channels that the previous list had keep its order (so their
// serial numbers stay while nothing before them goes), the new ones follow in the order given. A key
// that comes twice is kept once, the first time.
QList<CChannelRecord> MergeInStableOrder(const QStringList& previousKeys, const QList<CChannelRecord>& channels);

// The file of the public list in the data folder, kept between refreshes (unlike the channel list
// file, which the list deletes once it is loaded).
QString GetPublicChannelListPath();
// Writes the header row and the channels as the channel list file (UTF-16LE, CR LF), atomically;
// false when it could not be written (the old file then stays; *pstrError says why).
bool WritePublicChannelList(const QString& strPath, const QList<CChannelRecord>& channels,
                            QString* pstrError = nullptr);
// The channels of a list written before, in its order (OFF ones included); empty without one.
QList<CChannelRecord> ReadPublicChannelList(const QString& strPath);
// The keys (field 3) of channels, in their order.
QStringList ChannelKeys(const QList<CChannelRecord>& channels);
// The channels of a list that came from the group's directory answer (bRadio) or its TV playlist: what
// a refresh keeps of a source that did not answer.
QList<CChannelRecord> ChannelsOfSource(const QList<CChannelRecord>& channels, const CLanguageGroup& group,
                                       bool bRadio);
// When the list at strPath was written; invalid when there is none.
QDateTime PublicChannelListTime(const QString& strPath);
// Whether a list exists that was written less than a day before now.
bool IsPublicChannelListFresh(const QString& strPath, const QDateTime& now = QDateTime::currentDateTimeUtc());
