// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One station of the user's own list ("My Stations"), of an imported playlist or of the station
// directory. It stands beside the maker's channel list (CChannelRecord) and never enters it.
#include <QList>
#include <QString>

class CStationRecord
{
public:
    // Where a station came from; stored with it so that the list can say so later.
    static constexpr const char* kOriginList = "list";       // copied from the maker's channel list
    static constexpr const char* kOriginAddress = "address"; // typed or pasted by the user
    static constexpr const char* kOriginImport = "import";   // read from a playlist file
    static constexpr const char* kOriginDirectoryPrefix = "directory:"; // + the directory's station uuid

    QString m_strName;
    QString m_strUrl; // the stream address; always a network address in a list (CStreamAddress::IsPlayable)
    QString m_strLanguage;
    QString m_strDescription;
    QString m_strOrigin; // one of the kOrigin* values, or "directory:<stationuuid>"

    // "directory:<strUuid>".
    static QString DirectoryOrigin(const QString& strUuid);
    // The directory's station uuid when the origin is "directory:<uuid>", otherwise "".
    QString DirectoryUuid() const;

    // Text fit for a name, language or description: control characters and non-characters removed
    // (they would break an exported XSPF file), white space folded.
    static QString CleanText(const QString& strText);

    bool operator==(const CStationRecord&) const = default;
};

using CStationList = QList<CStationRecord>;
