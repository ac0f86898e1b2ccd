// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The filter of the player's list (Ctrl+F): a row stays visible when its name, description or
// language contains the typed text, ignoring letter case and accents ("lumiere" finds "Lumière").
// Rows are hidden, never removed or renumbered, so serial numbers keep naming the same channels.
#include <QString>
#include <QStringView>

#include <vector>

class CChannelTableModel;

// The text as the filter compares it: accents removed, letters case-folded.
QString FoldForFilter(const QString& strText);

// The folded texts of every row of a list, made once, so that a keystroke in the filter box only
// searches: a list of 100 000 channels is folded in one pass instead of on every keystroke. All rows
// share one buffer (the three fields of a row separated by a character that no typed text holds),
// so searching allocates nothing.
class CListFilterIndex
{
public:
    // Folds the channels of the list as they are now.
    void Build(const CChannelTableModel& channels);
    void Clear();
    int RowCount() const { return m_starts.empty() ? 0 : int(m_starts.size() - 1); }

    // The rows whose text contains strFolded (folded, not empty), in ascending order, into rows.
    void FindAll(QStringView strFolded, std::vector<int>& rows) const;
    // Of candidates (ascending), those whose text contains strFolded, into rows.
    void FindAmong(QStringView strFolded, const std::vector<int>& candidates, std::vector<int>& rows) const;

private:
    QStringView RowText(int nRow) const;
    // How often c occurs in the index; characters past Latin-1 count as rare.
    quint32 Frequency(QChar c) const
    {
        return c.unicode() < m_frequency.size() ? m_frequency[c.unicode()] : 0;
    }
    // Where needle (not empty) occurs first in haystack from nFrom on, -1 if nowhere.
    qsizetype Find(QStringView haystack, QStringView needle, qsizetype nFrom) const;

    QString m_text;
    std::vector<qsizetype> m_starts;  // row r is m_text[m_starts[r], m_starts[r + 1])
    std::vector<quint32> m_frequency; // of the Latin-1 characters in m_text
};
