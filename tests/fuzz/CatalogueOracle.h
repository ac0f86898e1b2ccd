// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A plain second reading of the channel list rules, for the fuzz targets to hold the real code against:
// the line cut as the format describes it (bounded substrings, a failed comma search restarting at the
// start of the line), the header/blank/filter handling, and the line ends. Written for clarity, not speed.
#include "base/SettingsStore.h"
#include "catalogue/ChannelRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace oracle
{
// Stops the run with a message; libFuzzer keeps the input that got here.
[[noreturn]] inline void Fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "MISMATCH: %s %s\n", what, qPrintable(detail.left(200)));
    std::abort();
}

inline QString Substring(const QString& line, qsizetype start, qsizetype count)
{
    if (start < 0)
        start = 0;
    if (count < 0)
        count = 0;
    if (start >= line.size())
        return QString();
    if (start + count > line.size())
        count = line.size() - start;
    return line.mid(start, count);
}

inline qsizetype FindComma(const QString& line, qsizetype from)
{
    if (from >= line.size())
        return -1;
    return line.indexOf(QLatin1Char(','), from);
}

inline QStringList CutLine(const QString& line)
{
    QStringList fields;
    qsizetype p = FindComma(line, 0);
    fields << Substring(line, 0, p).trimmed();
    for (int k = 1; k <= 5; ++k)
    {
        const qsizetype s = p + 1;
        p = FindComma(line, s);
        fields << Substring(line, s, p - s).trimmed();
    }
    fields << Substring(line, p + 1, line.size() - (p + 1)).trimmed();
    return fields;
}

inline QStringList FieldsOf(const CChannelRecord& record)
{
    QStringList fields;
    for (int k = 0; k < CChannelRecord::kFieldCount; ++k)
        fields << record.Field(k);
    return fields;
}

inline void CheckRecord(const CChannelRecord& record, const QString& line)
{
    const QStringList expected = CutLine(line);
    const QStringList actual = FieldsOf(record);
    for (int k = 0; k < CChannelRecord::kFieldCount; ++k)
    {
        if (actual[k] != expected[k])
            Fail("field differs", QStringLiteral("%1: %2 / %3").arg(k).arg(actual[k], expected[k]));
    }
    if (record.GetType() != expected[0] || record.GetName() != expected[1] || record.GetUrl() != expected[2] ||
        record.GetLanguage() != expected[4] || record.GetDescription() != expected[5] ||
        record.GetStatus() != expected[6])
        Fail("getter differs from its field", line);
}

// Whether the display choices in the cache hide a channel with these fields.
inline bool Hidden(const QStringList& fields, CSettingsStore& cache)
{
    struct
    {
        const settings::IntSetting& setting;
        int nField;
        QStringList texts;
    } const filters[] = {
        {settings::kDisplayIndianChannels, 4, {"Tamil", "Hindi", "Marathi", "Gujrati", "Bangla", "Telugu"}},
        {settings::kDisplayChineseChannels, 4, {"Chinese"}},
        {settings::kDisplayEnglishChannels, 4, {"English"}},
        {settings::kDisplayFrenchChannels, 4, {"French"}},
        {settings::kDisplayGermanChannels, 4, {"German"}},
        {settings::kDisplayBulgarianChannels, 4, {"Bulgarian"}},
        {settings::kDisplayRomanianChannels, 4, {"Romanian", "Romania"}},
        {settings::kDisplayRadioChannels, 0, {"Radio"}},
        {settings::kDisplayTVChannels, 0, {"TV"}},
    };
    for (const auto& filter : filters)
    {
        if (cache.Read(filter.setting) != 0)
            continue;
        for (const QString& text : filter.texts)
        {
            if (fields[filter.nField].compare(text, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

// What a catalogue holds after a run of AddLine calls.
struct SCatalogue
{
    QStringList header = QStringList(CChannelRecord::kFieldCount, QString());
    QList<QStringList> channels;

    void AddLine(const QString& line, CSettingsStore& cache)
    {
        if (line.trimmed().isEmpty())
            return;
        const QStringList fields = CutLine(line);
        if (header[0].isEmpty())
            header = fields;
        else if (!Hidden(fields, cache))
            channels << fields;
    }
};

inline void CheckCatalogue(const SCatalogue& expected, const CChannelRecord& header,
                           const QList<QStringList>& channels)
{
    if (FieldsOf(header) != expected.header)
        Fail("header differs", expected.header.join(u','));
    if (channels.size() != expected.channels.size())
        Fail("channel count differs", QString::number(channels.size()) + u'/' +
                                          QString::number(expected.channels.size()));
    for (qsizetype i = 0; i < channels.size(); ++i)
    {
        if (channels[i] != expected.channels[i])
            Fail("channel differs", expected.channels[i].join(u','));
    }
}

// The lines of UTF-16LE bytes: CR LF, a lone CR and a lone LF each end a line; a trailing odd byte
// is not a character.
inline QStringList SplitLines(const char16_t* units, qsizetype nUnits)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < nUnits; ++i)
    {
        if (units[i] != u'\r' && units[i] != u'\n')
            continue;
        lines << QString(reinterpret_cast<const QChar*>(units + start), i - start);
        if (units[i] == u'\r' && i + 1 < nUnits && units[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < nUnits)
        lines << QString(reinterpret_cast<const QChar*>(units + start), nUnits - start);
    return lines;
}

// Display choices from fuzz bytes: two bits per filter slot give 0 (hide), 1, 7 or -1 (any non-zero
// value shows).
inline void SetChoices(CSettingsStore& cache, quint32 bits)
{
    static const int values[4] = {0, 1, 7, -1};
    const auto& keys = settings::kKeptSettings;
    cache.ForgetAll();
    for (const settings::IntSetting* key : keys)
    {
        cache.SetCached(*key, values[bits & 3]);
        bits >>= 2;
    }
}
} // namespace oracle
