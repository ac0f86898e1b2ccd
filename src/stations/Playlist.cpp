// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/Playlist.h"

#include "stations/StreamAddress.h"

#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace
{
constexpr const char* kXspfNamespace = "http://xspf.org/ns/0/";

// Text files come as UTF-8 (with or without a byte-order mark), now and then as UTF-16 with a mark,
// and old .m3u files as Latin-1.
QString DecodeText(const QByteArray& data)
{
    QStringDecoder decoder(QStringConverter::encodingForData(data).value_or(QStringConverter::Utf8));
    QString strText = decoder(data);
    // A Latin-1 file has no valid UTF-8 sequence beyond ASCII; a UTF-8 file with a damaged spot has.
    if (decoder.hasError() &&
        std::all_of(strText.cbegin(), strText.cend(),
                    [](QChar c) { return c.unicode() < 0x80 || c == QChar::ReplacementCharacter; }))
        strText = QString::fromLatin1(data);
    if (strText.startsWith(QChar(0xFEFF)))
        strText.remove(0, 1);
    return strText;
}

QString KnownOrigin(const QString& strOrigin)
{
    if (strOrigin == QLatin1String(CStationRecord::kOriginList) ||
        strOrigin == QLatin1String(CStationRecord::kOriginAddress) ||
        strOrigin == QLatin1String(CStationRecord::kOriginImport))
        return strOrigin;
    if (strOrigin.size() > int(qstrlen(CStationRecord::kOriginDirectoryPrefix)) &&
        strOrigin.startsWith(QLatin1String(CStationRecord::kOriginDirectoryPrefix)))
        return strOrigin;
    return QLatin1String(CStationRecord::kOriginImport);
}

// Gathers the entries of one playlist: resolves, refuses and drops duplicates the same way for
// every format.
class CEntryCollector
{
public:
    CEntryCollector(const QUrl& base, EPlaylistTrust eTrust, CPlaylistResult& result)
        : m_base(base), m_bNetworkBase(CStreamAddress::IsPlayable(base.toString())), m_eTrust(eTrust),
          m_result(result)
    {
    }

    // The address the entry stands for, or "" when it is not a network address.
    QString Resolve(const QString& strEntry,
                    CStreamAddress::ESource eSource = CStreamAddress::ESource::Outside) const
    {
        QUrl url(strEntry, QUrl::TolerantMode);
        if (url.isRelative())
        {
            // "..\Music\song.mp3" is a Windows path, whatever the base.
            if (!m_bNetworkBase || strEntry.contains(u'\\'))
                return {};
            const QString strResolved = m_base.resolved(url).toString(QUrl::FullyEncoded);
            return CStreamAddress::IsPlayable(strResolved) ? strResolved : QString();
        }
        return CStreamAddress::IsPlayable(strEntry, eSource) ? strEntry : QString();
    }

    // Adds one entry; an empty entry is no entry at all and is not counted.
    void Add(const QString& strEntry, CStationRecord record)
    {
        const QString strTrimmed = strEntry.trimmed();
        if (strTrimmed.isEmpty())
            return;
        // Only the user's own list can say that its user typed an address in.
        const bool bTyped = m_eTrust == EPlaylistTrust::OwnList &&
                            record.m_strOrigin == QLatin1String(CStationRecord::kOriginAddress);
        AddResolved(
            Resolve(strTrimmed, bTyped ? CStreamAddress::ESource::Typed : CStreamAddress::ESource::Outside),
            std::move(record));
    }

    // For a format that may give several addresses for one entry (XSPF): the first that resolves.
    void AddFirstOf(const QStringList& entries, CStationRecord record)
    {
        QString strAddress;
        bool bAny = false;
        for (const QString& strEntry : entries)
        {
            if (strEntry.trimmed().isEmpty())
                continue;
            bAny = true;
            strAddress = Resolve(strEntry.trimmed());
            if (!strAddress.isEmpty())
                break;
        }
        if (bAny)
            AddResolved(strAddress, std::move(record));
    }

private:
    void AddResolved(const QString& strAddress, CStationRecord record)
    {
        if (strAddress.isEmpty())
        {
            ++m_result.m_nRefused;
            return;
        }
        // QUrl folds the letter case of scheme and host, so "HTTP://Radio.example/a" is a duplicate.
        const QString strKey = QUrl(strAddress).toString(QUrl::FullyEncoded);
        if (m_seen.contains(strKey))
        {
            ++m_result.m_nDuplicates;
            return;
        }
        m_seen.insert(strKey);
        record.m_strUrl = strAddress;
        record.m_strName = CStationRecord::CleanText(record.m_strName);
        record.m_strLanguage = CStationRecord::CleanText(record.m_strLanguage);
        record.m_strDescription = CStationRecord::CleanText(record.m_strDescription);
        if (record.m_strName.isEmpty())
            record.m_strName = strAddress;
        record.m_strOrigin = KnownOrigin(record.m_strOrigin);
        m_result.m_stations.append(std::move(record));
    }

    QUrl m_base;
    bool m_bNetworkBase;
    EPlaylistTrust m_eTrust;
    CPlaylistResult& m_result;
    QSet<QString> m_seen;
};

QString DecodeAttribute(QString strValue)
{
    strValue.replace(QLatin1String("&quot;"), QLatin1String("\""));
    strValue.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return strValue;
}

QString EncodeAttribute(const QString& strValue)
{
    QString strOut = CStationRecord::CleanText(strValue);
    strOut.replace(u'&', QLatin1String("&amp;"));
    strOut.replace(u'"', QLatin1String("&quot;"));
    return strOut;
}

// "#EXTINF:-1 tvg-language="German" vedrix-description="News, weather",Station name"
CStationRecord ParseExtInf(const QString& strLine)
{
    static const QRegularExpression attribute(QStringLiteral(R"(([A-Za-z0-9_.-]+)\s*=\s*"([^"]*)\")"));
    const QString strRest = strLine.mid(int(qstrlen("#EXTINF:")));
    // The title starts after the first comma outside the quoted attribute values.
    qsizetype nComma = -1;
    bool bQuoted = false;
    for (qsizetype i = 0; i < strRest.size(); ++i)
    {
        if (strRest[i] == u'"')
            bQuoted = !bQuoted;
        else if (strRest[i] == u',' && !bQuoted)
        {
            nComma = i;
            break;
        }
    }
    CStationRecord record;
    const QString strAttributes = nComma < 0 ? strRest : strRest.left(nComma);
    if (nComma >= 0)
        record.m_strName = strRest.mid(nComma + 1).trimmed();
    QString strGroup; // public IPTV lists put the channel's kind there ("News"): a description at least
    auto it = attribute.globalMatch(strAttributes);
    while (it.hasNext())
    {
        const auto match = it.next();
        const QString strKey = match.captured(1).toLower();
        const QString strValue = DecodeAttribute(match.captured(2)).trimmed();
        if (strKey == QLatin1String("tvg-language"))
            record.m_strLanguage = strValue;
        else if (strKey == QLatin1String("vedrix-description"))
            record.m_strDescription = strValue;
        else if (strKey == QLatin1String("vedrix-origin"))
            record.m_strOrigin = strValue;
        else if (strKey == QLatin1String("group-title"))
            strGroup = strValue;
    }
    if (record.m_strDescription.isEmpty())
        record.m_strDescription = strGroup;
    return record;
}

bool IsHlsPlaylist(const QString& strText)
{
    // Tags at the start of a line only: an address may carry the same letters.
    static const QRegularExpression hlsTag(
        QStringLiteral("^\\s*#EXT-X-(TARGETDURATION|STREAM-INF|MEDIA-SEQUENCE)"),
        QRegularExpression::MultilineOption);
    return hlsTag.match(strText).hasMatch();
}

void ParseM3u(const QString& strText, const QUrl& base, CPlaylistResult& result, CEntryCollector& collector)
{
    if (IsHlsPlaylist(strText))
    {
        if (base.isEmpty())
            ++result.m_nRefused;
        else
            collector.Add(base.toString(QUrl::FullyEncoded), CStationRecord{});
        return;
    }
    CStationRecord pending;
    const QStringList lines = strText.split(u'\n');
    for (const QString& strRaw : lines)
    {
        const QString strLine = strRaw.trimmed();
        if (strLine.isEmpty())
            continue;
        if (strLine.startsWith(u'#'))
        {
            if (strLine.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive))
                pending = ParseExtInf(strLine);
            continue;
        }
        collector.Add(strLine, pending);
        pending = CStationRecord{};
    }
}

void ParsePls(const QString& strText, CEntryCollector& collector)
{
    static const QRegularExpression entryKey(QStringLiteral("^(file|title)(\\d+)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    // Entries come in any order and NumberOfEntries is often wrong: the numbers decide, all of them.
    QMap<int, QPair<QString, QString>> entries;
    const QStringList lines = strText.split(u'\n');
    for (const QString& strRaw : lines)
    {
        const QString strLine = strRaw.trimmed();
        const qsizetype nEquals = strLine.indexOf(u'=');
        if (nEquals <= 0 || strLine.startsWith(u'[') || strLine.startsWith(u';') || strLine.startsWith(u'#'))
            continue;
        const auto match = entryKey.match(strLine.left(nEquals).trimmed());
        if (!match.hasMatch())
            continue;
        bool bOk = false;
        const int nIndex = match.captured(2).toInt(&bOk);
        if (!bOk)
            continue;
        const QString strValue = strLine.mid(nEquals + 1).trimmed();
        if (match.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
            entries[nIndex].first = strValue;
        else
            entries[nIndex].second = strValue;
    }
    for (const auto& entry : std::as_const(entries))
    {
        CStationRecord record;
        record.m_strName = entry.second;
        collector.Add(entry.first, record);
    }
}

void ParseXspf(const QByteArray& data, CEntryCollector& collector)
{
    QXmlStreamReader xml(data);
    bool bInTrack = false;
    int nDepth = 0; // elements open inside the current track
    QStringList locations;
    CStationRecord record;
    while (!xml.atEnd())
    {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement)
        {
            const auto name = xml.name();
            if (!bInTrack)
            {
                if (name == QLatin1String("track"))
                {
                    bInTrack = true;
                    nDepth = 0;
                    locations.clear();
                    record = CStationRecord{};
                }
                continue;
            }
            if (nDepth == 0 && name == QLatin1String("location"))
                locations.append(xml.readElementText(QXmlStreamReader::SkipChildElements));
            else if (nDepth == 0 && name == QLatin1String("title"))
                record.m_strName = xml.readElementText(QXmlStreamReader::SkipChildElements);
            else if (nDepth == 0 && name == QLatin1String("annotation"))
                record.m_strDescription =
                    xml.readElementText(QXmlStreamReader::SkipChildElements).simplified();
            else
                ++nDepth;
        }
        else if (token == QXmlStreamReader::EndElement && bInTrack)
        {
            if (nDepth > 0)
                --nDepth;
            else
            {
                bInTrack = false;
                collector.AddFirstOf(locations, record);
            }
        }
    }
    // A damaged document keeps the tracks that were complete before the damage.
}
} // namespace

EPlaylistFormat PlaylistFormatFromName(const QString& strFileNameOrMime)
{
    QString strName = strFileNameOrMime.trimmed().toLower();
    strName = strName.section(u';', 0, 0).trimmed(); // "audio/x-mpegurl; charset=utf-8"
    static const QStringList m3uTypes{
        "audio/x-mpegurl", "audio/mpegurl", "application/x-mpegurl", "application/vnd.apple.mpegurl",
        "audio/m3u",       "audio/x-m3u"};
    static const QStringList plsTypes{"audio/x-scpls", "audio/scpls", "application/pls+xml", "audio/pls"};
    if (m3uTypes.contains(strName))
        return EPlaylistFormat::M3U;
    if (plsTypes.contains(strName))
        return EPlaylistFormat::PLS;
    if (strName == QLatin1String("application/xspf+xml"))
        return EPlaylistFormat::XSPF;
    const QString strSuffix = QFileInfo(strName.section(u'?', 0, 0)).suffix();
    if (strSuffix == QLatin1String("m3u") || strSuffix == QLatin1String("m3u8"))
        return EPlaylistFormat::M3U;
    if (strSuffix == QLatin1String("pls"))
        return EPlaylistFormat::PLS;
    if (strSuffix == QLatin1String("xspf"))
        return EPlaylistFormat::XSPF;
    return EPlaylistFormat::Unknown;
}

EPlaylistFormat PlaylistFormatFromContent(const QByteArray& data)
{
    const QString strHead = DecodeText(data.left(4096)).trimmed();
    if (strHead.startsWith(QLatin1String("[playlist]"), Qt::CaseInsensitive))
        return EPlaylistFormat::PLS;
    if (strHead.startsWith(QLatin1String("#EXTM3U"), Qt::CaseInsensitive))
        return EPlaylistFormat::M3U;
    if (strHead.startsWith(u'<') && (strHead.contains(QLatin1String(kXspfNamespace)) ||
                                     strHead.contains(QLatin1String("<playlist"), Qt::CaseInsensitive)))
        return EPlaylistFormat::XSPF;
    return EPlaylistFormat::Unknown;
}

QString PlaylistExtension(EPlaylistFormat eFormat)
{
    switch (eFormat)
    {
    case EPlaylistFormat::M3U:
        return QStringLiteral("m3u");
    case EPlaylistFormat::PLS:
        return QStringLiteral("pls");
    case EPlaylistFormat::XSPF:
        return QStringLiteral("xspf");
    case EPlaylistFormat::Unknown:
        break;
    }
    return {};
}

CPlaylistResult ParsePlaylist(const QByteArray& data, const QString& strFileNameOrMime, const QUrl& base,
                              EPlaylistTrust eTrust)
{
    CPlaylistResult result;
    EPlaylistFormat eFormat = PlaylistFormatFromContent(data);
    if (eFormat == EPlaylistFormat::Unknown)
        eFormat = PlaylistFormatFromName(strFileNameOrMime);
    if (eFormat == EPlaylistFormat::Unknown)
    {
        // No mark and no name: "File1=" lines are PLS without its header; anything else is read as
        // a plain list of addresses, the most common playlist of all.
        static const QRegularExpression plsEntry(QStringLiteral("^\\s*file\\d+\\s*="),
                                                 QRegularExpression::CaseInsensitiveOption |
                                                     QRegularExpression::MultilineOption);
        eFormat = plsEntry.match(DecodeText(data.left(65536))).hasMatch() ? EPlaylistFormat::PLS
                                                                          : EPlaylistFormat::M3U;
    }
    result.m_eFormat = eFormat;
    CEntryCollector collector(base, eTrust, result);
    switch (eFormat)
    {
    case EPlaylistFormat::PLS:
        ParsePls(DecodeText(data), collector);
        break;
    case EPlaylistFormat::XSPF:
        ParseXspf(data, collector);
        break;
    case EPlaylistFormat::M3U:
    case EPlaylistFormat::Unknown:
        ParseM3u(DecodeText(data), base, result, collector);
        break;
    }
    return result;
}

namespace
{
QByteArray WriteM3u(const CStationList& stations)
{
    QString strOut = QStringLiteral("#EXTM3U\n");
    for (const CStationRecord& station : stations)
    {
        strOut += QLatin1String("#EXTINF:-1");
        const std::pair<const char*, const QString*> attributes[] = {
            {"tvg-language", &station.m_strLanguage},
            {"vedrix-description", &station.m_strDescription},
            {"vedrix-origin", &station.m_strOrigin},
        };
        for (const auto& [pszKey, pValue] : attributes)
        {
            if (!pValue->trimmed().isEmpty())
                strOut += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(pszKey), EncodeAttribute(*pValue));
        }
        strOut += u',' + CStationRecord::CleanText(station.m_strName) + u'\n';
        strOut += station.m_strUrl.trimmed() + u'\n';
    }
    return strOut.toUtf8();
}

QByteArray WritePls(const CStationList& stations)
{
    QString strOut = QStringLiteral("[playlist]\n");
    int n = 0;
    for (const CStationRecord& station : stations)
    {
        ++n;
        strOut += QStringLiteral("File%1=%2\n").arg(n).arg(station.m_strUrl.trimmed());
        strOut += QStringLiteral("Title%1=%2\n").arg(n).arg(CStationRecord::CleanText(station.m_strName));
        strOut += QStringLiteral("Length%1=-1\n").arg(n);
    }
    strOut += QStringLiteral("NumberOfEntries=%1\nVersion=2\n").arg(n);
    return strOut.toUtf8();
}

QByteArray WriteXspf(const CStationList& stations)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QLatin1String("playlist"));
    xml.writeDefaultNamespace(QLatin1String(kXspfNamespace));
    xml.writeAttribute(QLatin1String("version"), QLatin1String("1"));
    xml.writeStartElement(QLatin1String("trackList"));
    for (const CStationRecord& station : stations)
    {
        xml.writeStartElement(QLatin1String("track"));
        xml.writeTextElement(QLatin1String("location"), station.m_strUrl.trimmed());
        xml.writeTextElement(QLatin1String("title"), CStationRecord::CleanText(station.m_strName));
        if (!CStationRecord::CleanText(station.m_strDescription).isEmpty())
            xml.writeTextElement(QLatin1String("annotation"),
                                 CStationRecord::CleanText(station.m_strDescription));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}
} // namespace

QByteArray WritePlaylist(const CStationList& stations, EPlaylistFormat eFormat)
{
    switch (eFormat)
    {
    case EPlaylistFormat::M3U:
        return WriteM3u(stations);
    case EPlaylistFormat::PLS:
        return WritePls(stations);
    case EPlaylistFormat::XSPF:
        return WriteXspf(stations);
    case EPlaylistFormat::Unknown:
        break;
    }
    return {};
}
