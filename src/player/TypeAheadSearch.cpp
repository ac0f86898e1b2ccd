// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/TypeAheadSearch.h"

#include "catalogue/ChannelTableModel.h"

CTypeAheadSearch::CTypeAheadSearch(qint64 nResetMs) : m_nResetMs(nResetMs) {}

bool CTypeAheadSearch::IsSearching() const
{
    return !m_strTyped.isEmpty() && m_sinceLastKey.isValid() && m_sinceLastKey.elapsed() <= m_nResetMs;
}

int CTypeAheadSearch::KeyTyped(const CChannelTableModel& channels, const QString& strText)
{
    const bool bPaused = !IsSearching();
    m_sinceLastKey.start();
    return KeyTyped(channels, strText, bPaused);
}

int CTypeAheadSearch::KeyTyped(const CChannelTableModel& channels, const QString& strText, bool bPaused)
{
    if (bPaused)
        m_strTyped.clear();
    m_strTyped += strText;
    if (m_strTyped.isEmpty())
        return -1;

    const int nCurrent = channels.SelectedRow();
    // One letter, or the same letter again and again: step on from the current row. A longer text
    // may still match the current row, which the shorter text chose.
    const bool bOneLetter = m_strTyped.count(m_strTyped.front(), Qt::CaseInsensitive) == m_strTyped.size();
    if (bOneLetter)
        return FindFrom(channels, m_strTyped.left(1), nCurrent + 1);
    return FindFrom(channels, m_strTyped, qMax(nCurrent, 0));
}

int CTypeAheadSearch::FindFrom(const CChannelTableModel& channels, const QString& strPrefix, int nStart)
{
    const int n = channels.Count();
    if (n == 0 || strPrefix.isEmpty())
        return -1;
    for (int i = 0; i < n; ++i)
    {
        const int nRow = (qMax(nStart, 0) + i) % n;
        if (channels.Record(nRow).m_strName.startsWith(strPrefix, Qt::CaseInsensitive))
            return nRow;
    }
    return -1;
}
