// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stations/PublicChannelList.h"
#include "base/TextAreas.h"

#include "catalogue/ChannelCatalogue.h"
#include "catalogue/DataFolder.h"
#include "platform/WholeFile.h"
#include "stations/StreamAddress.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

namespace
{
constexpr const char* kPublicListFileName = "PublicChannels.txt";
constexpr const char* kDirectoryKeyPrefix = "directory:";
constexpr const char* kTvKeyPrefix = "tv:";

// A field of a channel line ends at a comma: text from outside keeps its look with a low quotation
// mark in its place, and loses control characters and runs of white space (a line end would cut it).
QString Field(const QString& strText)
{
    QString strOut = CStationRecord::CleanText(strText);
    strOut.replace(u',', QChar(0x201A));
    return strOut;
}

// An address keeps its meaning with the comma escaped.
QString AddressField(const QString& strUrl)
{
    QString strOut = strUrl.trimmed();
    strOut.replace(u',', QLatin1String("%2C"));
    return strOut;
}

bool IsWebStream(const QString& strUrl)
{
    if (!CStreamAddress::IsPlayable(strUrl))
        return false;
    const QString strScheme = QUrl(strUrl.trimmed()).scheme().toLower();
    return strScheme == QLatin1String("http") || strScheme == QLatin1String("https");
}

// The language of an Indian station as the list's filter names it, from one of the directory's
// language names ("hindi"); empty when it is none that the filter knows.
QString IndianLanguage(const QString& strLanguage)
{
    static const std::pair<const char*, const char*> kNames[] = {
        {"hindi", "Hindi"},      {"tamil", "Tamil"},     {"telugu", "Telugu"}, {"marathi", "Marathi"},
        {"gujarati", "Gujrati"}, {"gujrati", "Gujrati"}, {"bengali", "Bangla"}, {"bangla", "Bangla"},
    };
    const QString strKey = strLanguage.trimmed().toLower();
    for (const auto& [pszKey, pszName] : kNames)
        if (strKey == QLatin1String(pszKey))
            return QString::fromLatin1(pszName);
    return {};
}

// Which of the groups one language name belongs to (an index of LanguageGroups()), or -1.
int GroupOfLanguage(const QString& strLanguage)
{
    static const std::pair<const char*, int> kWords[] = {
        {"english", 0}, {"german", 1},    {"french", 2},    {"chinese", 4},  {"mandarin", 4},
        {"cantonese", 4}, {"bulgarian", 5}, {"romanian", 6},
    };
    if (!IndianLanguage(strLanguage).isEmpty())
        return 3;
    const QString strKey = strLanguage.toLower();
    for (const auto& [pszWord, nGroup] : kWords)
        if (strKey.contains(QLatin1String(pszWord)))
            return nGroup;
    return -1;
}

// A station that speaks several languages of the list ("hindi,english") belongs to the group of the
// first of them, so that it is listed once and under the language it speaks first.
int GroupOfStation(const QString& strLanguages)
{
    const QStringList languages = strLanguages.split(u',', Qt::SkipEmptyParts);
    for (const QString& strLanguage : languages)
        if (const int nGroup = GroupOfLanguage(strLanguage); nGroup >= 0)
            return nGroup;
    return -1;
}

// The first language of the station that the Indian filter knows.
QString IndianLanguageOfStation(const QString& strLanguages)
{
    const QStringList languages = strLanguages.split(u',', Qt::SkipEmptyParts);
    for (const QString& strLanguage : languages)
        if (const QString strName = IndianLanguage(strLanguage); !strName.isEmpty())
            return strName;
    return {};
}

CChannelRecord MakeChannel(const char* pszType, const QString& strName, const QString& strUrl,
                           const QString& strKey, const QString& strLanguage, const QString& strDescription,
                           bool bWorking)
{
    CChannelRecord record;
    record.m_strType = QString::fromLatin1(pszType);
    record.m_strName = Field(strName);
    record.m_strUrl = AddressField(strUrl);
    record.m_strExtra = AddressField(strKey);
    record.m_strLanguage = strLanguage;
    record.m_strDescription = Field(strDescription);
    record.m_strStatus = bWorking ? QStringLiteral("ON") : QStringLiteral("OFF");
    return record;
}
} // namespace

const QList<CLanguageGroup>& LanguageGroups()
{
    static const QList<CLanguageGroup> groups = {
        {QStringLiteral("English"), QStringLiteral("language"), QStringLiteral("english"), QStringLiteral("eng")},
        {QStringLiteral("German"), QStringLiteral("language"), QStringLiteral("german"), QStringLiteral("deu")},
        {QStringLiteral("French"), QStringLiteral("language"), QStringLiteral("french"), QStringLiteral("fra")},
        // The languages of India, one request: the stations of the country, each with its own language.
        {QStringLiteral("Hindi"), QStringLiteral("countrycode"), QStringLiteral("IN"), QStringLiteral("hin")},
        {QStringLiteral("Chinese"), QStringLiteral("language"), QStringLiteral("chinese"), QStringLiteral("zho")},
        {QStringLiteral("Bulgarian"), QStringLiteral("language"), QStringLiteral("bulgarian"), QStringLiteral("bul")},
        {QStringLiteral("Romanian"), QStringLiteral("language"), QStringLiteral("romanian"), QStringLiteral("ron")},
    };
    return groups;
}

QList<CChannelRecord> ChannelsFromDirectory(const CLanguageGroup& group, const CDirectoryStationList& stations)
{
    const bool bIndian = group.m_strDirectoryKey == QLatin1String("countrycode");
    const int nGroup = int(LanguageGroups().indexOf(group));
    QList<CChannelRecord> working, broken;
    for (const CDirectoryStation& station : stations)
    {
        const int nStationGroup = GroupOfStation(station.m_strLanguage);
        if (nStationGroup >= 0 && nStationGroup != nGroup)
            continue;
        QList<CChannelRecord>& into = station.m_bLastCheckOk ? working : broken;
        const int nRoom = station.m_bLastCheckOk ? publiclist::kWorkingStationsPerGroup
                                                 : publiclist::kBrokenStationsPerGroup;
        if (into.size() >= nRoom || station.m_strName.trimmed().isEmpty() || !IsWebStream(station.PlayAddress()))
            continue;
        const QString strLanguage = bIndian ? IndianLanguageOfStation(station.m_strLanguage) : group.m_strLanguage;
        if (strLanguage.isEmpty())
            continue;
        QString strAbout = station.m_strTags;
        strAbout.replace(u',', QLatin1String("; "));
        if (strAbout.trimmed().isEmpty())
            strAbout = station.m_strCountry;
        into.append(MakeChannel("Radio", station.m_strName, station.PlayAddress(),
                                QLatin1String(kDirectoryKeyPrefix) + station.m_strUuid, strLanguage, strAbout,
                                station.m_bLastCheckOk));
    }
    return working + broken;
}

QList<CChannelRecord> ChannelsFromPlaylist(const CLanguageGroup& group, const CPlaylistResult& playlist)
{
    QList<CChannelRecord> channels;
    for (const CStationRecord& station : playlist.m_stations)
    {
        if (channels.size() >= publiclist::kTvChannelsPerGroup)
            break;
        if (station.m_strName.trimmed().isEmpty() || !IsWebStream(station.m_strUrl))
            continue;
        channels.append(MakeChannel("TV", station.m_strName, station.m_strUrl,
                                    QLatin1String(kTvKeyPrefix) + station.m_strUrl.trimmed(), group.m_strLanguage,
                                    station.m_strDescription, true));
    }
    return channels;
}

QList<CChannelRecord> MergeInStableOrder(const QStringList& previousKeys, const QList<CChannelRecord>& channels)
{
    // Backwards, so that the first channel of a key is the one that stays in the table.
    QHash<QString, qsizetype> byKey;
    for (qsizetype i = channels.size() - 1; i >= 0; --i)
        byKey.insert(channels[i].m_strExtra, i);

    QList<CChannelRecord> merged;
    merged.reserve(channels.size());
    QSet<QString> taken;
    for (const QString& strKey : previousKeys)
    {
        const auto it = byKey.constFind(strKey);
        if (it != byKey.constEnd() && !taken.contains(strKey))
        {
            merged.append(channels[*it]);
            taken.insert(strKey);
        }
    }
    for (const CChannelRecord& channel : channels)
    {
        if (taken.contains(channel.m_strExtra))
            continue;
        merged.append(channel);
        taken.insert(channel.m_strExtra);
    }
    return merged;
}

QString GetPublicChannelListPath()
{
    return GetDataFolder() + u'/' + QLatin1String(kPublicListFileName);
}

bool WritePublicChannelList(const QString& strPath, const QList<CChannelRecord>& channels, QString* pstrError)
{
    // The header's titles name the columns of the list: they are shown.
    QStringList header = {QStringLiteral("Type"),
                          Field(text::MainWindow::tr("Channel")),
                          QStringLiteral("Address"),
                          QStringLiteral("Source"),
                          Field(text::MainWindow::tr("Language")),
                          Field(text::MainWindow::tr("Description")),
                          QStringLiteral("Status")};
    QString strText = header.join(u',') + QLatin1String("\r\n");
    for (const CChannelRecord& channel : channels)
    {
        for (int n = 0; n < CChannelRecord::kFieldCount; ++n)
        {
            if (n > 0)
                strText += u',';
            strText += channel.Field(n);
        }
        strText += QLatin1String("\r\n");
    }
    QByteArray data(reinterpret_cast<const char*>(strText.utf16()), strText.size() * 2);
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian)
    {
        for (qsizetype i = 0; i + 1 < data.size(); i += 2)
            std::swap(data[i], data[i + 1]);
    }
    return WriteWholeFile(strPath, data, pstrError);
}

QList<CChannelRecord> ReadPublicChannelList(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    CChannelCatalogue catalogue;
    if (!catalogue.ReadLines(file))
        return {};
    QList<CChannelRecord> channels;
    channels.reserve(catalogue.m_channels.GetSize());
    for (qsizetype i = 0; i < catalogue.m_channels.GetSize(); ++i)
        channels.append(catalogue.m_channels[i]);
    return channels;
}

QStringList ChannelKeys(const QList<CChannelRecord>& channels)
{
    QStringList keys;
    keys.reserve(channels.size());
    for (const CChannelRecord& channel : channels)
        keys.append(channel.m_strExtra);
    return keys;
}

QList<CChannelRecord> ChannelsOfSource(const QList<CChannelRecord>& channels, const CLanguageGroup& group,
                                       bool bRadio)
{
    const bool bIndian = group.m_strDirectoryKey == QLatin1String("countrycode");
    const QLatin1String prefix(bRadio ? kDirectoryKeyPrefix : kTvKeyPrefix);
    QList<CChannelRecord> kept;
    for (const CChannelRecord& channel : channels)
    {
        if (!channel.m_strExtra.startsWith(prefix))
            continue;
        const bool bOfGroup = bRadio && bIndian ? !IndianLanguage(channel.m_strLanguage).isEmpty()
                                                : channel.m_strLanguage == group.m_strLanguage;
        if (bOfGroup)
            kept.append(channel);
    }
    return kept;
}

QDateTime PublicChannelListTime(const QString& strPath)
{
    const QFileInfo info(strPath);
    return info.isFile() ? info.lastModified().toUTC() : QDateTime();
}

bool IsPublicChannelListFresh(const QString& strPath, const QDateTime& now)
{
    const QDateTime written = PublicChannelListTime(strPath);
    if (!written.isValid())
        return false;
    const qint64 nAge = written.secsTo(now);
    // A list from the future (a clock set back) is not trusted to be fresh.
    return nAge >= 0 && nAge < publiclist::kFreshSeconds;
}
