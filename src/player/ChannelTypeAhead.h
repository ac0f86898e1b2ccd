// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Type-ahead in the channel list: letters typed into the list select the next channel whose name
// starts with them, and the selection plays it as any other selection does. The list's own
// keyboard search (which would look at the serial numbers) does not run.
#include "player/TypeAheadSearch.h"

#include <QObject>
#include <functional>

class CChannelListView;

class CChannelTypeAhead : public QObject
{
    Q_OBJECT
public:
    CChannelTypeAhead(CChannelListView* pList, std::function<void(int nRow)> selectRow);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    CChannelListView* m_pList;
    std::function<void(int nRow)> m_selectRow;
    CTypeAheadSearch m_search;
};
