// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "player/ChannelTypeAhead.h"

#include "catalogue/ChannelTableModel.h"
#include "player/ChannelListView.h"

#include <QApplication>
#include <QKeyEvent>

CChannelTypeAhead::CChannelTypeAhead(CChannelListView* pList, std::function<void(int nRow)> selectRow)
    : QObject(pList), m_pList(pList), m_selectRow(std::move(selectRow)),
      m_search(QApplication::keyboardInputInterval())
{
    m_pList->installEventFilter(this);
}

bool CChannelTypeAhead::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pList || pEvent->type() != QEvent::KeyPress)
        return false;
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    if (pKey->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString strText = pKey->text();
    if (strText.isEmpty() || !strText.front().isPrint())
        return false;
    // A space only continues a name; on its own it is the list's own key.
    if (strText.front().isSpace() && !m_search.IsSearching())
        return false;
    const int nRow = m_search.KeyTyped(m_pList->Channels(), strText);
    if (nRow >= 0 && m_selectRow)
        m_selectRow(nRow);
    return true;
}
