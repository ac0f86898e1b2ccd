// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The filter box over the player's list: Ctrl+F shows it, typing hides the rows that do not match
// (see ListFilter.h), Escape clears it and gives the list its rows back.
#include "player/ListFilter.h"

#include <QLineEdit>

#include <vector>

class CChannelListView;

class CListFilterBox : public QLineEdit
{
    Q_OBJECT
public:
    // A child of pParent, placed over the top right corner of the list.
    CListFilterBox(CChannelListView* pList, QWidget* pParent);

    // Shows the box and gives it the focus.
    void Open();
    // Empties and hides the box; every row shows again.
    void Clear();
    // Hides the rows that do not match the text; called again after the list was refilled.
    void Apply();
    // Whether some text filters the rows now.
    bool IsFiltering() const { return !m_strFolded.isEmpty(); }
    // The next shown row from nRow in direction nStep (+1 or -1), wrapping around; nRow -1 starts
    // before the first row (or after the last, going back). -1 when no other row is shown.
    int NextShownRow(int nRow, int nStep) const;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Place();
    // Folds the list's rows unless that was done since the list last changed.
    bool UpdateIndex();
    // Hides the rows of m_shown that are not in shown and shows those of shown not in m_shown;
    // the first row that changed, -1 if none.
    int ShowOnly(const std::vector<int>& shown);

    CChannelListView* m_pList;
    QString m_strFolded;
    CListFilterIndex m_index;
    bool m_bIndexStale = true;
    bool m_bShownStale = true;
    // The rows shown now (every row without a filter), ascending: a keystroke touches only the rows
    // whose state changes, and a longer text is looked for only among the rows the shorter one left.
    std::vector<int> m_shown;
    std::vector<int> m_found; // scratch for the next m_shown, kept to reuse its memory
};
