// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The channel list of one reload: reads the channel list file from the data folder, keeps its header
// row, drops the channels that the user's display choices hide, and fills the player's list.
#include "catalogue/Array.h"
#include "catalogue/ChannelRecord.h"
#include "catalogue/StringPool.h"

#include <QStringList>

#include <vector>

class CChannelTableModel;
class CSettingsStore;
class QIODevice;

// The user's display choices, taken once for a whole load: which of the nine filters (radio, TV, seven
// languages; numbered as CChannelCatalogue runs them) show their channels and whether channels marked
// "OFF" are listed.
class CDisplayChoices
{
public:
    // Everything shown but the channels marked "OFF".
    CDisplayChoices();
    // The cached choices of the settings and "DisplayNonWorkingChannels".
    static CDisplayChoices FromSettings(CSettingsStore& settings);

    bool IsShown(int nFilter) const { return m_abShown[nFilter]; }
    void SetShown(int nFilter, bool bShown) { m_abShown[nFilter] = bShown; }
    bool m_bShowNonWorking = false;

private:
    bool m_abShown[9];
};

class CChannelCatalogue
{
public:
    explicit CChannelCatalogue(const CDisplayChoices& choices = CDisplayChoices()) : m_choices(choices) {}

    // Empties m_channels, reads every line of the channel list file into the catalogue and deletes the
    // file. Non-zero when the file could be opened, even if it held no line; 0 (and nothing emptied,
    // read or deleted) when it could not. A read error ends the reading quietly: the lines read so far
    // stay, the file is deleted all the same, and the load counts as a success.
    int Load();
    // Reads the lines of an open device as Load does (no deletion); false when reading failed. A line
    // longer than kMaxChannelListBytes (a file without line ends) is cut there.
    bool ReadLines(QIODevice& device);
    // Header, channel or nothing: blank lines are dropped; until a header with a non-empty field 0
    // is stored every line replaces the header; later lines pass the display filters or are dropped.
    // Always 1.
    int AddLine(QString strLine);

    // Moves the channels the list shows out of m_channels (which is empty afterwards), in file
    // order: those marked "OFF" in their status are left out unless the display choices list them.
    // The records keep sharing the catalogue's pooled storage, which lives on with them.
    std::vector<CChannelRecord> TakeListedChannels();

    CChannelRecord m_header;
    CArray<CChannelRecord, CChannelRecord&> m_channels;

private:
    // AddLine for a line that the caller keeps.
    void AddLineView(QStringView line);
    // Whether the display choices hide this channel (the first filter that matches decides).
    bool IsHidden(const CChannelRecord& record) const;

    CDisplayChoices m_choices;
    CStringPool m_pool;
};

// The reload of the player's list: Load, and when that succeeded, replace the list's columns and
// rows with the catalogue's (one row per listed channel, numbered from 1 in the order shown). A
// failed load leaves the list as it was.
void FillChannelList(CChannelTableModel& list, CChannelCatalogue& catalogue);
// The five column titles: "Sr No", then header fields 1, 5 and 4, then field 2 (the stream address,
// hidden).
QStringList ChannelColumnTitles(const CChannelRecord& header);
