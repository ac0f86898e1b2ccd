// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/ChannelCatalogue.h"
#include "base/TextAreas.h"

#include "base/SettingsStore.h"
#include "catalogue/ChannelTableModel.h"
#include "catalogue/DataFolder.h"
#include "catalogue/Utf16LineReader.h"

#include <QFile>

#include <algorithm>

namespace
{
struct SFilter
{
    const settings::IntSetting& setting;
    int nField;                 // 4 = language, 0 = type
    QLatin1StringView texts[6]; // compared in order; unused entries are empty
};

using namespace Qt::StringLiterals;

// In the order the filters run; the first filter that hides a channel ends the test.
const SFilter kFilters[] = {
    {settings::kDisplayIndianChannels,
     4,
     {"Tamil"_L1, "Hindi"_L1, "Marathi"_L1, "Gujrati"_L1, "Bangla"_L1, "Telugu"_L1}},
    {settings::kDisplayChineseChannels, 4, {"Chinese"_L1}},
    {settings::kDisplayEnglishChannels, 4, {"English"_L1}},
    {settings::kDisplayFrenchChannels, 4, {"French"_L1}},
    {settings::kDisplayGermanChannels, 4, {"German"_L1}},
    {settings::kDisplayBulgarianChannels, 4, {"Bulgarian"_L1}},
    {settings::kDisplayRomanianChannels, 4, {"Romanian"_L1, "Romania"_L1}},
    {settings::kDisplayRadioChannels, 0, {"Radio"_L1}},
    {settings::kDisplayTVChannels, 0, {"TV"_L1}},
};

bool EqualsIgnoringCase(const QString& strField, QLatin1StringView text)
{
    // Case folding keeps UTF-16 lengths here, so a length mismatch settles it without comparing.
    return strField.size() == text.size() && strField.compare(text, Qt::CaseInsensitive) == 0;
}
} // namespace

CDisplayChoices::CDisplayChoices()
{
    std::fill(std::begin(m_abShown), std::end(m_abShown), true);
}

CDisplayChoices CDisplayChoices::FromSettings(CSettingsStore& settings)
{
    CDisplayChoices choices;
    for (int nFilter = 0; nFilter < int(std::size(kFilters)); ++nFilter)
        choices.SetShown(nFilter, settings.Read(kFilters[nFilter].setting) != 0);
    choices.m_bShowNonWorking = settings.Read(settings::kDisplayNonWorkingChannels) != 0;
    return choices;
}

bool CChannelCatalogue::IsHidden(const CChannelRecord& record) const
{
    for (int nFilter = 0; nFilter < int(std::size(kFilters)); ++nFilter)
    {
        const SFilter& filter = kFilters[nFilter];
        if (m_choices.IsShown(nFilter))
            continue;
        const QString& strField = record.Field(filter.nField);
        for (QLatin1StringView text : filter.texts)
        {
            if (!text.isEmpty() && EqualsIgnoringCase(strField, text))
                return true;
        }
    }
    return false;
}

int CChannelCatalogue::AddLine(QString strLine)
{
    AddLineView(strLine);
    return 1;
}

void CChannelCatalogue::AddLineView(QStringView line)
{
    if (line.trimmed().isEmpty())
        return;
    // The header's texts go to the list's column titles, which outlive the catalogue: they get
    // storage of their own rather than keep a block of the pool alive.
    if (m_header.m_strType.isEmpty())
    {
        m_header = ParseChannelLine(line.toString());
        return;
    }
    CChannelRecord record = ParseChannelLine(line, m_pool);
    if (!IsHidden(record))
        m_channels.Add(std::move(record));
}

bool CChannelCatalogue::ReadLines(QIODevice& device)
{
    // Room for the channels of a list with lines of average length at once, rather than moving them
    // all each time the array fills up; only what is written of it takes memory.
    constexpr qint64 kBytesPerLine = 2 * 64;
    m_channels.Reserve(qsizetype(std::min<qint64>(device.size(), kMaxChannelListBytes * 8) / kBytesPerLine));
    CUtf16LineReader reader(device);
    // A file without line ends would otherwise become one string as large as the file.
    reader.SetMaxLineUnits(kMaxChannelListBytes / 2);
    QStringView line;
    for (;;)
    {
        switch (reader.ReadLine(line))
        {
        case CUtf16LineReader::LINE:
            AddLineView(line);
            break;
        case CUtf16LineReader::END:
            return true;
        case CUtf16LineReader::ERROR:
            return false;
        }
    }
}

int CChannelCatalogue::Load()
{
    const QString strPath = GetChannelListPath();
    {
        QFile file(strPath);
        // Unbuffered: the reader has its own buffer, a second one would only copy the bytes again.
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return 0;
        m_channels.RemoveAll();
        // Read to the end of the file rather than counting bytes per line, so lines that end in a lone
        // CR or LF do not stop the reading early. A failed read keeps what was read before it.
        ReadLines(file);
    }
    QFile::remove(strPath);
    return 1;
}

QStringList ChannelColumnTitles(const CChannelRecord& header)
{
    return {text::MainWindow::tr("Sr No"), header.m_strName, header.m_strDescription, header.m_strLanguage,
            header.m_strUrl};
}

std::vector<CChannelRecord> CChannelCatalogue::TakeListedChannels()
{
    // Moved, not copied: copying a million records cost a large allocation and seven reference
    // counts each, and the catalogue is thrown away after the fill anyway.
    std::vector<CChannelRecord> channels = m_channels.Take();
    if (!m_choices.m_bShowNonWorking)
        channels.erase(std::remove_if(channels.begin(), channels.end(),
                                      [](const CChannelRecord& record)
                                      { return record.m_strStatus.contains(QLatin1StringView("OFF")); }),
                       channels.end());
    return channels;
}

void FillChannelList(CChannelTableModel& list, CChannelCatalogue& catalogue)
{
    if (!catalogue.Load())
        return;
    list.SetChannels(ChannelColumnTitles(catalogue.m_header), catalogue.TakeListedChannels());
}
