// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Type-ahead in the channel list: letters typed in quick succession name the start of a channel's
// name; a pause
// starts a new search. As in the desktop's own lists, one letter moves to the next row that starts
// with it, and the same letter typed again keeps moving on through the rows that start with it.
#include <QElapsedTimer>
#include <QString>

class CChannelTableModel;

class CTypeAheadSearch
{
public:
    // nResetMs: the pause after which the typed text is forgotten.
    explicit CTypeAheadSearch(qint64 nResetMs);

    // The row that the text typed now selects, -1 for none. Measures the pause since the last key.
    int KeyTyped(const CChannelTableModel& channels, const QString& strText);
    // The same with the pause given: bPaused starts a new search.
    int KeyTyped(const CChannelTableModel& channels, const QString& strText, bool bPaused);

    // The first row from nStart on, wrapping past the end, whose channel's name starts with strPrefix
    // regardless of case; -1 if none.
    static int FindFrom(const CChannelTableModel& channels, const QString& strPrefix, int nStart);

    // Whether a key typed now would add to the text typed so far.
    bool IsSearching() const;
    QString Typed() const { return m_strTyped; }

private:
    qint64 m_nResetMs;
    QString m_strTyped;
    QElapsedTimer m_sinceLastKey;
};
